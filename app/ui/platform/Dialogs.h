#pragma once

#include <QString>
#include <functional>

class QDialog;
class QWidget;

// The seams through which windows talk to the person: message boxes and modal windows.
// Every message box and every modal window of the program goes through here, so tests can
// record what is shown, script the answers, and drive a window that another window opens.
namespace Dialogs {

inline constexpr const char* Title = "Trainbook";

// Shows `text` with an OK button, titled "Trainbook", no icon.
void message(QWidget* parent, const QString& text);
// Asks `text` with Yes and No buttons; true for Yes.
bool ask(QWidget* parent, const QString& text);
// Shows `dialog` modally and returns its result code.
int execModal(QDialog* dialog);

// The least width of a message box: its title whole, beside the title bar's icon and buttons.
int minimumBoxWidth();

// Test hooks: replace the behaviour of the three calls above; an empty function restores
// the real one.
void setMessageHandler(std::function<void(const QString&)> handler);
void setAskHandler(std::function<bool(const QString&)> handler);
void setModalHandler(std::function<int(QDialog*)> handler);

} // namespace Dialogs
