#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QComboBox;
class QLineEdit;
class QAbstractScrollArea;
class QWidget;

// Small field behaviours shared by every window.
namespace Fields {

// Selects the whole text whenever the field gets the focus (line edit or editable combo).
void selectAllOnFocus(QWidget* field);

// The opposite for an editable combo box whose text is usually kept (a preselected pair of
// shoes): reaching it with Tab leaves the caret at the end instead of selecting the text.
void keepTextOnFocus(QComboBox* combo);

// On every change, drops the last character when it is neither a digit nor "." and puts
// the caret at the end. Only the last character is looked at, as typed text arrives there.
void installDistanceFilter(QLineEdit* field);

// The same for durations: digits and ":" only.
void installTimeFilter(QLineEdit* field);

// Makes `combo` an editable pick list whose text is exactly what was typed or chosen: no
// completion, nothing typed joins the list, and neither leaving the box nor Return counts
// as choosing an item (Qt would otherwise make the item equal to the text current and emit
// activated()). Only a choice from the list or with the arrow keys emits activated().
// Call it before any onLeave() on the same combo.
void plainCombo(QComboBox* combo);

// Appends items to a pick list without changing the text shown in it (adding the first
// item to an empty list would otherwise make it the text).
void appendItems(QComboBox* combo, const QStringList& items);

// Lists `items` afresh and selects the first; false when there is none to select.
bool replaceItems(QComboBox* combo, const QStringList& items);

// Catalog hook: appends `name` to the list and makes it the text when the text is empty;
// a typed text stays.
void appendPickItem(QComboBox* combo, const QString& name);

// Calls `handler` when the focus leaves the field for another control of its window. The
// focus going to a pop-up (the combo's own list, a context menu) or to another window is
// not leaving: the field has it again when that closes.
void onLeave(QWidget* field, std::function<void()> handler);

// The value a field holds as a statement takes it: a line edit's text, a combo's text, a
// date picker's date (M/d/yyyy). Empty for any other widget.
QString text(const QWidget* field);
// Writes a stored value into a field: a line edit's or combo's text, a date picker's date
// from any date text it reads (left as it was for one it does not).
void setText(QWidget* field, const QString& value);

// A window's width/height given in twips, as device-independent pixels (1440 per inch,
// 96 pixels per inch).
int twips(int value);

// Widens `window` (never narrows it) so that `list` shows lines of `columns` characters of its
// fixed-width font whole, as far as the screen allows. Call it once the window is laid out.
void widenForColumns(QWidget* window, const QAbstractScrollArea* list, int columns);

} // namespace Fields
