#include "FieldHelpers.h"

#include "DatePicker.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <algorithm>

namespace {

// Selects all text on focus-in. The selection is made after the focus event has been
// handled, since a mouse click that gave the focus would otherwise place the caret again.
class SelectAllFilter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            QLineEdit* edit = qobject_cast<QLineEdit*>(watched);
            if (!edit) {
                if (auto* combo = qobject_cast<QComboBox*>(watched))
                    edit = combo->lineEdit();
            }
            if (edit) {
                QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
                edit->selectAll();
            }
        }
        return false;
    }
};

// Lets the combo take the focus as usual (its line edit selects all on Tab), then drops the
// selection.
class KeepTextFilter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusIn)
            return false;
        auto* combo = static_cast<QComboBox*>(watched);
        static_cast<QObject*>(combo)->event(event);
        if (QLineEdit* edit = combo->lineEdit())
            edit->deselect();
        return true;
    }
};

// Leaving a field means the focus went to another control of the same window (or
// nowhere). A pop-up opening (the combo's own list, a context menu) or another window
// being activated takes the focus only for a while.
bool leavesField(const QWidget* field, const QFocusEvent* event) {
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return false;
    const QWidget* next = QApplication::focusWidget();
    return !next || next->window() == field->window();
}

class LeaveFilter : public QObject {
  public:
    LeaveFilter(QWidget* field, std::function<void()> handler)
        : QObject(field), m_handler(std::move(handler)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut &&
            leavesField(static_cast<QWidget*>(watched), static_cast<QFocusEvent*>(event)))
            m_handler();
        return false;
    }

  private:
    std::function<void()> m_handler;
};

// An editable QComboBox that loses the focus or gets Return looks for the item equal to its
// text, makes it current and emits activated(), as if it had been chosen. The combo still
// gets those events for its own upkeep, but quietly, and its text and index are put back.
class PlainComboFilter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!isLeaveOrReturn(event))
            return false;
        // A combo that is being destroyed is no longer a QComboBox when its focus leaves.
        auto* combo = qobject_cast<QComboBox*>(watched);
        if (!combo)
            return false;
        const QString text = combo->currentText();
        const int index = combo->currentIndex();
        const QSignalBlocker quiet(combo);
        static_cast<QObject*>(combo)->event(event);
        if (combo->currentIndex() != index || combo->currentText() != text) {
            combo->setCurrentIndex(index);
            combo->setEditText(text);
        }
        return true;
    }

  private:
    static bool isLeaveOrReturn(const QEvent* event) {
        if (event->type() == QEvent::FocusOut)
            return true;
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<const QKeyEvent*>(event)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    }
};

void installLastCharFilter(QLineEdit* field, bool (*allowed)(QChar)) {
    QObject::connect(field, &QLineEdit::textChanged, field, [field, allowed](const QString& text) {
        if (text.isEmpty() || allowed(text.back()))
            return;
        QString kept = text;
        kept.chop(1);
        field->setText(kept);
        field->setCursorPosition(kept.size());
    });
}

} // namespace

namespace Fields {

void selectAllOnFocus(QWidget* field) {
    field->installEventFilter(new SelectAllFilter(field));
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->installEventFilter(new SelectAllFilter(combo->lineEdit()));
}

void keepTextOnFocus(QComboBox* combo) {
    combo->installEventFilter(new KeepTextFilter(combo));
}

void installDistanceFilter(QLineEdit* field) {
    installLastCharFilter(field, [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; });
}

void installTimeFilter(QLineEdit* field) {
    installLastCharFilter(field, [](QChar c) { return (c >= u'0' && c <= u'9') || c == u':'; });
}

void plainCombo(QComboBox* combo) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->installEventFilter(new PlainComboFilter(combo));
}

void appendItems(QComboBox* combo, const QStringList& items) {
    const QString text = combo->currentText();
    combo->addItems(items);
    if (combo->currentText() != text) {
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
    }
}

bool replaceItems(QComboBox* combo, const QStringList& items) {
    combo->clear();
    combo->addItems(items);
    if (items.isEmpty())
        return false;
    combo->setCurrentIndex(0);
    return true;
}

void appendPickItem(QComboBox* combo, const QString& name) {
    // Adding the first item to an empty list makes Qt select it, which would replace text
    // the person typed; keep that text and take the new name only when there was none.
    const QString typed = combo->currentText();
    combo->addItem(name);
    combo->setCurrentText(typed.isEmpty() ? name : typed);
}

void onLeave(QWidget* field, std::function<void()> handler) {
    // An editable combo box keeps the focus itself and forwards focus events to its line
    // edit directly, so the combo is the one to watch. Installed after plainCombo(), this
    // filter sees the focus leaving before that one consumes the event.
    field->installEventFilter(new LeaveFilter(field, std::move(handler)));
}

int twips(int value) {
    return (value * 96 + 720) / 1440;
}

void widenForColumns(QWidget* window, const QAbstractScrollArea* list, int columns) {
    const QFontMetrics metrics(list->font());
    const int text = metrics.horizontalAdvance(QString(columns, QLatin1Char('M')));
    // The list's frame, the item's own margins and a vertical scroll bar beside the lines.
    const int listWidth = text + 2 * list->frameWidth() + 8 +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    // The window's layout margins around the list.
    const int around = std::max(0, window->width() - list->width());
    int wanted = listWidth + (list->width() > 0 && window->isVisible() ? around : 24);
    if (const QScreen* screen = window->screen())
        wanted = std::min(wanted, screen->availableGeometry().width());
    if (wanted > window->width())
        window->resize(wanted, window->height());
}

QString text(const QWidget* field) {
    if (auto* edit = qobject_cast<const QLineEdit*>(field))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(field))
        return combo->currentText();
    if (auto* picker = qobject_cast<const DatePicker*>(field))
        return picker->statementText();
    return QString();
}

void setText(QWidget* field, const QString& value) {
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(field))
        combo->setEditText(value);
    else if (auto* picker = qobject_cast<DatePicker*>(field))
        picker->setValueText(value);
}

} // namespace Fields
