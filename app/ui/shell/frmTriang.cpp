#include "frmTriang.h"

#include "FormLoad.h"
#include "PrivateLibrary.h"
#include "SharedState.h"

#include <QVBoxLayout>

frmTriang::frmTriang(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmTriang"));
    setWindowTitle(QStringLiteral("Pace Calculator"));

    // The calculator comes from its own library, loaded when it is first opened.
    bool made = false;
    Triangulator1 =
        PrivateLibrary::makeControl("libtriang.so.1", "Triangulator", "Triangulator1",
                                    QStringLiteral("The pace calculator"), this, made, Q_ARG(QWidget*, this));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Triangulator1);

    m_formLoad = new FormLoad(this, [this] {
        Triangulator1->setProperty("Distance", m_state.miles());
        Triangulator1->setFocus();
    });
}

void frmTriang::Form_Load() {
    m_formLoad->run();
}
