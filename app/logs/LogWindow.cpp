#include "LogWindow.h"

#include "CLibrary.h"
#include "DateText.h"
#include "FieldHelpers.h"
#include "Dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

LogWindow::LogWindow(SharedState& state, const Kind& kind, QWidget* parent)
    : LogDialog(kind.windowName, kind.caption, parent), m_state(state), m_kind(kind) {
    txtDate = makeLineEdit(QStringLiteral("txtDate"));
    txtDate->setEnabled(false);
    txtDay = makeLineEdit(QStringLiteral("txtDay"));
    txtDay->setEnabled(false);
    txtTime = makeLineEdit(QStringLiteral("txtTime"));
    txtComments = makeLineEdit(QStringLiteral("txtComments"));
    txtComments->setMinimumWidth(Fields::twips(3600));

    // Hidden carrier of the stored workout's identifier; its design text is never read
    // because Update and Delete are hidden in add mode.
    txtID = makeLineEdit(QStringLiteral("txtID"));
    txtID->setText(QStringLiteral("ID Field"));
    txtID->hide();

    lblDate = makeLabel(QStringLiteral("lblDate"), QStringLiteral("Date:"));
    lblDay = makeLabel(QStringLiteral("lblDay"), QStringLiteral("Day:"));
    lblExercise = makeLabel(QStringLiteral("lblExercise"), QStringLiteral("Exercise:"));
    lblTime = makeLabel(QStringLiteral("lblTime"), QStringLiteral("Time (hr:mm:ss):"));
    lblComments = makeLabel(QStringLiteral("lblComments"), QStringLiteral("Comments:"));

    for (QLineEdit* w : {txtDate, txtDay, txtTime, txtComments})
        Fields::selectAllOnFocus(w);
    Fields::installTimeFilter(txtTime);

    if (kind.dayFollowsDate)
        connect(txtDate, &QLineEdit::textChanged, this, &LogWindow::txtDate_Change);
    connect(btnAdd, &QPushButton::clicked, this, &LogWindow::btnAdd_Click);
    connect(btnUpdate, &QPushButton::clicked, this, &LogWindow::btnUpdate_Click);
    connect(btnDelete, &QPushButton::clicked, this, &LogWindow::btnDelete_Click);
}

// --- Building -------------------------------------------------------------------------------

void LogWindow::addDateRows(QWidget* exerciseField) {
    if (!exerciseField) {
        txtExercise = makeLineEdit(QStringLiteral("txtExercise"));
        txtExercise->setText(m_kind.exerciseType);
        txtExercise->setEnabled(false);
        exerciseField = txtExercise;
    }
    addPair(lblDate, txtDate, lblDay, txtDay);
    addPair(lblExercise, exerciseField);
}

void LogWindow::addTimeRow(QLabel* rightLabel, QWidget* rightField) {
    addPair(lblTime, txtTime, rightLabel, rightField);
}

void LogWindow::addCommentsRow() {
    addRow(lblComments, txtComments);
}

// --- Loading and opening ------------------------------------------------------------------

void LogWindow::load() {
    applyUnit();
    try {
        loadLists();
    } catch (const std::exception& e) {
        Dialogs::message(this, loadFailureContext() + QStringLiteral(" - ") + describe(e) +
                              QStringLiteral(" - In ") + m_kind.windowName + QStringLiteral(" Form_Load"));
    }
}

void LogWindow::openForAdd(const QString& date, const QString& day) {
    Form_Load();
    txtDate->setText(date);
    txtDay->setText(day);
    showModeButtons(false);
    modeSet(false);
    fitToContent();
}

bool LogWindow::openForEdit(const QString& id, bool reportMiles) {
    Form_Load();
    try {
        CLibrary lib;
        auto conn = lib.GetConnection();
        const QString sql =
            QStringLiteral("SELECT Format(Exercise_Date, 'dd-mmm-yyyy') AS tDate, Exercise_Time, ") +
            QStringLiteral("Exercise_Day, Comments, ") + detailColumns() + QStringLiteral(" ") +
            QStringLiteral("FROM Exercise_Master, ") + m_kind.detailTable + QStringLiteral(" ") +
            QStringLiteral("WHERE Exercise_Id = ") + m_kind.keyColumn + QStringLiteral(" ") +
            QStringLiteral("AND Exercise_Id = ") + CLibrary::Number(id);
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
        Dialogs::message(this, readFailureMessage(describe(e)));
        return false;
    }

    txtID->setText(id.trimmed());
    showModeButtons(true);
    txtDate->setEnabled(true);
    if (!m_kind.dayFollowsDate)
        txtDay->setEnabled(true);
    modeSet(true);
    fitToContent();
    return true;
}

// --- Handlers ---------------------------------------------------------------------------------

void LogWindow::btnAdd_Click() {
    finishWrite(Write::Add, [this] {
        CLibrary lib;
        lib.setSUser(userName());
        lib.setSDate(txtDate->text());
        lib.setSDay(txtDay->text());
        lib.setSExercise(txtExercise ? txtExercise->text() : m_kind.exerciseType);
        lib.setSTime(txtTime->text());
        lib.setSComments(txtComments->text());
        // Master and detail in one transaction: a detail row that fails (a distance that
        // is not a number, say) takes the master row with it.
        return lib.AddMasterWithDetail([this](const QString& newId) { return detailInsertSql(newId); }) !=
               QLatin1String("0");
    });
}

void LogWindow::btnUpdate_Click() {
    if (!hasId(txtID))
        return;
    finishWrite(Write::Update, [this] {
        // A date that is not a date is refused here as well as by the data layer, so
        // the weekday shown (empty) never reaches the row.
        if (!DateText::parse(txtDate->text()))
            return false;
        const QString sql =
            QStringLiteral("UPDATE Exercise_Master, ") + m_kind.detailTable + QStringLiteral(" ") +
            QStringLiteral("SET Exercise_Date = ") + CLibrary::Quote(txtDate->text()) + QStringLiteral(", ") +
            QStringLiteral("Exercise_Day = ") + CLibrary::Quote(txtDay->text()) + QStringLiteral(", ") +
            QStringLiteral("Exercise_Time = ") + CLibrary::Quote(txtTime->text()) + QStringLiteral(", ") +
            QStringLiteral("Comments = ") + CLibrary::Quote(txtComments->text()) + QStringLiteral(", ") +
            detailSetList() + QStringLiteral(" ") + QStringLiteral("WHERE Exercise_ID = ") +
            CLibrary::Number(txtID->text()) + QStringLiteral(" ") + QStringLiteral("AND Exercise_ID = ") +
            m_kind.keyColumn;
        return CLibrary().Insert_UpdateRec(sql);
    });
}

void LogWindow::btnDelete_Click() {
    if (!hasId(txtID))
        return;
    // Detail and master row go in one transaction: both or neither.
    finishWrite(Write::Delete, [this] {
        return CLibrary().DeleteWorkout(m_kind.detailTable, m_kind.keyColumn, txtID->text());
    });
}

void LogWindow::txtDate_Change() {
    // The weekday follows the date; while the text is not a date it shows nothing.
    const auto date = DateText::parse(txtDate->text());
    txtDay->setText(date ? DateText::weekdayName(*date) : QString());
}

// --- Helpers ----------------------------------------------------------------------------------

bool LogWindow::missingCatalogAccepted(QComboBox* combo, const QStringList& items, const QString& thing) {
    if (!items.isEmpty()) {
        Fields::appendItems(combo, items);
        if (combo->currentText().isEmpty())
            combo->setCurrentIndex(0);
        return false;
    }
    return Dialogs::ask(this, QStringLiteral("This application will not function as it should unless a ") + thing +
                             QStringLiteral(" ") + QStringLiteral("is entered and active. Enter one now?"));
}
