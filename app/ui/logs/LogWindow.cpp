#include "LogWindow.h"

#include "CLibrary.h"
#include "DateText.h"
#include "Dialogs.h"
#include "FieldHelpers.h"

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
        // One connection for every list of the window.
        auto conn = CLibrary().GetConnection();
        loadLists(*conn);
    } catch (const std::exception& e) {
        Dialogs::message(this, loadFailureContext() + QStringLiteral(" - ") + describe(e) +
                                   QStringLiteral(" - In ") + m_kind.windowName +
                                   QStringLiteral(" Form_Load"));
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
        const Tables::Table& detail = *m_kind.detail;
        const QString sql =
            QStringLiteral("SELECT %1, %2 FROM Exercise_Master, %3 ")
                .arg(Tables::selectList(Tables::ExerciseMaster), Tables::selectList(detail),
                     QLatin1String(detail.name)) +
            QStringLiteral("WHERE Exercise_ID = %1 AND Exercise_ID = ?").arg(QLatin1String(detail.key));
        ResultSet rs = conn->query(sql, {CLibrary::Number(id)});
        if (!rs.eof()) {
            fillFields(Tables::ExerciseMaster, rs);
            fillFields(detail, rs);
            detailFilled(rs, reportMiles);
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
        return saveWith([this] {
            // Master and detail in one transaction: a detail row that fails (a distance that
            // is not a number, say) takes the master row with it.
            const auto [master, detail] = rows();
            Tables::insertWorkout(*CLibrary().GetConnection(), master, detail);
            return true;
        });
    });
}

void LogWindow::btnUpdate_Click() {
    if (!hasId(txtID))
        return;
    finishWrite(Write::Update, [this] {
        return saveWith([this] {
            // A date that is not a date is refused with the row, so the weekday shown (empty)
            // never reaches it.
            const auto [master, detail] = rows();
            const qint64 id = CLibrary::Number(txtID->text()).toLongLong();
            return Tables::updateWorkout(*CLibrary().GetConnection(), id, master, detail);
        });
    });
}

std::pair<Tables::Row, Tables::Row> LogWindow::rows() const {
    const Tables::Values values = fieldValues();
    Tables::Row master(Tables::ExerciseMaster, values);
    master.set(Tables::Holds::Type, txtExercise ? txtExercise->text() : m_kind.exerciseType);
    master.set(Tables::Holds::User, userName());
    return {std::move(master), Tables::Row(*m_kind.detail, values)};
}

void LogWindow::btnDelete_Click() {
    if (!hasId(txtID))
        return;
    // Detail and master row go in one transaction: both or neither.
    finishWrite(Write::Delete, [this] {
        return CLibrary().DeleteWorkout(QLatin1String(m_kind.detail->name), QLatin1String(m_kind.detail->key),
                                        txtID->text());
    });
}

bool LogWindow::withinLimits() const {
    return timeWithinLimit(txtTime->text());
}

void LogWindow::txtDate_Change() {
    // The weekday follows the date; while the text is not a date it shows nothing.
    const auto date = DateText::parse(txtDate->text());
    txtDay->setText(date ? DateText::weekdayName(*date) : QString());
}

// --- Helpers ----------------------------------------------------------------------------------

QStringList LogWindow::activeItems(Connection& conn, const CatalogStatements::Equipment& equipment) const {
    return conn.column(CatalogStatements::activeItems(equipment), equipment.nameColumn, {userName()});
}

bool LogWindow::missingCatalogAccepted(QComboBox* combo, const QStringList& items, const QString& thing) {
    if (!items.isEmpty()) {
        Fields::appendItems(combo, items);
        if (combo->currentText().isEmpty())
            combo->setCurrentIndex(0);
        return false;
    }
    return Dialogs::ask(this, QStringLiteral("This application will not function as it should unless a ") +
                                  thing + QStringLiteral(" ") +
                                  QStringLiteral("is entered and active. Enter one now?"));
}
