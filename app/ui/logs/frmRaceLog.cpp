#include "frmRaceLog.h"

#include "CLibrary.h"
#include "CatalogStatements.h"
#include "Clock.h"
#include "DatePicker.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "PersonalBests.h"
#include "SharedState.h"
#include "WorkoutKinds.h"
#include "frmAddRaceType.h"

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmRaceLog::frmRaceLog(SharedState& state, QWidget* parent)
    : LogDialog(QStringLiteral("frmRaceLog"), QStringLiteral("Race Log"), parent), m_state(state) {
    lblTitle = new QLabel(QStringLiteral("Running Race Log"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    lblTitle->setFont(titleFont);
    lblTitle->setAlignment(Qt::AlignCenter);
    addHeading(lblTitle);

    dtRaceDate = new DatePicker(this);
    dtRaceDate->setObjectName(QStringLiteral("dtRaceDate"));
    txtRaceName = makeLineEdit(QStringLiteral("txtRaceName"));
    cbRaceType = makeCombo(QStringLiteral("cbRaceType"));
    txtTime = makeLineEdit(QStringLiteral("txtTime"));
    Fields::installTimeFilter(txtTime); // before the pace follows the time
    createDistanceFields(this, txtTime, false);
    txtCity = makeLineEdit(QStringLiteral("txtCity"));
    txtState = makeLineEdit(QStringLiteral("txtState"));
    txtAgeGroup = makeLineEdit(QStringLiteral("txtAgeGroup"));
    txtOverallPlace = makeLineEdit(QStringLiteral("txtOverallPlace"));
    txtAgePlace = makeLineEdit(QStringLiteral("txtAgePlace"));
    txtComments = makeLineEdit(QStringLiteral("txtComments"));
    txtExercise = makeLineEdit(QStringLiteral("txtExercise"));
    txtExercise->hide();
    txtRaceID = makeLineEdit(QStringLiteral("txtRaceID"));
    txtRaceID->hide();
    btnAdd->setText(QStringLiteral("Add Race"));
    btnExit->setText(QStringLiteral("Exit"));
    btnUpdate->setText(QStringLiteral("Update Race"));
    btnDelete->setText(QStringLiteral("Delete Race"));

    addPair(makeLabel(QStringLiteral("lblRaceDate"), QStringLiteral("Race Date:")), dtRaceDate);
    addRow(QStringLiteral("lblRaceName"), QStringLiteral("Race Name:"), txtRaceName);
    addRow(QStringLiteral("lblRaceType"), QStringLiteral("Type of Race:"), cbRaceType);
    addPair(makeLabel(QStringLiteral("lblMiles"), QStringLiteral("Miles:")), txtMiles,
            makeLabel(QStringLiteral("lblKilometers"), QStringLiteral("Kilometers:")), txtKilometers);
    addPair(makeLabel(QStringLiteral("lblTime"), QStringLiteral("Time:")), txtTime,
            makeLabel(QStringLiteral("lblPace"), QStringLiteral("Pace:")), txtPace);
    addPair(makeLabel(QStringLiteral("lblCity"), QStringLiteral("City:")), txtCity,
            makeLabel(QStringLiteral("lblState"), QStringLiteral("State/Country:")), txtState);
    addPair(makeLabel(QStringLiteral("lblAgeGroup"), QStringLiteral("Age Group:")), txtAgeGroup);
    addPair(makeLabel(QStringLiteral("lblOverallPlace"), QStringLiteral("Overall Place:")), txtOverallPlace,
            makeLabel(QStringLiteral("lblAgePlace"), QStringLiteral("Age Group Place:")), txtAgePlace);
    addRow(QStringLiteral("lblComments"), QStringLiteral("Comments:"), txtComments);
    finishLayout({dtRaceDate, txtRaceName, cbRaceType, txtMiles, txtKilometers, txtTime, txtCity, txtState,
                  txtAgeGroup, txtOverallPlace, txtAgePlace, txtComments, btnAdd, btnExit, btnUpdate,
                  btnDelete});

    for (QLineEdit* w :
         {txtRaceName, txtTime, txtCity, txtState, txtAgeGroup, txtOverallPlace, txtAgePlace, txtComments})
        Fields::selectAllOnFocus(w);
    Fields::onLeave(cbRaceType, [this] { cbRaceType_LostFocus(); });
    // Return after the type fills in its distance rather than storing the race at once.
    returnMovesOn(cbRaceType);
    connect(btnAdd, &QPushButton::clicked, this, &frmRaceLog::btnAdd_Click);
    connect(btnUpdate, &QPushButton::clicked, this, &frmRaceLog::btnUpdate_Click);
    connect(btnDelete, &QPushButton::clicked, this, &frmRaceLog::btnDelete_Click);
}

void frmRaceLog::load() {
    bMiles = m_state.miles();
    dtRaceDate->setValue(Clock::today());
}

void frmRaceLog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The list is read once the window is on the screen, so that the question about a
    // missing race type appears over it.
    QMetaObject::invokeMethod(this, &frmRaceLog::readRaceTypes, Qt::QueuedConnection);
}

// The title line of a race kind ("Running Race Log" for "RunningRace"); empty if unknown.
static QString titleFor(const QString& raceKind) {
    const WorkoutKinds::Kind* kind = WorkoutKinds::find(raceKind);
    return kind && kind->isRace() ? QLatin1String(kind->label) + QStringLiteral(" Log") : QString();
}

void frmRaceLog::openForAdd(const QString& title, const QString& raceKind) {
    Form_Load();
    lblTitle->setText(title);
    txtExercise->setText(raceKind);
    showModeButtons(false);
    fitToContent();
}

bool frmRaceLog::openForEdit(const QString& raceId, const QString& raceKind, bool reportMiles) {
    Q_UNUSED(reportMiles); // the live pace follows the window's own unit
    Form_Load();
    try {
        CLibrary lib;
        auto conn = lib.GetConnection();
        ResultSet rs = conn->query(QStringLiteral("SELECT %1 FROM RaceLog WHERE RaceID = ?")
                                       .arg(Tables::selectList(Tables::RaceLog)),
                                   {CLibrary::Number(raceId)});
        // The description lists the time after the distances, so the pace it brings is
        // computed from them.
        if (!rs.eof())
            fillFields(Tables::RaceLog, rs);
    } catch (const std::exception& e) {
        Dialogs::message(this, readFailureMessage(describe(e)));
        return false;
    }
    txtRaceID->setText(raceId.trimmed());
    txtExercise->setText(raceKind);
    lblTitle->setText(titleFor(raceKind));
    showModeButtons(true);
    fitToContent();
    return true;
}

void frmRaceLog::readRaceTypes() {
    for (;;) {
        QStringList types;
        try {
            types = CLibrary().GetConnection()->column(CatalogStatements::listRaceTypes(),
                                                       QStringLiteral("RaceType"),
                                                       {txtExercise->text(), m_state.currentUser()});
        } catch (const std::exception& e) {
            Dialogs::message(this, QStringLiteral("Could not retrieve race types - ") + describe(e) +
                                       QStringLiteral(" - In frmRaceLog Form_Load"));
            return;
        }
        // The list is read afresh each time rather than appended to, so it holds each type
        // once; what the user has typed stays.
        const QString text = cbRaceType->currentText();
        cbRaceType->clear();
        cbRaceType->setEditText(text);
        Fields::appendItems(cbRaceType, types);
        if (!types.isEmpty())
            return;
        if (!Dialogs::ask(this,
                          QStringLiteral("This application will not function as it should unless a race ") +
                              QStringLiteral("type is added for this exercise.  Add one now?")))
            return;
        frmAddRaceType raceTypes(m_state, this);
        Dialogs::execModal(&raceTypes);
        // Read again: a type just added is listed, and with still none the question returns.
    }
}

void frmRaceLog::cbRaceType_LostFocus() {
    try {
        const QStringList distances = CLibrary().GetConnection()->column(
            CatalogStatements::selectRaceDistance(), QStringLiteral("RaceDistance"),
            {txtExercise->text(), cbRaceType->currentText(), m_state.currentUser()});
        // Only the miles are written; the kilometres and the pace follow when the user
        // next leaves the miles or changes the time.
        if (!distances.isEmpty())
            txtMiles->setText(distances.last());
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve distance - ") + describe(e) +
                                   QStringLiteral(" - In frmRaceLog Form_Load"));
    }
}

Tables::Values frmRaceLog::values() const {
    return fieldValues({{QStringLiteral("User_Name"), m_state.currentUser()}});
}

bool frmRaceLog::withinLimits() const {
    return timeWithinLimit(txtTime->text()) && distancesWithinLimits();
}

void frmRaceLog::btnAdd_Click() {
    finishWrite(Write::Add, [this] {
        return writeAndAnnounceBest(
            0, [this] { return CLibrary().Insert_UpdateRec(Tables::insertSql(Tables::RaceLog, values())); });
    });
}

void frmRaceLog::btnUpdate_Click() {
    if (!hasId(txtRaceID))
        return;
    finishWrite(Write::Update, [this] {
        const QString id = CLibrary::Number(txtRaceID->text());
        return writeAndAnnounceBest(id.toLongLong(), [this, &id] {
            return CLibrary().Insert_UpdateRec(QStringLiteral("UPDATE RaceLog SET %1 WHERE RaceID = ?")
                                                   .arg(Tables::setList(Tables::RaceLog, values())),
                                               {id});
        });
    });
}

bool frmRaceLog::writeAndAnnounceBest(qint64 raceId, const std::function<bool()>& write) {
    // The best is read before the write, so the race being saved is not compared with itself.
    std::optional<double> before;
    try {
        before = PersonalBests::bestOtherThan(*CLibrary().GetConnection(), m_state.currentUser(),
                                              txtExercise->text(), cbRaceType->currentText(), raceId);
    } catch (const std::exception&) {
        // Without the earlier best the race is still saved; only the news is left out.
    }
    const bool ok = write();
    if (ok && before) {
        const QString news =
            PersonalBests::newBestMessage(cbRaceType->currentText(), txtTime->text(), *before);
        if (!news.isEmpty())
            Dialogs::message(this, news);
    }
    return ok;
}

void frmRaceLog::btnDelete_Click() {
    if (!hasId(txtRaceID))
        return;
    finishWrite(Write::Delete, [this] {
        return CLibrary().Insert_UpdateRec(QStringLiteral("DELETE FROM RaceLog WHERE RaceID = ?"),
                                           {CLibrary::Number(txtRaceID->text())});
    });
}
