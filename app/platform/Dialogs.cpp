#include "Dialogs.h"

#include <QDialog>
#include <QMessageBox>

namespace {
std::function<void(const QString&)> messageHandler;
std::function<bool(const QString&)> askHandler;
std::function<int(QDialog*)> modalHandler;

QMessageBox* makeBox(QWidget* parent, const QString& text)
{
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(QString::fromLatin1(Dialogs::Title));
    box->setIcon(QMessageBox::NoIcon);
    box->setText(text);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    return box;
}
} // namespace

namespace Dialogs {

void message(QWidget* parent, const QString& text)
{
    if (messageHandler) {
        messageHandler(text);
        return;
    }
    std::unique_ptr<QMessageBox> box(makeBox(parent, text));
    box->setStandardButtons(QMessageBox::Ok);
    box->exec();
}

bool ask(QWidget* parent, const QString& text)
{
    if (askHandler)
        return askHandler(text);
    std::unique_ptr<QMessageBox> box(makeBox(parent, text));
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    return box->exec() == QMessageBox::Yes;
}

int execModal(QDialog* dialog)
{
    if (modalHandler)
        return modalHandler(dialog);
    return dialog->exec();
}

void setMessageHandler(std::function<void(const QString&)> handler) { messageHandler = std::move(handler); }
void setAskHandler(std::function<bool(const QString&)> handler) { askHandler = std::move(handler); }
void setModalHandler(std::function<int(QDialog*)> handler) { modalHandler = std::move(handler); }

} // namespace Dialogs
