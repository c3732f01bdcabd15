#include "frmTriang.h"

#include "FormLoad.h"
#include "SharedState.h"
#include "Triangulator.h"

#include <QVBoxLayout>

frmTriang::frmTriang(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmTriang"));
    setWindowTitle(QStringLiteral("Pace Calculator"));

    Triangulator1 = new Triangulator(this);
    Triangulator1->setObjectName(QStringLiteral("Triangulator1"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Triangulator1);

    m_formLoad = new FormLoad(this, [this] {
        Triangulator1->setDistance(m_state.miles());
        Triangulator1->setFocus();
    });
}

void frmTriang::Form_Load() {
    m_formLoad->run();
}
