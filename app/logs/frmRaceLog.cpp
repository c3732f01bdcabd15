#include "frmRaceLog.h"

#include "CLibrary.h"
#include "Clock.h"
#include "DatePicker.h"
#include "FieldHelpers.h"
#include "SharedState.h"
#include "Ui.h"
#include "frmAddRaceType.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <functional>

namespace {

QString raceTypesSql(const QString& kind, const QString& user) {
    return QStringLiteral("SELECT RaceType FROM RaceTypes WHERE Exercise = ") + CLibrary::Quote(kind) +
           QStringLiteral(" AND User_Name = ") + CLibrary::Quote(user);
}

QString distanceSql(const QString& kind, const QString& raceType, const QString& user) {
    return QStringLiteral("SELECT RaceDistance FROM RaceTypes WHERE Exercise = ") + CLibrary::Quote(kind) +
           QStringLiteral(" AND RaceType = ") + CLibrary::Quote(raceType) + QStringLiteral(" ") +
           QStringLiteral("AND User_Name = ") + CLibrary::Quote(user);
}

// The drill-down's statement for one stored race.
QString raceSql(const QString& id) {
    return QStringLiteral("SELECT Format(RaceDate, 'dd-mmm-yyyy') AS tDate, RaceType, ") +
           QStringLiteral("RaceName, RaceDistance, RaceDistanceKM, RaceTime, ") +
           QStringLiteral("RaceCity, RaceState, RaceComments, ") +
           QStringLiteral("AgeGroup, AgeGroupPlace, OverallPlace ") + QStringLiteral("FROM RaceLog ") +
           QStringLiteral("WHERE RaceID = ") + CLibrary::Number(id);
}

QString describe(const std::exception& e) {
    if (const auto* db = dynamic_cast<const DbError*>(&e))
        return db->description();
    return QString::fromUtf8(e.what());
}

QLabel* rightLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit* lineEdit(const QString& name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    return field;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false); // Enter in a field must not press a button
    return b;
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
// text (ignoring case). The race type stays exactly as typed; the combo still gets the
// event for its own upkeep.
void passOnKeepingText(QComboBox* combo, QEvent* event) {
    const QString text = combo->currentText();
    static_cast<QObject*>(combo)->event(event);
    if (combo->currentText() != text)
        combo->setEditText(text);
}

} // namespace

frmRaceLog::frmRaceLog(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmRaceLog"));
    setWindowTitle(QStringLiteral("Race Log"));

    lblTitle = new QLabel(QStringLiteral("Running Race Log"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    lblTitle->setFont(titleFont);
    lblTitle->setAlignment(Qt::AlignCenter);

    lblRaceDate = rightLabel(QStringLiteral("lblRaceDate"), QStringLiteral("Race Date:"), this);
    dtRaceDate = new DatePicker(this);
    dtRaceDate->setObjectName(QStringLiteral("dtRaceDate"));
    lblRaceName = rightLabel(QStringLiteral("lblRaceName"), QStringLiteral("Race Name:"), this);
    txtRaceName = lineEdit(QStringLiteral("txtRaceName"), this);
    lblRaceType = rightLabel(QStringLiteral("lblRaceType"), QStringLiteral("Type of Race:"), this);
    cbRaceType = new QComboBox(this);
    cbRaceType->setObjectName(QStringLiteral("cbRaceType"));
    cbRaceType->setEditable(true);
    cbRaceType->setInsertPolicy(QComboBox::NoInsert);
    cbRaceType->setCompleter(nullptr); // the type stays exactly as typed
    lblMiles = rightLabel(QStringLiteral("lblMiles"), QStringLiteral("Miles:"), this);
    txtMiles = lineEdit(QStringLiteral("txtMiles"), this);
    lblKilometers = rightLabel(QStringLiteral("lblKilometers"), QStringLiteral("Kilometers:"), this);
    txtKilometers = lineEdit(QStringLiteral("txtKilometers"), this);
    lblTime = rightLabel(QStringLiteral("lblTime"), QStringLiteral("Time:"), this);
    txtTime = lineEdit(QStringLiteral("txtTime"), this);
    lblPace = rightLabel(QStringLiteral("lblPace"), QStringLiteral("Pace:"), this);
    txtPace = lineEdit(QStringLiteral("txtPace"), this);
    txtPace->setEnabled(false);
    lblCity = rightLabel(QStringLiteral("lblCity"), QStringLiteral("City:"), this);
    txtCity = lineEdit(QStringLiteral("txtCity"), this);
    lblState = rightLabel(QStringLiteral("lblState"), QStringLiteral("State/Country:"), this);
    txtState = lineEdit(QStringLiteral("txtState"), this);
    lblAgeGroup = rightLabel(QStringLiteral("lblAgeGroup"), QStringLiteral("Age Group:"), this);
    txtAgeGroup = lineEdit(QStringLiteral("txtAgeGroup"), this);
    lblOverallPlace = rightLabel(QStringLiteral("lblOverallPlace"), QStringLiteral("Overall Place:"), this);
    txtOverallPlace = lineEdit(QStringLiteral("txtOverallPlace"), this);
    lblAgePlace = rightLabel(QStringLiteral("lblAgePlace"), QStringLiteral("Age Group Place:"), this);
    txtAgePlace = lineEdit(QStringLiteral("txtAgePlace"), this);
    lblComments = rightLabel(QStringLiteral("lblComments"), QStringLiteral("Comments:"), this);
    txtComments = lineEdit(QStringLiteral("txtComments"), this);
    btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("Add Race"), this);
    btnExit = button(QStringLiteral("btnExit"), QStringLiteral("Exit"), this);
    btnUpdate = button(QStringLiteral("btnUpdate"), QStringLiteral("Update Race"), this);
    btnDelete = button(QStringLiteral("btnDelete"), QStringLiteral("Delete Race"), this);
    txtExercise = lineEdit(QStringLiteral("txtExercise"), this);
    txtExercise->hide();
    txtRaceID = lineEdit(QStringLiteral("txtRaceID"), this);
    txtRaceID->hide();

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    const auto pair = [grid](int row, QLabel* l1, QWidget* f1, QLabel* l2 = nullptr, QWidget* f2 = nullptr) {
        grid->addWidget(l1, row, 0);
        if (l2) {
            grid->addWidget(f1, row, 1);
            grid->addWidget(l2, row, 2);
            grid->addWidget(f2, row, 3);
        } else {
            grid->addWidget(f1, row, 1, 1, 3);
        }
    };
    grid->addWidget(lblRaceDate, 0, 0);
    grid->addWidget(dtRaceDate, 0, 1);
    pair(1, lblRaceName, txtRaceName);
    pair(2, lblRaceType, cbRaceType);
    pair(3, lblMiles, txtMiles, lblKilometers, txtKilometers);
    pair(4, lblTime, txtTime, lblPace, txtPace);
    pair(5, lblCity, txtCity, lblState, txtState);
    grid->addWidget(lblAgeGroup, 6, 0);
    grid->addWidget(txtAgeGroup, 6, 1);
    pair(7, lblOverallPlace, txtOverallPlace, lblAgePlace, txtAgePlace);
    pair(8, lblComments, txtComments);

    // Left to right as the two modes place them: Update, Add, Delete, Exit.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {btnUpdate, btnAdd, btnDelete, btnExit})
        buttons->addWidget(b);
    buttons->addStretch();

    auto* main = new QVBoxLayout(this);
    main->addWidget(lblTitle);
    main->addSpacing(6);
    main->addLayout(grid);
    main->addSpacing(8);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetMinimumSize);

    QWidget* order[] = {dtRaceDate, txtRaceName, cbRaceType,  txtMiles,        txtKilometers, txtTime,
                        txtCity,    txtState,    txtAgeGroup, txtOverallPlace, txtAgePlace,   txtComments,
                        btnAdd,     btnExit,     btnUpdate,   btnDelete};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (QWidget* w : {txtRaceName, txtMiles, txtKilometers, txtTime, txtCity, txtState, txtAgeGroup,
                       txtOverallPlace, txtAgePlace, txtComments})
        Fields::selectAllOnFocus(w);
    Fields::installDistanceFilter(txtMiles);
    Fields::installTimeFilter(txtTime);
    Fields::onLeave(txtMiles, [this] { txtMiles_LostFocus(); });
    Fields::onLeave(txtKilometers, [this] { txtKilometers_LostFocus(); });
    // The combo holds the focus for its line edit, so its focus-out is watched on it.
    cbRaceType->installEventFilter(this);

    // After the time filter, which is connected first.
    connect(txtTime, &QLineEdit::textChanged, this, &frmRaceLog::txtTime_Change);
    connect(btnAdd, &QPushButton::clicked, this, &frmRaceLog::btnAdd_Click);
    connect(btnUpdate, &QPushButton::clicked, this, &frmRaceLog::btnUpdate_Click);
    connect(btnDelete, &QPushButton::clicked, this, &frmRaceLog::btnDelete_Click);
    connect(btnExit, &QPushButton::clicked, this, &frmRaceLog::btnExit_Click);
    adjustSize();
}

void frmRaceLog::ensureLoaded() {
    if (!m_loaded)
        Form_Load();
}

void frmRaceLog::Form_Load() {
    if (m_loaded)
        return;
    m_loaded = true;
    m_miles = m_state.miles();
    dtRaceDate->setValue(Clock::today());
}

void frmRaceLog::showEvent(QShowEvent* event) {
    ensureLoaded();
    QDialog::showEvent(event);
    // The list is read once the window is on the screen, so that the question about a
    // missing race type appears over it.
    QMetaObject::invokeMethod(this, &frmRaceLog::readRaceTypes, Qt::QueuedConnection);
}

QString frmRaceLog::titleFor(const QString& raceKind) {
    if (raceKind == QLatin1String("RunningRace"))
        return QStringLiteral("Running Race Log");
    if (raceKind == QLatin1String("CyclingRace"))
        return QStringLiteral("Cycling Race Log");
    if (raceKind == QLatin1String("SwimmingRace"))
        return QStringLiteral("Swimming Race Log");
    return QString();
}

void frmRaceLog::openForAdd(const QString& title, const QString& raceKind) {
    ensureLoaded();
    lblTitle->setText(title);
    txtExercise->setText(raceKind);
    btnUpdate->hide();
    btnDelete->hide();
    btnAdd->show();
    adjustSize();
}

bool frmRaceLog::openForEdit(const QString& raceId, const QString& raceKind, bool reportMiles) {
    Q_UNUSED(reportMiles); // the live pace follows the window's own unit
    ensureLoaded();
    QString key;
    try {
        key = CLibrary::Number(raceId);
        CLibrary lib;
        auto conn = lib.GetConnection();
        ResultSet rs = conn->query(raceSql(key));
        if (!rs.eof()) {
            const auto fillIfAny = [&rs](QLineEdit* field, const char* column) {
                const QString value = rs.field(QString::fromLatin1(column));
                if (!value.isEmpty())
                    field->setText(value);
            };
            dtRaceDate->setValueText(rs.field(QStringLiteral("tDate")));
            cbRaceType->setEditText(rs.field(QStringLiteral("RaceType")));
            txtRaceName->setText(rs.field(QStringLiteral("RaceName")));
            txtMiles->setText(rs.field(QStringLiteral("RaceDistance")));
            txtKilometers->setText(rs.field(QStringLiteral("RaceDistanceKM")));
            txtTime->setText(rs.field(QStringLiteral("RaceTime")));
            txtCity->setText(rs.field(QStringLiteral("RaceCity")));
            txtState->setText(rs.field(QStringLiteral("RaceState")));
            fillIfAny(txtAgeGroup, "AgeGroup");
            fillIfAny(txtAgePlace, "AgeGroupPlace");
            fillIfAny(txtOverallPlace, "OverallPlace");
            fillIfAny(txtComments, "RaceComments");
        }
    } catch (const std::exception& e) {
        Ui::message(this, QStringLiteral("Could not retrieve data - ") + describe(e) +
                              QStringLiteral(" - In frmTextRpt lstReport_DblClick"));
        return false;
    }
    txtRaceID->setText(key);
    txtExercise->setText(raceKind);
    lblTitle->setText(titleFor(raceKind));
    btnAdd->hide();
    btnUpdate->show();
    btnDelete->show();
    adjustSize();
    return true;
}

void frmRaceLog::readRaceTypes() {
    for (;;) {
        QStringList types;
        try {
            CLibrary lib;
            auto conn = lib.GetConnection();
            for (ResultSet rs = conn->query(raceTypesSql(txtExercise->text(), m_state.currentUser()));
                 !rs.eof(); rs.moveNext())
                types << rs.field(QStringLiteral("RaceType"));
        } catch (const std::exception& e) {
            Ui::message(this, QStringLiteral("Could not retrieve race types - ") + describe(e) +
                                  QStringLiteral(" - In frmRaceLog Form_Load"));
            return;
        }
        // The list is read afresh each time rather than appended to, so it holds each type
        // once; what the user has typed stays.
        const QString text = cbRaceType->currentText();
        cbRaceType->clear();
        cbRaceType->addItems(types);
        cbRaceType->setCurrentIndex(-1);
        cbRaceType->setEditText(text);
        if (!types.isEmpty())
            return;
        if (!Ui::ask(this, QStringLiteral("This application will not function as it should unless a race ") +
                               QStringLiteral("type is added for this exercise.  Add one now?")))
            return;
        frmAddRaceType raceTypes(m_state, this);
        raceTypes.setCatalogHook(this);
        Ui::execModal(&raceTypes);
        // Read again: a type just added is listed, and with still none the question returns.
    }
}

void frmRaceLog::catalogItemAdded(const QString& catalog, const QString& name) {
    if (catalog != QLatin1String("frmAddRaceType") ||
        cbRaceType->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0)
        return;
    const QString text = cbRaceType->currentText();
    const int index = cbRaceType->currentIndex();
    cbRaceType->addItem(name);
    cbRaceType->setCurrentIndex(index);
    cbRaceType->setEditText(text);
}

QStringList frmRaceLog::visibleButtons() const {
    QStringList shown;
    for (const QPushButton* b : {btnUpdate, btnAdd, btnDelete, btnExit})
        if (!b->isHidden())
            shown << b->text();
    return shown;
}

bool frmRaceLog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != cbRaceType)
        return QDialog::eventFilter(watched, event);
    const bool leaving = event->type() == QEvent::FocusOut;
    if (leaving && !movesIntoOwnList(cbRaceType, static_cast<QFocusEvent*>(event)))
        cbRaceType_LostFocus();
    if (leaving || isReturnKey(event)) {
        passOnKeepingText(cbRaceType, event);
        return true;
    }
    return false;
}

void frmRaceLog::cbRaceType_LostFocus() {
    try {
        CLibrary lib;
        auto conn = lib.GetConnection();
        QString distance;
        bool found = false;
        for (ResultSet rs = conn->query(
                 distanceSql(txtExercise->text(), cbRaceType->currentText(), m_state.currentUser()));
             !rs.eof(); rs.moveNext()) {
            distance = rs.field(QStringLiteral("RaceDistance"));
            found = true;
        }
        // Only the miles are written; the kilometres and the pace follow when the user
        // next leaves the miles or changes the time.
        if (found)
            txtMiles->setText(distance);
    } catch (const std::exception& e) {
        Ui::message(this, QStringLiteral("Could not retrieve distance - ") + describe(e) +
                              QStringLiteral(" - In frmRaceLog Form_Load"));
    }
}

void frmRaceLog::txtMiles_LostFocus() {
    if (!txtMiles->text().isEmpty())
        txtKilometers->setText(CLibrary::ComputeKilometers(txtMiles->text()));
}

void frmRaceLog::txtKilometers_LostFocus() {
    if (txtMiles->text().isEmpty())
        txtMiles->setText(CLibrary::ComputeMiles(txtKilometers->text()));
}

void frmRaceLog::txtTime_Change() {
    const QString time = txtTime->text();
    const QString distance = m_miles ? txtMiles->text() : txtKilometers->text();
    QString pace;
    if (!time.isEmpty() && !distance.isEmpty()) {
        try {
            pace = CLibrary::GetPace(time, distance);
        } catch (const std::exception&) {
            // A zero or unfinished distance, or a time that is not a duration: no pace.
            pace.clear();
        }
    }
    txtPace->setText(pace);
}

frmRaceLog::Race frmRaceLog::fields() const {
    return {txtExercise->text(), dtRaceDate->statementText(), cbRaceType->currentText(), txtRaceName->text(),
            txtMiles->text(),    txtKilometers->text(),       txtTime->text(),           txtCity->text(),
            txtState->text(),    txtComments->text(),         m_state.currentUser(),     txtAgeGroup->text(),
            txtAgePlace->text(), txtOverallPlace->text()};
}

QString frmRaceLog::insertSql(const Race& r) {
    return QStringLiteral("INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceName, ") +
           QStringLiteral("RaceDistance, RaceTime, RaceCity, RaceState, RaceComments, User_Name, ") +
           QStringLiteral("AgeGroup, AgeGroupPlace, OverallPlace, RaceDistanceKM) ") +
           QStringLiteral("VALUES (") + CLibrary::Quote(r.kind) + QStringLiteral(", ") +
           CLibrary::Quote(r.date) + QStringLiteral(", ") + CLibrary::Quote(r.raceType) +
           QStringLiteral(", ") + CLibrary::Quote(r.name) + QStringLiteral(", ") + CLibrary::Number(r.miles) +
           QStringLiteral(", ") + CLibrary::Quote(r.time) + QStringLiteral(", ") + CLibrary::Quote(r.city) +
           QStringLiteral(", ") + CLibrary::Quote(r.state) + QStringLiteral(", ") +
           CLibrary::Quote(r.comments) + QStringLiteral(", ") + CLibrary::Quote(r.user) +
           QStringLiteral(", ") + CLibrary::Quote(r.ageGroup) + QStringLiteral(", ") +
           CLibrary::Quote(r.agePlace) + QStringLiteral(", ") + CLibrary::Quote(r.overallPlace) +
           QStringLiteral(", ") + CLibrary::Number(r.kilometers) + QStringLiteral(")");
}

QString frmRaceLog::updateSql(const Race& r, const QString& raceId) {
    return QStringLiteral("UPDATE RaceLog ") + QStringLiteral("SET Exercise = ") + CLibrary::Quote(r.kind) +
           QStringLiteral(", ") + QStringLiteral("RaceDate = ") + CLibrary::Quote(r.date) +
           QStringLiteral(", ") + QStringLiteral("RaceType = ") + CLibrary::Quote(r.raceType) +
           QStringLiteral(", ") + QStringLiteral("RaceName = ") + CLibrary::Quote(r.name) +
           QStringLiteral(", ") + QStringLiteral("RaceDistance = ") + CLibrary::Number(r.miles) +
           QStringLiteral(", ") + QStringLiteral("RaceDistanceKM = ") + CLibrary::Number(r.kilometers) +
           QStringLiteral(", ") + QStringLiteral("RaceTime = ") + CLibrary::Quote(r.time) +
           QStringLiteral(", ") + QStringLiteral("RaceCity = ") + CLibrary::Quote(r.city) +
           QStringLiteral(", ") + QStringLiteral("RaceState = ") + CLibrary::Quote(r.state) +
           QStringLiteral(", ") + QStringLiteral("RaceComments = ") + CLibrary::Quote(r.comments) +
           QStringLiteral(", ") + QStringLiteral("User_Name = ") + CLibrary::Quote(r.user) +
           QStringLiteral(", ") + QStringLiteral("AgeGroup = ") + CLibrary::Quote(r.ageGroup) +
           QStringLiteral(", ") + QStringLiteral("AgeGroupPlace = ") + CLibrary::Quote(r.agePlace) +
           QStringLiteral(", ") + QStringLiteral("OverallPlace = ") + CLibrary::Quote(r.overallPlace) +
           QStringLiteral(" ") + QStringLiteral("WHERE RaceID = ") + CLibrary::Number(raceId);
}

// Runs one statement built by `build`; a value that cannot go into it (a distance that
// is not a number) fails the write before anything reaches the database.
static bool runStatement(const std::function<QString()>& build) {
    try {
        return CLibrary().Insert_UpdateRec(build());
    } catch (const std::exception&) {
        return false;
    }
}

void frmRaceLog::btnAdd_Click() {
    const Race race = fields();
    if (runStatement([&] { return insertSql(race); })) {
        Ui::message(this, QStringLiteral("data entered"));
        accept();
    } else {
        Ui::message(this, QStringLiteral("Problem entering data"));
    }
}

void frmRaceLog::btnUpdate_Click() {
    if (txtRaceID->text().isEmpty()) {
        Ui::message(this, QStringLiteral("No ID found"));
        return;
    }
    const Race race = fields();
    if (runStatement([&] { return updateSql(race, txtRaceID->text()); })) {
        Ui::message(this, QStringLiteral("Record Updated"));
        accept();
    } else {
        Ui::message(this, QStringLiteral("Problem updating record"));
    }
}

void frmRaceLog::btnDelete_Click() {
    if (txtRaceID->text().isEmpty()) {
        Ui::message(this, QStringLiteral("No ID found"));
        return;
    }
    const QString raceId = txtRaceID->text();
    if (runStatement([&] {
            return QStringLiteral("DELETE FROM RaceLog ") + QStringLiteral("WHERE RaceID = ") +
                   CLibrary::Number(raceId);
        })) {
        Ui::message(this, QStringLiteral("Record Deleted"));
        accept();
    } else {
        Ui::message(this, QStringLiteral("Problem deleting record"));
    }
}

void frmRaceLog::btnExit_Click() {
    reject();
}
