#include "frmOtherLog.h"

#include "CLibrary.h"
#include "FieldHelpers.h"
#include "SharedState.h"
#include "Ui.h"
#include "frmAddExercise.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QString ExerciseType = QStringLiteral("Other");

QString exercisesSql(const QString& user) {
    return QStringLiteral("SELECT Exercise_Name FROM Other_Setup WHERE ") + QStringLiteral("User_Name = ") +
           CLibrary::Quote(user);
}

QString definitionSql(const QString& user, const QString& exercise) {
    return QStringLiteral("SELECT Num_Fields, Field1, Field2, Field3 FROM Other_Setup ") +
           QStringLiteral("WHERE User_Name = ") + CLibrary::Quote(user) + QStringLiteral(" ") +
           QStringLiteral("AND Exercise_Name = ") + CLibrary::Quote(exercise);
}

// The drill-down's statement for one stored workout of this kind.
QString workoutSql(const QString& id) {
    return QStringLiteral("SELECT Format(Exercise_Date, 'dd-mmm-yyyy') AS tDate, Exercise_Time, ") +
           QStringLiteral("Exercise_Day, Comments, Exercise_Name, ") +
           QStringLiteral("Field1, Field2, Field3 ") + QStringLiteral("FROM Exercise_Master, OtherLog ") +
           QStringLiteral("WHERE Exercise_Id = Other_ID ") + QStringLiteral("AND Exercise_Id = ") +
           CLibrary::Number(id);
}

QString insertDetailSql(const QString& id, const QString& exercise, const QStringList& values) {
    return QStringLiteral("INSERT INTO OtherLog (Other_ID, Exercise_Name, ") +
           QStringLiteral("Field1, Field2, Field3) ") + QStringLiteral("VALUES (") + CLibrary::Number(id) +
           QStringLiteral(", ") + CLibrary::Quote(exercise) + QStringLiteral(", ") +
           CLibrary::Quote(values.value(0)) + QStringLiteral(", ") + CLibrary::Quote(values.value(1)) +
           QStringLiteral(", ") + CLibrary::Quote(values.value(2)) + QStringLiteral(")");
}

// `master` holds date, day, time and comments; one statement over both tables, which the
// data layer runs as one transaction.
QString updateSql(const QString& id, const QStringList& master, const QString& exercise,
                  const QStringList& values) {
    return QStringLiteral("UPDATE Exercise_Master, OtherLog ") + QStringLiteral("SET Exercise_Date = ") +
           CLibrary::Quote(master.value(0)) + QStringLiteral(", ") + QStringLiteral("Exercise_Day = ") +
           CLibrary::Quote(master.value(1)) + QStringLiteral(", ") + QStringLiteral("Exercise_Time = ") +
           CLibrary::Quote(master.value(2)) + QStringLiteral(", ") + QStringLiteral("Comments = ") +
           CLibrary::Quote(master.value(3)) + QStringLiteral(", ") + QStringLiteral("Exercise_Name = ") +
           CLibrary::Quote(exercise) + QStringLiteral(", ") + QStringLiteral("Field1 = ") +
           CLibrary::Quote(values.value(0)) + QStringLiteral(", ") + QStringLiteral("Field2 = ") +
           CLibrary::Quote(values.value(1)) + QStringLiteral(", ") + QStringLiteral("Field3 = ") +
           CLibrary::Quote(values.value(2)) + QStringLiteral(" ") + QStringLiteral("WHERE Exercise_ID = ") +
           CLibrary::Number(id) + QStringLiteral(" ") + QStringLiteral("AND Exercise_ID = Other_ID");
}

// Num_Fields read as the layout's row count; anything outside 1..3 lays out no rows.
int fieldRows(const QString& numFields) {
    bool ok = false;
    const int n = numFields.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= 3 ? n : 0;
}

QLabel* rightLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

template <class W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false); // Enter in a field must not press a button
    return b;
}

// Replaces nothing: appends `name` and keeps what the combo shows, since an editable combo
// would otherwise jump to its first item when its list was empty.
void appendKeepingText(QComboBox* combo, const QString& name, bool showWhenEmpty) {
    const QString text = combo->currentText();
    const int index = combo->currentIndex();
    combo->addItem(name);
    combo->setCurrentIndex(index);
    combo->setEditText(text.isEmpty() && showWhenEmpty ? name : text);
}

// Opening the combo's own list, or another window taking over, is not leaving the combo.
bool movesIntoOwnList(QComboBox* combo, QFocusEvent* event) {
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return true;
    const QWidget* next = QApplication::focusWidget();
    return combo->view()->isVisible() || (next && next->window() == combo->view()->window());
}

bool isReturnKey(QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// An editable combo takes leaving it, or Return, as choosing the item that matches its
// text (ignoring case). Here only a choice from the list counts, and the text stays
// exactly as typed; the combo still gets the event for its own upkeep.
void passOnKeepingText(QComboBox* combo, QEvent* event) {
    const QString text = combo->currentText();
    static_cast<QObject*>(combo)->event(event);
    if (combo->currentText() != text)
        combo->setEditText(text);
}

} // namespace

frmOtherLog::frmOtherLog(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmOtherLog"));
    setWindowTitle(QStringLiteral("User-Defined Trainbook"));

    lblDate = rightLabel(QStringLiteral("lblDate"), QStringLiteral("Date:"), this);
    txtDate = named(new QLineEdit(this), QStringLiteral("txtDate"));
    txtDate->setEnabled(false);
    lblDay = rightLabel(QStringLiteral("lblDay"), QStringLiteral("Day:"), this);
    txtDay = named(new QLineEdit(this), QStringLiteral("txtDay"));
    txtDay->setEnabled(false);
    lblExercise = rightLabel(QStringLiteral("lblExercise"), QStringLiteral("Exercise:"), this);
    cbExercise = named(new QComboBox(this), QStringLiteral("cbExercise"));
    cbExercise->setEditable(true);
    cbExercise->setInsertPolicy(QComboBox::NoInsert);
    cbExercise->setCompleter(nullptr); // the name stays exactly as typed
    lblTime = rightLabel(QStringLiteral("lblTime"), QStringLiteral("Time (hr:mm:ss):"), this);
    txtTime = named(new QLineEdit(this), QStringLiteral("txtTime"));
    lblField1 = rightLabel(QStringLiteral("lblField1"), QStringLiteral("Field 1:"), this);
    txtField1 = named(new QLineEdit(this), QStringLiteral("txtField1"));
    lblField2 = rightLabel(QStringLiteral("lblField2"), QStringLiteral("Field 2:"), this);
    txtField2 = named(new QLineEdit(this), QStringLiteral("txtField2"));
    lblField3 = rightLabel(QStringLiteral("lblField3"), QStringLiteral("twentycharacterfield:"), this);
    txtField3 = named(new QLineEdit(this), QStringLiteral("txtField3"));
    lblComments = rightLabel(QStringLiteral("lblComments"), QStringLiteral("Comments:"), this);
    txtComments = named(new QLineEdit(this), QStringLiteral("txtComments"));
    btnUpdate = button(QStringLiteral("btnUpdate"), QStringLiteral("Update Record"), this);
    btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("Add Record"), this);
    btnDelete = button(QStringLiteral("btnDelete"), QStringLiteral("Delete Record"), this);
    btnExit = button(QStringLiteral("btnExit"), QStringLiteral("EXIT"), this);
    txtID = named(new QLineEdit(this), QStringLiteral("txtID"));
    txtID->hide();

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->addWidget(lblDate, 0, 0);
    grid->addWidget(txtDate, 0, 1);
    grid->addWidget(lblDay, 0, 2);
    grid->addWidget(txtDay, 0, 3);
    grid->addWidget(lblExercise, 1, 0);
    grid->addWidget(cbExercise, 1, 1, 1, 3);
    grid->addWidget(lblTime, 2, 0);
    grid->addWidget(txtTime, 2, 1);
    const std::pair<QLabel*, QLineEdit*> rows[] = {
        {lblField1, txtField1}, {lblField2, txtField2}, {lblField3, txtField3}, {lblComments, txtComments}};
    int row = 3;
    for (const auto& [label, field] : rows) {
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1, 1, 3);
        ++row;
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {btnUpdate, btnAdd, btnDelete, btnExit})
        buttons->addWidget(b);
    buttons->addStretch();

    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addSpacing(8);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetMinimumSize);

    setTabOrder(txtDate, txtDay);
    setTabOrder(txtDay, cbExercise);
    setTabOrder(cbExercise, txtTime);
    setTabOrder(txtTime, txtField1);
    setTabOrder(txtField1, txtField2);
    setTabOrder(txtField2, txtField3);
    setTabOrder(txtField3, txtComments);
    setTabOrder(txtComments, btnUpdate);
    setTabOrder(btnUpdate, btnAdd);
    setTabOrder(btnAdd, btnDelete);
    setTabOrder(btnDelete, btnExit);

    for (QWidget* w : {txtDate, txtDay, txtTime, txtField1, txtField2, txtField3, txtComments})
        Fields::selectAllOnFocus(w);
    Fields::installTimeFilter(txtTime);
    // The combo holds the focus for its line edit, so its focus-out is watched on it.
    cbExercise->installEventFilter(this);

    connect(cbExercise, &QComboBox::activated, this, &frmOtherLog::cbExercise_Click);
    connect(btnAdd, &QPushButton::clicked, this, &frmOtherLog::btnAdd_Click);
    connect(btnUpdate, &QPushButton::clicked, this, &frmOtherLog::btnUpdate_Click);
    connect(btnDelete, &QPushButton::clicked, this, &frmOtherLog::btnDelete_Click);
    connect(btnExit, &QPushButton::clicked, this, &frmOtherLog::btnExit_Click);

    fitToContent();
}

void frmOtherLog::ensureLoaded() {
    if (!m_loaded)
        Form_Load();
}

void frmOtherLog::showEvent(QShowEvent* event) {
    ensureLoaded();
    QDialog::showEvent(event);
}

void frmOtherLog::Form_Load() {
    if (m_loaded)
        return;
    m_loaded = true;
    try {
        CLibrary lib;
        QStringList names;
        {
            auto conn = lib.GetConnection();
            for (ResultSet rs = conn->query(exercisesSql(m_state.currentUser())); !rs.eof(); rs.moveNext())
                names << rs.field(QStringLiteral("Exercise_Name"));
        }
        if (names.isEmpty()) {
            if (Ui::ask(this, QStringLiteral(
                                  "This application will not function as it should unless an exercise ") +
                                  QStringLiteral("is entered. Enter one now?"))) {
                frmAddExercise setup(m_state, this);
                setup.showAddSectionOnly();
                setup.setCatalogHook(this);
                Ui::execModal(&setup);
            }
            return;
        }
        for (const QString& name : names)
            appendKeepingText(cbExercise, name, false);
    } catch (const DbError& e) {
        Ui::message(this, QStringLiteral("Could not retrieve exercises - ") + e.description() +
                              QStringLiteral(" - In frmOtherLog Form_Load"));
    } catch (const std::exception& e) {
        Ui::message(this, QStringLiteral("Could not retrieve exercises - ") + QString::fromUtf8(e.what()) +
                              QStringLiteral(" - In frmOtherLog Form_Load"));
    }
}

void frmOtherLog::openForAdd(const QString& date, const QString& day) {
    ensureLoaded();
    txtDate->setText(date);
    txtDay->setText(day);
    btnUpdate->hide();
    btnDelete->hide();
    btnAdd->show();
    // No exercise is chosen yet, so no field row shows.
    showFieldRows(0);
    fitToContent();
}

bool frmOtherLog::openForEdit(const QString& id, bool reportMiles) {
    Q_UNUSED(reportMiles); // this kind has no distance of its own to show
    ensureLoaded();
    QString key;
    try {
        key = CLibrary::Number(id);
        CLibrary lib;
        auto conn = lib.GetConnection();
        ResultSet rs = conn->query(workoutSql(key));
        if (!rs.eof()) {
            const auto fillIfAny = [&rs](QLineEdit* field, const char* column) {
                const QString value = rs.field(QString::fromLatin1(column));
                if (!value.isEmpty())
                    field->setText(value);
            };
            txtDate->setText(rs.field(QStringLiteral("tDate")));
            txtTime->setText(rs.field(QStringLiteral("Exercise_Time")));
            txtDay->setText(rs.field(QStringLiteral("Exercise_Day")));
            fillIfAny(txtComments, "Comments");
            fillIfAny(txtField1, "Field1");
            fillIfAny(txtField2, "Field2");
            fillIfAny(txtField3, "Field3");
            cbExercise->setEditText(rs.field(QStringLiteral("Exercise_Name")));
        }
    } catch (const DbError& e) {
        Ui::message(this, QStringLiteral("Could not retrieve data - ") + e.description() +
                              QStringLiteral(" - In frmTextRpt lstReport_DblClick"));
        return false;
    } catch (const std::exception& e) {
        Ui::message(this, QStringLiteral("Could not retrieve data - ") + QString::fromUtf8(e.what()) +
                              QStringLiteral(" - In frmTextRpt lstReport_DblClick"));
        return false;
    }
    txtDate->setEnabled(true);
    txtDay->setEnabled(true);
    txtID->setText(key);
    Setup_Form();
    return true;
}

void frmOtherLog::Setup_Form() {
    try {
        CLibrary lib;
        auto conn = lib.GetConnection();
        ResultSet rs = conn->query(definitionSql(m_state.currentUser(), cbExercise->currentText()));
        if (!rs.eof()) {
            lblField1->setText(rs.field(QStringLiteral("Field1")) + QLatin1Char(':'));
            lblField2->setText(rs.field(QStringLiteral("Field2")) + QLatin1Char(':'));
            lblField3->setText(rs.field(QStringLiteral("Field3")) + QLatin1Char(':'));
            showFieldRows(fieldRows(rs.field(QStringLiteral("Num_Fields"))));
        }
    } catch (const DbError& e) {
        Ui::message(this, QStringLiteral("Problem in retrieving exercise - ") + e.description() +
                              QStringLiteral(" - In frmOtherLog Setup_Form"));
    } catch (const std::exception& e) {
        Ui::message(this, QStringLiteral("Problem in retrieving exercise - ") + QString::fromUtf8(e.what()) +
                              QStringLiteral(" - In frmOtherLog Setup_Form"));
    }
    // The buttons follow the mode even when the exercise is not defined, so that a stored
    // workout of an unknown exercise never offers Add Record beside Update Record.
    placeButtons();
    fitToContent();
}

void frmOtherLog::showFieldRows(int n) {
    const std::pair<QLabel*, QLineEdit*> rows[] = {
        {lblField1, txtField1}, {lblField2, txtField2}, {lblField3, txtField3}};
    int i = 0;
    for (const auto& [label, field] : rows) {
        // Hidden boxes keep their texts; they are written with the workout as they are.
        label->setVisible(i < n);
        field->setVisible(i < n);
        ++i;
    }
}

void frmOtherLog::placeButtons() {
    const bool editing = !txtID->text().isEmpty();
    btnUpdate->setVisible(editing);
    btnDelete->setVisible(editing);
    btnAdd->setVisible(!editing);
}

void frmOtherLog::fitToContent() {
    layout()->invalidate();
    layout()->activate();
    adjustSize();
}

int frmOtherLog::visibleFieldCount() const {
    int n = 0;
    for (const QLineEdit* field : {txtField1, txtField2, txtField3})
        n += field->isHidden() ? 0 : 1;
    return n;
}

QStringList frmOtherLog::visibleButtons() const {
    QStringList shown;
    for (const QPushButton* b : {btnUpdate, btnAdd, btnDelete, btnExit})
        if (!b->isHidden())
            shown << b->text();
    return shown;
}

void frmOtherLog::catalogItemAdded(const QString& catalog, const QString& name) {
    if (catalog == QLatin1String("frmAddExercise"))
        appendKeepingText(cbExercise, name, true); // the text alone; no layout until chosen
}

bool frmOtherLog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != cbExercise)
        return QDialog::eventFilter(watched, event);
    const bool leaving = event->type() == QEvent::FocusOut;
    if (leaving && !movesIntoOwnList(cbExercise, static_cast<QFocusEvent*>(event)))
        cbExercise_LostFocus();
    if (leaving || isReturnKey(event)) {
        QScopedValueRollback<bool> passing(m_passingOn, true);
        passOnKeepingText(cbExercise, event);
        return true;
    }
    return false;
}

void frmOtherLog::cbExercise_Click() {
    if (!m_passingOn)
        Setup_Form();
}

void frmOtherLog::cbExercise_LostFocus() {
    const QString text = cbExercise->currentText();
    for (int i = 0; i < cbExercise->count(); ++i)
        if (cbExercise->itemText(i) == text)
            return;
    Ui::message(this, QStringLiteral("This exercise has not been defined."));
}

void frmOtherLog::btnAdd_Click() {
    QString id = QStringLiteral("0");
    try {
        CLibrary lib;
        lib.setSUser(m_state.currentUser());
        lib.setSDate(txtDate->text());
        lib.setSDay(txtDay->text());
        lib.setSExercise(ExerciseType);
        lib.setSTime(txtTime->text());
        lib.setSComments(txtComments->text());
        const QString exercise = cbExercise->currentText();
        const QStringList values{txtField1->text(), txtField2->text(), txtField3->text()};
        // Master and detail row in one transaction: both are written, or neither.
        id = lib.AddMasterWithDetail(
            [&](const QString& newId) { return insertDetailSql(newId, exercise, values); });
    } catch (const std::exception&) {
        id = QStringLiteral("0");
    }
    if (id != QLatin1String("0")) {
        Ui::message(this, QStringLiteral("data entered"));
        accept();
    } else {
        Ui::message(this, QStringLiteral("Problem entering data"));
    }
}

void frmOtherLog::btnUpdate_Click() {
    if (txtID->text().isEmpty()) {
        Ui::message(this, QStringLiteral("No ID found"));
        return;
    }
    bool ok = false;
    try {
        ok = CLibrary().Insert_UpdateRec(
            updateSql(txtID->text(), {txtDate->text(), txtDay->text(), txtTime->text(), txtComments->text()},
                      cbExercise->currentText(), {txtField1->text(), txtField2->text(), txtField3->text()}));
    } catch (const std::exception&) {
        ok = false; // an identifier that is not a number: nothing is written
    }
    if (ok) {
        Ui::message(this, QStringLiteral("Record Updated"));
        accept();
    } else {
        Ui::message(this, QStringLiteral("Problem updating record"));
    }
}

void frmOtherLog::btnDelete_Click() {
    if (txtID->text().isEmpty()) {
        Ui::message(this, QStringLiteral("No ID found"));
        return;
    }
    bool ok = false;
    try {
        ok = CLibrary().DeleteWorkout(QStringLiteral("OtherLog"), QStringLiteral("Other_ID"), txtID->text());
    } catch (const std::exception&) {
        ok = false;
    }
    if (ok) {
        Ui::message(this, QStringLiteral("Record Deleted"));
        accept();
    } else {
        Ui::message(this, QStringLiteral("Problem deleting record"));
    }
}

void frmOtherLog::btnExit_Click() {
    reject();
}
