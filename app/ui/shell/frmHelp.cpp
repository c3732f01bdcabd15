#include "frmHelp.h"

#include "DbError.h"
#include "Dialogs.h"
#include "FormLoad.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <stdexcept>

// The help pages are resources of the static window library; they are registered by name
// before the first page is shown.
static void initHelpResource() {
    Q_INIT_RESOURCE(help);
}

frmHelp::frmHelp(QWidget* parent) : QDialog(parent) {
    initHelpResource();
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Help"));

    Label1 = new QLabel(QStringLiteral("URL:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtURL = new QLineEdit(this);
    txtURL->setObjectName(QStringLiteral("txtURL"));
    Label1->setBuddy(txtURL);
    btnBack = new QPushButton(QStringLiteral("<<"), this);
    btnBack->setObjectName(QStringLiteral("btnBack"));
    btnBack->setToolTip(QStringLiteral("Go Back"));
    btnBack->setAutoDefault(false);
    btnForward = new QPushButton(QStringLiteral(">>"), this);
    btnForward->setObjectName(QStringLiteral("btnForward"));
    btnForward->setToolTip(QStringLiteral("Go Forward"));
    btnForward->setAutoDefault(false);
    btnBack->setEnabled(false);
    btnForward->setEnabled(false);

    HelpBrowser = new QTextBrowser(this);
    HelpBrowser->setObjectName(QStringLiteral("HelpBrowser"));
    // Web links in the pages open in the desktop's browser; help pages open here.
    HelpBrowser->setOpenExternalLinks(true);
    HelpBrowser->setMinimumSize(HelpBrowser->fontMetrics().averageCharWidth() * 90,
                                HelpBrowser->fontMetrics().height() * 30);

    auto* bar = new QHBoxLayout;
    bar->addWidget(btnBack);
    bar->addWidget(btnForward);
    bar->addWidget(Label1);
    bar->addWidget(txtURL, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(HelpBrowser, 1);

    connect(btnBack, &QPushButton::clicked, this, &frmHelp::btnBack_Click);
    connect(btnForward, &QPushButton::clicked, this, &frmHelp::btnForward_Click);
    connect(txtURL, &QLineEdit::returnPressed, this, &frmHelp::txtURL_Enter);
    connect(HelpBrowser, &QTextBrowser::sourceChanged, this, &frmHelp::HelpBrowser_NavigateComplete);
    connect(HelpBrowser, &QTextBrowser::backwardAvailable, this, [this](bool available) {
        m_canGoBack = available;
        btnBack->setEnabled(available);
    });
    connect(HelpBrowser, &QTextBrowser::forwardAvailable, this, [this](bool available) {
        m_canGoForward = available;
        btnForward->setEnabled(available);
    });

    m_formLoad = new FormLoad(this, [this] {
        try {
            navigate(startPage());
            HelpBrowser->setFocus();
        } catch (const std::exception& e) {
            Dialogs::message(this, describe(e));
        }
    });
}

QString frmHelp::startPage() {
    return QStringLiteral("qrc:/help/index.html");
}

void frmHelp::Form_Load() {
    m_formLoad->run();
}

void frmHelp::navigate(const QString& address) {
    const QString text = address.trimmed();
    if (text.isEmpty())
        throw std::runtime_error("Type the address of a page to show.");
    QUrl url;
    if (text.startsWith(QLatin1Char('/')))
        url = QUrl::fromLocalFile(text);
    else if (text.startsWith(QLatin1String("~/")))
        url = QUrl::fromLocalFile(QDir::homePath() + text.mid(1));
    else
        url = QUrl(text);
    if (!url.isValid())
        throw std::runtime_error(QStringLiteral("'%1' is not an address.").arg(text).toStdString());
    // A bare page name is read beside the page shown now.
    if (url.isRelative())
        url = HelpBrowser->source().resolved(url);

    const QString scheme = url.scheme();
    if (scheme == QLatin1String("qrc") || scheme == QLatin1String("file")) {
        const QString file =
            scheme == QLatin1String("qrc") ? QLatin1Char(':') + url.path() : url.toLocalFile();
        if (!QFileInfo(file).isFile())
            throw std::runtime_error(
                QStringLiteral("The page %1 could not be found.").arg(url.toString()).toStdString());
        HelpBrowser->setSource(url);
        return;
    }
    // Other addresses (the web, mail) are the desktop's to open.
    if (!QDesktopServices::openUrl(url))
        throw std::runtime_error(
            QStringLiteral("No program is available to open %1.").arg(url.toString()).toStdString());
}

void frmHelp::HelpBrowser_NavigateComplete(const QUrl& url) {
    txtURL->setText(url.toString());
}

void frmHelp::btnBack_Click() {
    if (m_canGoBack)
        HelpBrowser->backward();
}

void frmHelp::btnForward_Click() {
    if (m_canGoForward)
        HelpBrowser->forward();
}

void frmHelp::txtURL_Enter() {
    try {
        navigate(txtURL->text());
    } catch (const std::exception& e) {
        Dialogs::message(this, describe(e));
        // The box shows the page that is still on screen.
        txtURL->setText(HelpBrowser->source().toString());
    }
}
