#pragma once

#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <functional>

class FormLoad;
class QComboBox;
class QHBoxLayout;
class QPushButton;

// What every catalog dialog shares: the window's shape (an add form above its buttons, and
// for the dialogs that modify items a section below a separating line, the window fitted
// to the sections it shows), the load step run once, the refill of the modify list, and the
// announcement of an item stored by the add button.
//
// A window waiting for a new item (a log whose pick list is empty) connects to itemAdded().
class CatalogDialog : public QDialog {
    Q_OBJECT
  public:
    // The load step (lists and defaults). Runs once: when the dialog is first shown, or
    // earlier when a caller needs the lists filled before it sets a field.
    void Form_Load();

    bool modifySectionVisible() const;

  signals:
    // An item was stored; the dialog closes right after.
    void itemAdded(const QString& name);

  protected:
    CatalogDialog(const QString& name, const QString& caption, QWidget* parent);

    // The dialog's own load step; the default has nothing to load.
    virtual void load() {}

    // A row of `form`: a label named `labelName` showing `caption`, and a new field of type
    // Field named `fieldName`, which is returned.
    template <class Field>
    Field* addRow(QFormLayout* form, QLabel*& label, const QString& labelName, const QString& caption,
                  const QString& fieldName) {
        label = new QLabel(caption, this);
        label->setObjectName(labelName);
        auto* field = new Field(this);
        field->setObjectName(fieldName);
        form->addRow(label, field);
        return field;
    }

    // Builds the modify section: a separating line (Line1), `form`, and a row holding
    // `update`, which stays disabled until the list has an item. Call before layOut().
    QWidget* makeModifySection(QFormLayout* form, QPushButton* update);
    // Lays the window out: `addForm` above `buttons`, the modify section (if made) below.
    void layOut(QFormLayout* addForm, QHBoxLayout* buttons);
    // Lists `names` afresh in `list` (pressing Modify again never lists them twice), enables
    // the update button when there is one, runs `chooseFirst` for it, and shows the section.
    void refillModifyList(QComboBox* list, const QStringList& names,
                          const std::function<void()>& chooseFirst);
    // Announces an item the add button stored and closes the dialog.
    void announceAdded(const QString& name);

    QWidget* m_modifySection = nullptr;

  private:
    FormLoad* m_formLoad = nullptr;
    QPushButton* m_update = nullptr;
};
