#include "Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStyle>

namespace {
std::function<void(const QString&)> messageHandler;
std::function<bool(const QString&)> askHandler;
std::function<int(QDialog*)> modalHandler;

QMessageBox* makeBox(QWidget* parent, const QString& text) {
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(QString::fromLatin1(Dialogs::Title));
    box->setIcon(QMessageBox::NoIcon);
    box->setText(text);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    // A box sized to a short text is narrower than its title bar needs, and the window
    // manager cuts the title ("Tr…k"). A spacer as wide as the title plus room for the
    // bar's icon and buttons keeps the title whole; the box sizes itself from its layout.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(
            new QSpacerItem(Dialogs::minimumBoxWidth(), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}
} // namespace

namespace Dialogs {

void message(QWidget* parent, const QString& text) {
    if (messageHandler) {
        messageHandler(text);
        return;
    }
    std::unique_ptr<QMessageBox> box(makeBox(parent, text));
    box->setStandardButtons(QMessageBox::Ok);
    box->exec();
}

bool ask(QWidget* parent, const QString& text) {
    if (askHandler)
        return askHandler(text);
    std::unique_ptr<QMessageBox> box(makeBox(parent, text));
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    return box->exec() == QMessageBox::Yes;
}

int execModal(QDialog* dialog) {
    if (modalHandler)
        return modalHandler(dialog);
    return dialog->exec();
}

int minimumBoxWidth() {
    const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
    const int bar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return title.horizontalAdvance(QString::fromLatin1(Title)) + 5 * bar;
}

void setMessageHandler(std::function<void(const QString&)> handler) {
    messageHandler = std::move(handler);
}
void setAskHandler(std::function<bool(const QString&)> handler) {
    askHandler = std::move(handler);
}
void setModalHandler(std::function<int(QDialog*)> handler) {
    modalHandler = std::move(handler);
}

} // namespace Dialogs
