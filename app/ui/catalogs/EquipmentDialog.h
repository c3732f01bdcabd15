#pragma once

#include "CatalogDialog.h"
#include "CatalogStatements.h"

#include <QStringList>

class DatePicker;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class SharedState;

// What sets one equipment dialog apart from the others: table, names, texts and which
// third field it has (price and purchase date for shoes and bikes, a length for videos).
struct EquipmentForm {
    QString formName; // "frmAddShoe": objectName, routine names in messages
    QString caption;  // "Add/Modify Shoes"
    QString noun;     // "Shoe": control names (txtAddShoe, cbShoeType, ...) and button captions
    QString plural;   // "shoes": "Problem in retrieving shoes - "
    CatalogStatements::Equipment equipment;
    QStringList types;          // built-in type list, the first one preselected
    bool purchased = true;      // price and purchase date (shoes, bikes); otherwise a length
    bool currencyPrice = false; // the price shows as "$#,##0.00" instead of "0.00"
    // Tooltips by control name ("txtAddBike", "chkActive", ...); absent names get none.
    QList<QPair<QString, QString>> tooltips;
};

// The equipment dialogs (shoes, bikes, videos): add an item, and in the modify section
// switch an existing item between active and inactive. The derived classes give the
// controls their own names and connect their named handlers; the work is done here.
class EquipmentDialog : public CatalogDialog {
    Q_OBJECT
  public:
    // Controls every equipment dialog has, named as in the forms.
    QLabel* Label1 = nullptr;        // name
    QLabel* Label2 = nullptr;        // type
    QLabel* Label3 = nullptr;        // price or length
    QLabel* Label4 = nullptr;        // name in the modify section
    QLabel* Label5 = nullptr;        // purchase date (shoes, bikes)
    QLabel* Label6 = nullptr;        // retirement distance (shoes, bikes)
    QLabel* Label7 = nullptr;        // retirement distance in the modify section
    QLineEdit* txtPrice = nullptr;   // shoes, bikes
    DatePicker* dtBuyDate = nullptr; // shoes, bikes
    // The distance at which the item is due for retirement, in the user's unit; empty: no limit.
    QLineEdit* txtRetireDistance = nullptr;   // shoes, bikes
    QLineEdit* txtMdRetireDistance = nullptr; // shoes, bikes, modify section
    QLineEdit* txtLength = nullptr;           // videos
    QCheckBox* chkActive = nullptr;
    QCheckBox* chkMdActive = nullptr;
    QPushButton* btnUpdate = nullptr;
    QPushButton* btnExit = nullptr;

    void btnUpdate_Click();
    void btnExit_Click();
    void txtPrice_LostFocus();

  protected:
    EquipmentDialog(SharedState& state, EquipmentForm form, QWidget* parent);

    // The load step: fills the type list and sets the purchase date to today.
    void load() override;
    // Fills the type list at load; by default with the form's built-in types.
    virtual void loadTypes();
    void setTypes(const QStringList& types);
    QString retireCaption() const;
    // Shows "<context><description> - In <form> <routine>".
    void showReadError(const QString& context, const QString& description, const QString& routine);

    void addItem();
    void showModifySection();
    void chooseItem();

    SharedState& m_state;
    EquipmentForm m_form;
    // The user's unit when the dialog opened: the retirement distance is typed and shown in it.
    bool m_miles = true;

    // The controls whose names differ per dialog (txtAddShoe, cbShoeType, btnAddShoe,
    // btnModifyShoe, cbModifyShoe); the derived classes hold them under those names.
    QLineEdit* m_name = nullptr;
    QComboBox* m_type = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_modify = nullptr;
    QComboBox* m_modifyList = nullptr;
};
