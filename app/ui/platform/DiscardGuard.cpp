#include "DiscardGuard.h"

#include "Dialogs.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// What a field holds, as text; empty for a widget that is not a field.
QString fieldState(const QWidget* w) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        return QStringLiteral("t:") + edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(w))
        return QStringLiteral("c:") + combo->currentText();
    if (const auto* date = qobject_cast<const QDateTimeEdit*>(w))
        return QStringLiteral("d:") + date->dateTime().toString(Qt::ISODate);
    if (const auto* button = qobject_cast<const QAbstractButton*>(w); button && button->isCheckable())
        return button->isChecked() ? QStringLiteral("b:1") : QStringLiteral("b:0");
    return QString();
}

// A line edit inside a combo box or a spin box belongs to that field.
bool isPartOfField(const QWidget* w) {
    const QObject* parent = w->parent();
    return qobject_cast<const QLineEdit*>(w) &&
           (qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent));
}

} // namespace

DiscardGuard::DiscardGuard(QDialog* dialog, QList<QWidget*> fields)
    : QObject(dialog), m_dialog(dialog), m_all(fields.isEmpty()) {
    for (QWidget* field : fields)
        if (field)
            m_fields << field;
    dialog->installEventFilter(this);
}

QStringList DiscardGuard::state() const {
    QStringList out;
    if (m_all) {
        for (const QWidget* w : m_dialog->findChildren<QWidget*>())
            if (!isPartOfField(w))
                if (QString s = fieldState(w); !s.isEmpty())
                    out << w->objectName() + QLatin1Char('=') + s;
        return out;
    }
    for (const QPointer<QWidget>& w : m_fields)
        if (w)
            out << w->objectName() + QLatin1Char('=') + fieldState(w);
    return out;
}

bool DiscardGuard::changed() const {
    return state() != m_shown;
}

bool DiscardGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_dialog)
        return false;
    // ShowToParent follows the window's own show handling, so what its load step fills in
    // counts as the starting state.
    if (event->type() == QEvent::ShowToParent) {
        m_shown = state();
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier && changed() &&
            !Dialogs::ask(m_dialog, QStringLiteral("Discard the changes?")))
            return true;
    }
    return false;
}
