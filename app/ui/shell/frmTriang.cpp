#include "frmTriang.h"

#include "FormLoad.h"
#include "PrivateLibrary.h"
#include "SharedState.h"

#include <QLabel>
#include <QVBoxLayout>

frmTriang::frmTriang(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmTriang"));
    setWindowTitle(QStringLiteral("Pace Calculator"));

    // The calculator comes from its own library, loaded when it is first opened.
    QString error;
    if (const QMetaObject* calculator = PrivateLibrary::controlClass("libtriang.so.1", "Triangulator", error))
        Triangulator1 = qobject_cast<QWidget*>(calculator->newInstance(Q_ARG(QWidget*, this)));
    if (!Triangulator1)
        Triangulator1 =
            PrivateLibrary::missing(QStringLiteral("The pace calculator cannot be shown: %1")
                                        .arg(error.isEmpty() ? QStringLiteral("it cannot be made") : error),
                                    "lblTriangMissing", this);
    Triangulator1->setObjectName(QStringLiteral("Triangulator1"));
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
