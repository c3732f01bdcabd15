#include "MainForm.h"

#include "CLibrary.h"
#include "Clock.h"
#include "DateText.h"
#include "FieldHelpers.h"
#include "MenuForm.h"
#include "Dialogs.h"
#include "frmAddBike.h"
#include "frmAddExercise.h"
#include "frmAddRaceType.h"
#include "frmAddShoe.h"
#include "frmAddUser.h"
#include "frmAddVideo.h"
#include "frmAddVideoType.h"
#include "frmItemRpt.h"
#include "frmRaceLog.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>
#include <optional>

namespace {

// The user's stored unit: true for miles; nothing when the user has no row.
std::optional<bool> storedUnit(Connection& conn, const QString& user) {
    ResultSet rs = conn.query(QStringLiteral("SELECT DistanceMiles FROM Users ") +
                              QStringLiteral("WHERE User_Name = ") + CLibrary::Quote(user));
    if (rs.eof())
        return std::nullopt;
    return rs.value(QStringLiteral("DistanceMiles")).toDouble() != 0.0;
}


// The main window's user selector and unit mark, seen as the shared state.
class MainFormState : public SharedState {
  public:
    explicit MainFormState(MainForm* form) : SharedState(form), m_form(form) {}
    QString currentUser() const override { return m_form->currentUser(); }
    bool miles() const override { return m_form->miles(); }

  private:
    MainForm* m_form;
};

} // namespace

MainForm::MainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    m_state = new MainFormState(this);
    setWindowTitle(QStringLiteral("Trainbook"));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));

    Label2 = new QLabel(QStringLiteral("TRAINBOOK"), central);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    QFont titleFont = Label2->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.2);
    titleFont.setBold(true);
    titleFont.setLetterSpacing(QFont::PercentageSpacing, 115);
    Label2->setFont(titleFont);

    Label1 = new QLabel(QStringLiteral("User:"), central);
    Label1->setObjectName(QStringLiteral("Label1"));
    cbUsers = new QComboBox(central);
    cbUsers->setObjectName(QStringLiteral("cbUsers"));
    // A name typed into the selector is used as it is; it never joins the list by itself.
    Fields::plainCombo(cbUsers);
    cbUsers->setToolTip(QStringLiteral("Select User"));
    cbUsers->setMinimumWidth(200);
    Label1->setBuddy(cbUsers);

    Calendar = new QCalendarWidget(central);
    Calendar->setObjectName(QStringLiteral("Calendar"));
    Calendar->setToolTip(QStringLiteral("Click once on a date to enter exercise data"));
    Calendar->setGridVisible(true);
    Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar->setSelectedDate(Clock::today());
    // Roomy day cells: the calendar is the window's main target.
    Calendar->setMinimumHeight(Calendar->fontMetrics().height() * 16);

    auto* userRow = new QHBoxLayout;
    userRow->addStretch();
    userRow->addWidget(Label1);
    userRow->addWidget(cbUsers);
    userRow->addStretch();

    auto* layout = new QVBoxLayout(central);
    layout->addWidget(Label2);
    layout->addLayout(userRow);
    layout->addWidget(Calendar, 1);
    setCentralWidget(central);

    buildMenus();
    // Wide enough that every top-level menu shows without the overflow button.
    setMinimumWidth(menuBar()->sizeHint().width() + 24);

    connect(cbUsers, qOverload<int>(&QComboBox::activated), this, [this](int) { cbUsers_Click(); });
    connect(Calendar, &QCalendarWidget::clicked, this, &MainForm::Calendar_Click);
    connect(cbUsers, &QComboBox::currentTextChanged, m_state, &SharedState::currentUserChanged);
    connect(mnuMiles, &QAction::toggled, m_state, &SharedState::milesChanged);
}

QMenu* MainForm::addMenu(QMenu* parent, const char* name, const QString& caption) {
    QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

// A command without a handler belongs to a window that this version does not have yet;
// it shows, but disabled, so that choosing it cannot silently do nothing.
QAction* MainForm::addAction(QMenu* menu, const char* name, const QString& caption,
                             void (MainForm::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    else
        action->setEnabled(false);
    return action;
}

void MainForm::buildMenus() {
    QMenu* utilities = addMenu(nullptr, "mnuUtilities", QStringLiteral("&Utilities"));
    mnuMiles =
        addAction(utilities, "mnuMiles", QStringLiteral("&Distance is Miles"), &MainForm::mnuMiles_Click);
    mnuMiles->setCheckable(true);
    mnuMiles->setChecked(true);
    mnuAddUser = addAction(utilities, "mnuAddUser", QStringLiteral("Add &User"), &MainForm::mnuAddUser_Click);
    mnuAddRaceType = addAction(utilities, "mnuAddRaceType", QStringLiteral("Add &Race Type"),
                               &MainForm::mnuAddRaceType_Click);
    mnuTriang = addAction(utilities, "mnuTriang", QStringLiteral("&Pace Calculator"), nullptr);
    mnuBackup = addAction(utilities, "mnuBackup", QStringLiteral("&Backup Database"), nullptr);

    QMenu* running = addMenu(nullptr, "mnuRunning", QStringLiteral("&Running"));
    QMenu* runReports = addMenu(running, "mnuRunReports", QStringLiteral("&Reports"));
    mnuRunTextRpt = addAction(runReports, "mnuRunTextRpt", QStringLiteral("&Text Report"), nullptr);
    mnuRunGraphRpt = addAction(runReports, "mnuRunGraphRpt", QStringLiteral("&Graphic Report"), nullptr);
    mnuShoeReport =
        addAction(runReports, "mnuShoeReport", QStringLiteral("&Shoe Report"), &MainForm::mnuShoeReport_Click);
    mnuRunRaceRpt = addAction(runReports, "mnuRunRaceRpt", QStringLiteral("&Race Report"), nullptr);
    mnuRunAddRace = addAction(running, "mnuRunAddRace", QStringLiteral("&Add Running Race"),
                              &MainForm::mnuRunAddRace_Click);
    mnuAddShoe =
        addAction(running, "mnuAddShoe", QStringLiteral("Add/Modify &Shoe"), &MainForm::mnuAddShoe_Click);

    QMenu* biking = addMenu(nullptr, "mnuBiking", QStringLiteral("&Biking"));
    QMenu* bikeReports = addMenu(biking, "mnuBikeReports", QStringLiteral("&Reports"));
    mnuBikeTextRpt = addAction(bikeReports, "mnuBikeTextRpt", QStringLiteral("&Text Report"), nullptr);
    mnuBikeGraphRpt = addAction(bikeReports, "mnuBikeGraphRpt", QStringLiteral("&Graphic Report"), nullptr);
    mnuBikeReport =
        addAction(bikeReports, "mnuBikeReport", QStringLiteral("&Bike Report"), &MainForm::mnuBikeReport_Click);
    mnuBikeRaceRpt = addAction(bikeReports, "mnuBikeRaceRpt", QStringLiteral("&Race Report"), nullptr);
    mnuBikeAddRace = addAction(biking, "mnuBikeAddRace", QStringLiteral("&Add Cycling Race"),
                               &MainForm::mnuBikeAddRace_Click);
    mnuAddBike =
        addAction(biking, "mnuAddBike", QStringLiteral("Add/Modify &Bike"), &MainForm::mnuAddBike_Click);

    QMenu* swimming = addMenu(nullptr, "mnuSwimming", QStringLiteral("&Swimming"));
    QMenu* swimReports = addMenu(swimming, "mnuSwimReports", QStringLiteral("&Reports"));
    mnuSwimTextRpt = addAction(swimReports, "mnuSwimTextRpt", QStringLiteral("&Text Report"), nullptr);
    mnuSwimRaceRpt = addAction(swimReports, "mnuSwimRaceRpt", QStringLiteral("&Race Report"), nullptr);
    mnuSwimAddRace = addAction(swimming, "mnuSwimAddRace", QStringLiteral("&Add Swimming Race"),
                               &MainForm::mnuSwimAddRace_Click);

    QMenu* video = addMenu(nullptr, "mnuVideo", QStringLiteral("&Video"));
    QMenu* videoReports = addMenu(video, "mnuVideoReports", QStringLiteral("&Reports"));
    mnuVideoTextRpt = addAction(videoReports, "mnuVideoTextRpt", QStringLiteral("&Text Report"), nullptr);
    mnuAddVideo =
        addAction(video, "mnuAddVideo", QStringLiteral("Add/Modify &Video"), &MainForm::mnuAddVideo_Click);
    mnuAddVideoType = addAction(video, "mnuAddVideoType", QStringLiteral("Add Video &Type"),
                                &MainForm::mnuAddVideoType_Click);

    QMenu* other = addMenu(nullptr, "mnuOther", QStringLiteral("&Other"));
    QMenu* otherReports = addMenu(other, "mnuOtherReports", QStringLiteral("&Reports"));
    mnuOtherTextRpt = addAction(otherReports, "mnuOtherTextRpt", QStringLiteral("&Text Report"), nullptr);
    mnuAddExercise = addAction(other, "mnuAddExercise", QStringLiteral("Add/Modify &Exercise"),
                               &MainForm::mnuAddExercise_Click);

    QMenu* combined = addMenu(nullptr, "mnuCombined", QStringLiteral("&Combined Reports"));
    mnuCalendar = addAction(combined, "mnuCalendar", QStringLiteral("&Calendar"), nullptr);
    mnuTimeRpt = addAction(combined, "mnuTimeRpt", QStringLiteral("Time &Report"), nullptr);
    mnuTimeGraph = addAction(combined, "mnuTimeGraph", QStringLiteral("&Time Graph"), nullptr);

    QMenu* help = addMenu(nullptr, "mnuHelp", QStringLiteral("&Help"));
    mnuHowDoI = addAction(help, "mnuHowDoI", QStringLiteral("&How Do I..."), nullptr);
    mnuAbout = addAction(help, "mnuAbout", QStringLiteral("&About"), nullptr);
}

QString MainForm::currentUser() const {
    return cbUsers->currentText();
}

bool MainForm::miles() const {
    return mnuMiles->isChecked();
}

void MainForm::appendUser(const QString& name) {
    // Whatever text the selector shows stays (possibly a typed name, possibly none).
    Fields::appendItems(cbUsers, {name});
}

void MainForm::makeCurrentUser(const QString& name, bool miles) {
    const int index = cbUsers->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        cbUsers->setCurrentIndex(index);
    else
        cbUsers->setEditText(name);
    mnuMiles->setChecked(miles);
}

void MainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    Form_Load();
}

void MainForm::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void MainForm::Form_Load() {
    if (m_loaded)
        return;
    m_loaded = true;
    m_distanceChanged = false;
    Calendar->setSelectedDate(Clock::today());

    try {
        CLibrary lib;
        std::unique_ptr<Connection> conn = lib.GetConnection();

        const QStringList names = conn->column(QStringLiteral("SELECT User_Name FROM Users"),
                                               QStringLiteral("User_Name"));

        if (names.isEmpty()) {
            if (Dialogs::ask(this,
                        QStringLiteral("This application will not function as it should unless a user ") +
                            QStringLiteral("is entered. Enter one now?"))) {
                frmAddUser dlg(*m_state, this);
                dlg.setUserListHook(this);
                Dialogs::execModal(&dlg);
            }
        } else {
            cbUsers->addItems(names);
            cbUsers->setCurrentIndex(0);
        }

        if (const std::optional<bool> unit = storedUnit(*conn, cbUsers->currentText()))
            mnuMiles->setChecked(*unit);
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("No Users Selected - ") + describe(e) +
                              QStringLiteral(" - MainForm Form_Load"));
    }
}

void MainForm::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (!m_distanceChanged)
        return;
    try {
        CLibrary lib;
        lib.Insert_UpdateRec(QStringLiteral("UPDATE Users SET DistanceMiles = ") +
                             (mnuMiles->isChecked() ? QStringLiteral("True") : QStringLiteral("False")) +
                             QStringLiteral(" WHERE User_Name = ") + CLibrary::Quote(cbUsers->currentText()));
    } catch (const std::exception&) {
        // Leaving the program never fails visibly; an unsaved unit is the only loss.
    }
}

void MainForm::cbUsers_Click() {
    try {
        CLibrary lib;
        std::unique_ptr<Connection> conn = lib.GetConnection();
        if (const std::optional<bool> unit = storedUnit(*conn, cbUsers->currentText()))
            mnuMiles->setChecked(*unit);
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("No Default Distance Selected - ") + describe(e) +
                              QStringLiteral(" - MainForm cbUsers_Click"));
    }
}

void MainForm::Calendar_Click(const QDate& date) {
    MenuForm chooser(*m_state, this);
    chooser.txtDate->setText(DateText::weekdayName(date) + QStringLiteral(", ") + DateText::shortDate(date));
    Dialogs::execModal(&chooser);
}

void MainForm::mnuMiles_Click() {
    m_distanceChanged = true;
}

void MainForm::mnuAddUser_Click() {
    frmAddUser dlg(*m_state, this);
    dlg.setUserListHook(this);
    Dialogs::execModal(&dlg);
}

template <class Catalog> void MainForm::openCatalog() {
    Catalog dlg(*m_state, this);
    Dialogs::execModal(&dlg);
}

void MainForm::openRaceLog(const QString& title, const QString& raceKind) {
    frmRaceLog dlg(*m_state, this);
    dlg.openForAdd(title, raceKind);
    Dialogs::execModal(&dlg);
}

void MainForm::mnuAddRaceType_Click() {
    openCatalog<frmAddRaceType>();
}
void MainForm::mnuAddShoe_Click() {
    openCatalog<frmAddShoe>();
}
void MainForm::mnuAddBike_Click() {
    openCatalog<frmAddBike>();
}
void MainForm::mnuAddVideo_Click() {
    openCatalog<frmAddVideo>();
}
void MainForm::mnuAddVideoType_Click() {
    openCatalog<frmAddVideoType>();
}

void MainForm::mnuAddExercise_Click() {
    frmAddExercise dlg(*m_state, this);
    dlg.showAddSectionOnly();
    Dialogs::execModal(&dlg);
}

void MainForm::openItemReport(const QString& kind) {
    frmItemRpt dlg(*m_state, this);
    dlg.openReport(kind);
    Dialogs::execModal(&dlg);
}
void MainForm::mnuShoeReport_Click() {
    openItemReport(QStringLiteral("Shoe"));
}
void MainForm::mnuBikeReport_Click() {
    openItemReport(QStringLiteral("Bike"));
}

void MainForm::mnuRunAddRace_Click() {
    openRaceLog(QStringLiteral("Running Race Log"), QStringLiteral("RunningRace"));
}
void MainForm::mnuBikeAddRace_Click() {
    openRaceLog(QStringLiteral("Cycling Race Log"), QStringLiteral("CyclingRace"));
}
void MainForm::mnuSwimAddRace_Click() {
    openRaceLog(QStringLiteral("Swimming Race Log"), QStringLiteral("SwimmingRace"));
}
