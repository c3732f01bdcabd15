#include "FieldHelpers.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

// Selects all text on focus-in. The selection is made after the focus event has been
// handled, since a mouse click that gave the focus would otherwise place the caret again.
class SelectAllFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
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

class LeaveFilter : public QObject {
public:
    LeaveFilter(QObject* parent, std::function<void()> handler) : QObject(parent), m_handler(std::move(handler)) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut)
            m_handler();
        return false;
    }

private:
    std::function<void()> m_handler;
};

void installLastCharFilter(QLineEdit* field, bool (*allowed)(QChar))
{
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

void selectAllOnFocus(QWidget* field)
{
    field->installEventFilter(new SelectAllFilter(field));
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->installEventFilter(new SelectAllFilter(combo->lineEdit()));
}

void installDistanceFilter(QLineEdit* field)
{
    installLastCharFilter(field, [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; });
}

void installTimeFilter(QLineEdit* field)
{
    installLastCharFilter(field, [](QChar c) { return (c >= u'0' && c <= u'9') || c == u':'; });
}

void appendPickItem(QComboBox* combo, const QString& name)
{
    // Adding the first item to an empty list makes Qt select it, which would replace text
    // the person typed; keep that text and take the new name only when there was none.
    const QString typed = combo->currentText();
    combo->addItem(name);
    combo->setCurrentText(typed.isEmpty() ? name : typed);
}

void onLeave(QWidget* field, std::function<void()> handler)
{
    // An editable combo box keeps the focus itself and forwards focus events to its line
    // edit directly, so the combo is the one to watch.
    field->installEventFilter(new LeaveFilter(field, std::move(handler)));
}

int twips(int value) { return (value * 96 + 720) / 1440; }

} // namespace Fields
