#include "frmAbout.h"

#include "CLibrary.h"
#include "DbError.h"
#include "Dialogs.h"
#include "frmSysInfo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#ifndef TRAINBOOK_VERSION
#define TRAINBOOK_VERSION "0.0.0"
#endif

namespace {
const QString ApplicationTitle = QStringLiteral("Trainbook");
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + ApplicationTitle);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    const int iconSize = fontMetrics().height() * 3;
    picIcon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(iconSize, iconSize));
    picIcon->setAlignment(Qt::AlignTop);

    lblTitle = new QLabel(ApplicationTitle, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    lblTitle->setFont(titleFont);

    lblVersion = new QLabel(QStringLiteral("Version ") + version(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    lblDescription =
        new QLabel(QStringLiteral("An exercise diary: runs, rides, swims, exercise videos, exercises of "
                                  "your own and races, with reports, graphs, a calendar and a pace "
                                  "calculator."),
                   this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);

    lblDisclaimer =
        new QLabel(QStringLiteral("\"A journey of a thousand miles begins with a single step.\""), this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);
    QFont quoteFont = lblDisclaimer->font();
    quoteFont.setItalic(true);
    lblDisclaimer->setFont(quoteFont);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addSpacing(fontMetrics().height() / 2);
    text->addWidget(lblDescription);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon);
    top->addLayout(text, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    lblDescription->setMinimumWidth(fontMetrics().averageCharWidth() * 50);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

QString frmAbout::version() {
    return QStringLiteral(TRAINBOOK_VERSION);
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::cmdSysInfo_Click() {
    try {
        frmSysInfo info(CLibrary::defaultAccessFile(), this);
        Dialogs::execModal(&info);
    } catch (const std::exception&) {
        Dialogs::message(this, QStringLiteral("System Information Is Unavailable At This Time"));
    }
}
