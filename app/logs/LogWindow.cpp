#include "LogWindow.h"

#include "CLibrary.h"
#include "DateText.h"
#include "FieldHelpers.h"
#include "Ui.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LogWindow::LogWindow(SharedState& state, const Kind& kind, QWidget* parent)
    : QDialog(parent), m_state(state), m_kind(kind)
{
    setObjectName(kind.windowName);
    setWindowTitle(kind.caption);

    auto* outer = new QVBoxLayout(this);
    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(8);
    m_grid->setColumnStretch(1, 1);
    m_grid->setColumnStretch(3, 1);
    outer->addLayout(m_grid);

    txtDate = makeLineEdit(QStringLiteral("txtDate"));
    txtDate->setEnabled(false);
    txtDay = makeLineEdit(QStringLiteral("txtDay"));
    txtDay->setEnabled(false);
    txtExercise = makeLineEdit(QStringLiteral("txtExercise"));
    txtExercise->setText(kind.exerciseType);
    txtExercise->setEnabled(false);
    txtTime = makeLineEdit(QStringLiteral("txtTime"));
    txtComments = makeLineEdit(QStringLiteral("txtComments"));
    txtComments->setMinimumWidth(Fields::twips(3600));

    // Hidden carrier of the stored workout's identifier; its design text is never read
    // because Update and Delete are hidden in add mode.
    txtID = new QLineEdit(QStringLiteral("ID Field"), this);
    txtID->setObjectName(QStringLiteral("txtID"));
    txtID->hide();

    lblDate = makeLabel(QStringLiteral("lblDate"), QStringLiteral("Date:"));
    lblDay = makeLabel(QStringLiteral("lblDay"), QStringLiteral("Day:"));
    lblExercise = makeLabel(QStringLiteral("lblExercise"), QStringLiteral("Exercise:"));
    lblTime = makeLabel(QStringLiteral("lblTime"), QStringLiteral("Time (hr:mm:ss):"));
    lblComments = makeLabel(QStringLiteral("lblComments"), QStringLiteral("Comments:"));

    auto makeButton = [this](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    btnUpdate = makeButton(QStringLiteral("btnUpdate"), QStringLiteral("Update Record"));
    btnAdd = makeButton(kind.addButtonName, QStringLiteral("Add Record"));
    btnDelete = makeButton(QStringLiteral("btnDelete"), QStringLiteral("Delete Record"));
    btnExit = makeButton(QStringLiteral("btnExit"), QStringLiteral("EXIT"));

    for (QWidget* w : {static_cast<QWidget*>(txtDate), static_cast<QWidget*>(txtDay),
                       static_cast<QWidget*>(txtTime), static_cast<QWidget*>(txtComments)})
        Fields::selectAllOnFocus(w);
    Fields::installTimeFilter(txtTime);

    connect(txtDate, &QLineEdit::textChanged, this, &LogWindow::txtDate_Change);
    connect(btnAdd, &QPushButton::clicked, this, &LogWindow::btnAdd_Click);
    connect(btnUpdate, &QPushButton::clicked, this, &LogWindow::btnUpdate_Click);
    connect(btnDelete, &QPushButton::clicked, this, &LogWindow::btnDelete_Click);
    connect(btnExit, &QPushButton::clicked, this, &LogWindow::btnExit_Click);
}

// --- Building -------------------------------------------------------------------------------

QLineEdit* LogWindow::makeLineEdit(const QString& name)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    return e;
}

QComboBox* LogWindow::makeCombo(const QString& name)
{
    auto* c = new QComboBox(this);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    // No inline completion: what is typed is what is stored ("Riv" stays "Riv", not "River").
    c->setCompleter(nullptr);
    c->setMinimumContentsLength(16);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return c;
}

QLabel* LogWindow::makeLabel(const QString& name, const QString& caption)
{
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLabel* LogWindow::addRow(const QString& labelName, const QString& caption, QWidget* field)
{
    QLabel* label = makeLabel(labelName, caption);
    label->setBuddy(field);
    m_grid->addWidget(label, m_row, 0);
    m_grid->addWidget(field, m_row, 1, 1, 3);
    ++m_row;
    return label;
}

void LogWindow::addPair(QLabel* label1, QWidget* field1, QLabel* label2, QWidget* field2)
{
    label1->setBuddy(field1);
    m_grid->addWidget(label1, m_row, 0);
    m_grid->addWidget(field1, m_row, 1);
    if (label2 && field2) {
        label2->setBuddy(field2);
        m_grid->addWidget(label2, m_row, 2);
        m_grid->addWidget(field2, m_row, 3);
    }
    ++m_row;
}

void LogWindow::addDateRows()
{
    addPair(lblDate, txtDate, lblDay, txtDay);
    addPair(lblExercise, txtExercise, nullptr, nullptr);
}

void LogWindow::addTimeRow(QLabel* rightLabel, QWidget* rightField)
{
    addPair(lblTime, txtTime, rightLabel, rightField);
}

void LogWindow::addCommentsRow()
{
    lblComments->setBuddy(txtComments);
    m_grid->addWidget(lblComments, m_row, 0);
    m_grid->addWidget(txtComments, m_row, 1, 1, 3);
    ++m_row;
}

void LogWindow::finishLayout(const QList<QWidget*>& tabOrder)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {btnUpdate, btnAdd, btnDelete, btnExit})
        buttons->addWidget(b);
    buttons->addStretch(1);
    static_cast<QVBoxLayout*>(layout())->addSpacing(8);
    static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    setTabOrder(tabOrder.back(), btnUpdate);
    setTabOrder(btnUpdate, btnAdd);
    setTabOrder(btnAdd, btnDelete);
    setTabOrder(btnDelete, btnExit);
}

// --- Loading and opening ------------------------------------------------------------------

void LogWindow::ensureLoaded()
{
    if (!m_loaded)
        Form_Load();
}

void LogWindow::showEvent(QShowEvent* event)
{
    ensureLoaded();
    QDialog::showEvent(event);
}

void LogWindow::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    applyUnit();
    QString description;
    try {
        loadLists();
        return;
    } catch (const std::exception& e) {
        description = describe(e);
    }
    Ui::message(this, loadFailureContext() + QStringLiteral(" - ") + description + QStringLiteral(" - In ") +
                          m_kind.windowName + QStringLiteral(" Form_Load"));
}

void LogWindow::openForAdd(const QString& date, const QString& day)
{
    ensureLoaded();
    txtDate->setText(date);
    txtDay->setText(day);
    btnUpdate->hide();
    btnDelete->hide();
    btnAdd->show();
    adjustSize();
}

QString LogWindow::readFailureMessage(const QString& description)
{
    return QStringLiteral("Could not retrieve data - ") + description +
           QStringLiteral(" - In frmTextRpt lstReport_DblClick");
}

bool LogWindow::openForEdit(const QString& id, bool reportMiles)
{
    ensureLoaded();
    QString description;
    bool failed = false;
    try {
        CLibrary lib;
        auto conn = lib.GetConnection();
        const QString sql = QStringLiteral("SELECT Format(Exercise_Date, 'dd-mmm-yyyy') AS tDate, Exercise_Time, ") +
                            QStringLiteral("Exercise_Day, Comments, ") + detailColumns() + QStringLiteral(" ") +
                            QStringLiteral("FROM Exercise_Master, ") + m_kind.detailTable + QStringLiteral(" ") +
                            QStringLiteral("WHERE Exercise_Id = ") + m_kind.keyColumn + QStringLiteral(" ") +
                            QStringLiteral("AND Exercise_Id = ") + CLibrary::Number(id) +
                            QStringLiteral(" AND User_Name = ") + CLibrary::Quote(userName());
        ResultSet rs = conn->query(sql);
        if (!rs.eof()) {
            txtDate->setText(rs.field(QStringLiteral("tDate")));
            txtTime->setText(rs.field(QStringLiteral("Exercise_Time")));
            txtDay->setText(rs.field(QStringLiteral("Exercise_Day")));
            const QString comments = rs.field(QStringLiteral("Comments"));
            if (!comments.isEmpty())
                txtComments->setText(comments);
            fillDetail(rs, reportMiles);
        }
    } catch (const std::exception& e) {
        failed = true;
        description = describe(e);
    }
    if (failed) {
        Ui::message(this, readFailureMessage(description));
        return false;
    }

    txtID->setText(id.trimmed());
    btnAdd->hide();
    btnUpdate->show();
    btnDelete->show();
    txtDate->setEnabled(true);
    adjustSize();
    return true;
}

void LogWindow::catalogItemAdded(const QString&, const QString&) {}

// --- Handlers ---------------------------------------------------------------------------------

void LogWindow::btnAdd_Click()
{
    QString id = QStringLiteral("0");
    try {
        CLibrary lib;
        lib.setSUser(userName());
        lib.setSDate(txtDate->text());
        lib.setSDay(txtDay->text());
        lib.setSExercise(txtExercise->text());
        lib.setSTime(txtTime->text());
        lib.setSComments(txtComments->text());
        // Master and detail in one transaction: a detail row that fails (a distance that
        // is not a number, say) takes the master row with it.
        id = lib.AddMasterWithDetail([this](const QString& newId) { return detailInsertSql(newId); });
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

void LogWindow::btnUpdate_Click()
{
    if (txtID->text().isEmpty()) {
        Ui::message(this, QStringLiteral("No ID found"));
        return;
    }
    bool ok = false;
    try {
        // A date that is not a date is refused here as well as by the data layer, so
        // the weekday shown (empty) never reaches the row.
        if (DateText::parse(txtDate->text())) {
            const QString sql = QStringLiteral("UPDATE Exercise_Master, ") + m_kind.detailTable + QStringLiteral(" ") +
                                QStringLiteral("SET Exercise_Date = ") + CLibrary::Quote(txtDate->text()) +
                                QStringLiteral(", ") + QStringLiteral("Exercise_Day = ") +
                                CLibrary::Quote(txtDay->text()) + QStringLiteral(", ") +
                                QStringLiteral("Exercise_Time = ") + CLibrary::Quote(txtTime->text()) +
                                QStringLiteral(", ") + QStringLiteral("Comments = ") +
                                CLibrary::Quote(txtComments->text()) + QStringLiteral(", ") + detailSetList() +
                                QStringLiteral(" ") + QStringLiteral("WHERE Exercise_ID = ") +
                                CLibrary::Number(txtID->text()) + QStringLiteral(" ") +
                                QStringLiteral("AND Exercise_ID = ") + m_kind.keyColumn;
            ok = CLibrary().Insert_UpdateRec(sql);
        }
    } catch (const std::exception&) {
        ok = false;
    }
    if (ok) {
        Ui::message(this, QStringLiteral("Record Updated"));
        accept();
    } else {
        Ui::message(this, QStringLiteral("Problem updating record"));
    }
}

void LogWindow::btnDelete_Click()
{
    if (txtID->text().isEmpty()) {
        Ui::message(this, QStringLiteral("No ID found"));
        return;
    }
    bool ok = false;
    try {
        // Detail and master row go in one transaction: both or neither.
        ok = CLibrary().DeleteWorkout(m_kind.detailTable, m_kind.keyColumn, txtID->text());
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

void LogWindow::btnExit_Click() { reject(); }

void LogWindow::txtDate_Change()
{
    // The weekday follows the date; while the text is not a date it shows nothing.
    const auto date = DateText::parse(txtDate->text());
    txtDay->setText(date ? DateText::weekdayName(*date) : QString());
}

// --- Helpers ----------------------------------------------------------------------------------

bool LogWindow::askEnterOne(const QString& thing)
{
    return Ui::ask(this, QStringLiteral("This application will not function as it should unless a ") + thing +
                             QStringLiteral(" ") + QStringLiteral("is entered and active. Enter one now?"));
}

void LogWindow::appendItems(QComboBox* combo, const QStringList& items)
{
    // Adding the first item to an empty list would make it the current text; the lists
    // only offer their items, so the text stays as it was.
    const QString text = combo->currentText();
    combo->addItems(items);
    if (combo->currentText() != text) {
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
    }
}

void LogWindow::preselectFirst(QComboBox* combo)
{
    if (combo->currentText().isEmpty() && combo->count() > 0)
        combo->setCurrentIndex(0);
}

QStringList LogWindow::readColumn(const QString& sql, const QString& column)
{
    CLibrary lib;
    auto conn = lib.GetConnection();
    QStringList out;
    for (ResultSet rs = conn->query(sql); !rs.eof(); rs.moveNext())
        out << rs.field(column);
    return out;
}

QString LogWindow::describe(const std::exception& e)
{
    if (auto* db = dynamic_cast<const DbError*>(&e))
        return db->description();
    return QString::fromUtf8(e.what());
}
