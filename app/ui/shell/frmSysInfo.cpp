#include "frmSysInfo.h"

#include "SystemInfo.h"
#include "frmAbout.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmSysInfo::frmSysInfo(const QString& databasePath, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSysInfo"));
    setWindowTitle(QStringLiteral("System Information"));

    const SystemInfo::Lines lines = SystemInfo::collect(frmAbout::version(), databasePath);
    m_text = SystemInfo::text(lines);

    // Caption and value in two columns; values can be selected and copied.
    QString html = QStringLiteral("<table cellspacing=\"2\">");
    for (const auto& [caption, value] : lines)
        html += QStringLiteral("<tr><td><b>%1:</b></td><td>%2</td></tr>")
                    .arg(caption.toHtmlEscaped(), value.toHtmlEscaped());
    html += QStringLiteral("</table>");
    lblInfo = new QLabel(html, this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setTextFormat(Qt::RichText);
    lblInfo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    cmdCopy = new QPushButton(QStringLiteral("&Copy"), this);
    cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
    cmdCopy->setAutoDefault(false);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCopy);
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInfo);
    layout->addLayout(buttons);

    connect(cmdCopy, &QPushButton::clicked, this, &frmSysInfo::cmdCopy_Click);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

void frmSysInfo::cmdCopy_Click() {
    QApplication::clipboard()->setText(m_text);
}
