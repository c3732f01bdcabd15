#pragma once

#include <QDialog>

class FormLoad;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;
class QUrl;

// "Help": the program's help pages, which are built into the program, with back, forward
// and an address box.
class frmHelp : public QDialog {
    Q_OBJECT
  public:
    explicit frmHelp(QWidget* parent = nullptr);

    // The first page shown.
    static QString startPage();

    // Shows the start page. Runs once, on first show.
    void Form_Load();

    void btnBack_Click();
    void btnForward_Click();
    // Enter in the address box: opens the typed address.
    void txtURL_Enter();
    // After each page is shown: its address goes into the address box.
    void HelpBrowser_NavigateComplete(const QUrl& url);

    bool canGoBack() const { return m_canGoBack; }
    bool canGoForward() const { return m_canGoForward; }

    QLabel* Label1 = nullptr;
    QLineEdit* txtURL = nullptr;
    QPushButton* btnBack = nullptr;
    QPushButton* btnForward = nullptr;
    QTextBrowser* HelpBrowser = nullptr;

  private:
    // Shows a help page or local file, or hands a web address to the desktop's browser.
    // Throws std::runtime_error with the description to show.
    void navigate(const QString& address);

    FormLoad* m_formLoad = nullptr;
    bool m_canGoBack = false;
    bool m_canGoForward = false;
};
