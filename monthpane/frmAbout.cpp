#include "frmAbout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Monthpane {

namespace {
const char* const LibraryTitle = "Monthpane";
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + QLatin1String(LibraryTitle));

    lblTitle = new QLabel(QLatin1String(LibraryTitle), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = new QLabel(QStringLiteral("Version %1.%2.%3")
                                .arg(MONTHPANE_VERSION_MAJOR)
                                .arg(MONTHPANE_VERSION_MINOR)
                                .arg(MONTHPANE_VERSION_REVISION),
                            this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    lblDescription = new QLabel(QStringLiteral("Displays dates in a calendar format with up to three "
                                               "additional items on each day of the month."),
                                this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(lblVersion);
    layout->addWidget(lblDescription);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 50);
}

} // namespace Monthpane
