#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QDialog;
class QWidget;

// Esc in a dialog closes it and discards what was typed. When a watched field holds
// something else than when the dialog was shown, Esc first asks "Discard the changes?"
// (Dialogs::ask): Yes closes as Esc does, No keeps the dialog and every field as it is.
// Without changes Esc closes at once. The EXIT button and the close box are not affected.
class DiscardGuard : public QObject {
    Q_OBJECT
  public:
    // Watches `fields` of `dialog` (which owns the guard); with none given, every field of
    // the dialog as it is when shown (line edits, combo boxes, check boxes, date pickers).
    explicit DiscardGuard(QDialog* dialog, QList<QWidget*> fields = {});

    // True when a watched field changed since the dialog was last shown.
    bool changed() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QStringList state() const;

    QDialog* m_dialog;
    QList<QPointer<QWidget>> m_fields;
    bool m_all;
    QStringList m_shown;
};
