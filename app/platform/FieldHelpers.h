#pragma once

#include <QString>
#include <functional>

class QComboBox;
class QLineEdit;
class QWidget;

// Small field behaviours shared by every window.
namespace Fields {

// Selects the whole text whenever the field gets the focus (line edit or editable combo).
void selectAllOnFocus(QWidget* field);

// On every change, drops the last character when it is neither a digit nor "." and puts
// the caret at the end. Only the last character is looked at, as typed text arrives there.
void installDistanceFilter(QLineEdit* field);

// The same for durations: digits and ":" only.
void installTimeFilter(QLineEdit* field);

// Appends `name` to the combo's list and makes it the text when the text is empty.
void appendPickItem(QComboBox* combo, const QString& name);

// Calls `handler` when the field loses the focus (the "leaving a field" of the windows).
void onLeave(QWidget* field, std::function<void()> handler);

// A window's width/height given in twips, as device-independent pixels (1440 per inch,
// 96 pixels per inch).
int twips(int value);

} // namespace Fields
