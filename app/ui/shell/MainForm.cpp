#include "MainForm.h"

#include "CLibrary.h"
#include "CalendarReport.h"
#include "Clock.h"
#include "DateText.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "FormLoad.h"
#include "Goals.h"
#include "MenuForm.h"
#include "WorkoutKinds.h"
#include "frmAbout.h"
#include "frmAddBike.h"
#include "frmAddExercise.h"
#include "frmAddRaceType.h"
#include "frmAddShoe.h"
#include "frmAddUser.h"
#include "frmAddVideo.h"
#include "frmAddVideoType.h"
#include "frmCalendarRpt.h"
#include "frmCopyFile.h"
#include "frmGoals.h"
#include "frmGraphRpt.h"
#include "frmGraphTime.h"
#include "frmHeartRate.h"
#include "frmHelp.h"
#include "frmImport.h"
#include "frmItemRpt.h"
#include "frmPersonalBests.h"
#include "frmRaceLog.h"
#include "frmTextRpt.h"
#include "frmTrainingLoad.h"
#include "frmTriang.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QTextCharFormat>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

namespace {

// The user's stored unit: true for miles; nothing when the user has no row.
std::optional<bool> storedUnit(Connection& conn, const QString& user) {
    ResultSet rs = conn.query(QStringLiteral("SELECT DistanceMiles FROM Users WHERE User_Name = ?"), {user});
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

// The window's title: the window's own font, bold and spaced out, drawn `scale` times as
// large. A font of a new size would be matched, loaded and prepared anew while the window is
// made (some 2 million instructions of its start); the bold font at the window's size is
// loaded anyway, and a larger drawing of it looks the same.
class TitleLabel : public QLabel {
  public:
    TitleLabel(const QString& text, qreal scale, QWidget* parent) : QLabel(text, parent), m_scale(scale) {
        QFont bold = font();
        bold.setBold(true);
        bold.setLetterSpacing(QFont::PercentageSpacing, 115);
        setFont(bold);
    }
    QSize sizeHint() const override {
        const QFontMetricsF metrics(font());
        const QMarginsF margins = contentsMargins();
        return QSizeF(metrics.horizontalAdvance(text()) * m_scale + margins.left() + margins.right(),
                      metrics.height() * m_scale + margins.top() + margins.bottom())
            .toSize()
            .grownBy({1, 1, 1, 1});
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setPen(palette().color(foregroundRole()));
        const QRectF area = contentsRect();
        painter.translate(area.center());
        painter.scale(m_scale, m_scale);
        const QSizeF unscaled = area.size() / m_scale;
        painter.drawText(QRectF(QPointF(-unscaled.width() / 2, -unscaled.height() / 2), unscaled),
                         Qt::AlignCenter, text());
    }

  private:
    qreal m_scale;
};

} // namespace

MainForm::MainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    m_state = new MainFormState(this);
    m_formLoad = new FormLoad(this, [this] { load(); });
    setWindowTitle(QStringLiteral("Trainbook"));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));

    Label2 = new TitleLabel(QStringLiteral("TRAINBOOK"), 2.2, central);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);

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
    // Weeks start on Sunday, as in the calendar report, whatever the locale says.
    Calendar->setFirstDayOfWeek(Qt::Sunday);
    // Digits typed on the calendar would start its own date entry and move it silently to
    // whatever they spell; it is moved by clicks, arrow keys, Home and the Today button only.
    Calendar->setDateEditEnabled(false);
    // Paging by month reaches no further than the dates the data layer accepts.
    Calendar->setDateRange(DateText::firstPickable(), DateText::lastPickable());
    m_calendarView = Calendar->findChild<QAbstractItemView*>();
    if (m_calendarView)
        m_calendarView->installEventFilter(this);
    // Roomy day cells: the calendar is the window's main target.
    Calendar->setMinimumHeight(Calendar->fontMetrics().height() * 16);
    colourWeekends();

    btnToday = new QPushButton(QStringLiteral("Today"), central);
    btnToday->setObjectName(QStringLiteral("btnToday"));
    btnToday->setToolTip(QStringLiteral("Show today in the calendar (Home)"));
    btnToday->setAutoDefault(false);

    auto* userRow = new QHBoxLayout;
    userRow->addStretch();
    userRow->addWidget(Label1);
    userRow->addWidget(cbUsers);
    userRow->addStretch();
    auto* todayRow = new QHBoxLayout;
    todayRow->addStretch();
    todayRow->addWidget(btnToday);

    auto* layout = new QVBoxLayout(central);
    layout->addWidget(Label2);
    layout->addLayout(userRow);
    layout->addWidget(Calendar, 1);
    layout->addLayout(todayRow);
    setCentralWidget(central);

    buildMenus();
    // Wide enough that every top-level menu shows without the overflow button.
    setMinimumWidth(menuBar()->sizeHint().width() + 24);

    connect(cbUsers, qOverload<int>(&QComboBox::activated), this, [this](int) { cbUsers_Click(); });
    connect(Calendar, &QCalendarWidget::clicked, this, &MainForm::Calendar_Click);
    connect(btnToday, &QPushButton::clicked, this, &MainForm::showToday);
    connect(Calendar, &QCalendarWidget::currentPageChanged, this, [this] { markWorkoutDays(); });
    connect(cbUsers, &QComboBox::currentTextChanged, this, [this] { markWorkoutDays(); });
    connect(cbUsers, &QComboBox::currentTextChanged, m_state, &SharedState::currentUserChanged);
    connect(mnuMiles, &QAction::toggled, m_state, &SharedState::milesChanged);

    lblGoals = new QLabel(this);
    lblGoals->setObjectName(QStringLiteral("lblGoals"));
    lblGoals->setWordWrap(true); // several goals take more than one line
    statusBar()->addWidget(lblGoals, 1);
    connect(m_state, &SharedState::currentUserChanged, this, &MainForm::goalProgressDue);
    connect(m_state, &SharedState::milesChanged, this, &MainForm::goalProgressDue);
    // Saves happen inside a write; the progress is read once control is back in the event loop.
    QPointer<MainForm> self(this);
    m_writeListener = Connection::addWriteListener([self] {
        QMetaObject::invokeMethod(
            qApp,
            [self] {
                if (self)
                    self->goalProgressDue();
            },
            Qt::QueuedConnection);
    });
}

MainForm::~MainForm() {
    Connection::removeWriteListener(m_writeListener);
}

void MainForm::goalProgressDue() {
    if (m_goalsDue || m_loading)
        return;
    m_goalsDue = true;
    QTimer::singleShot(0, this, [this] {
        m_goalsDue = false;
        ShowGoalProgress();
        // A save anywhere may have added or removed a workout day.
        markWorkoutDays();
    });
}

void MainForm::ShowGoalProgress(Connection* open) {
    const QString user = cbUsers->currentText();
    QStringList parts;
    try {
        const QDate today = Clock::today();
        if (!user.isEmpty()) {
            std::unique_ptr<Connection> own = open ? nullptr : CLibrary().GetConnection();
            for (const GoalProgress& p : Goals::progress(open ? *open : *own, user, today, miles()))
                parts << Goals::describe(p, miles(), today);
        }
    } catch (const std::exception& e) {
        // A status line cannot ask anything; it says why it shows no progress.
        parts = QStringList{QStringLiteral("Could not retrieve goals - ") + describe(e)};
    }
    lblGoals->setToolTip(parts.join(QLatin1Char('\n')));
    // Lines break between goals only.
    for (QString& part : parts)
        part.replace(QLatin1Char(' '), QChar(0x00A0));
    lblGoals->setText(parts.join(QStringLiteral("    ")));
}

// Every menu and command of the window, in menu order; a menu comes before what it holds.
// A command's handler is declared in MainForm.h and defined below, under its menu's heading.
const MainForm::MenuRow MainForm::menuTable[] = {
    // parent, objectName, caption, handler, checkable
    {nullptr, "mnuUtilities", "&Utilities", nullptr},
    {"mnuUtilities", "mnuMiles", "&Distance is Miles", &MainForm::mnuMiles_Click, true},
    {"mnuUtilities", "mnuAddUser", "Add &User", &MainForm::mnuAddUser_Click},
    {"mnuUtilities", "mnuAddRaceType", "Add &Race Type", &MainForm::mnuAddRaceType_Click},
    {"mnuUtilities", "mnuTriang", "&Pace Calculator", &MainForm::mnuTriang_Click},
    {"mnuUtilities", "mnuBackup", "&Backup Database", &MainForm::mnuBackup_Click},
    {"mnuUtilities", "mnuImport", "&Import Workouts...", &MainForm::mnuImport_Click},
    {"mnuUtilities", "mnuGoals", "&Goals...", &MainForm::mnuGoals_Click},
    {"mnuUtilities", "mnuHeartRate", "&Heart Rate...", &MainForm::mnuHeartRate_Click},

    {nullptr, "mnuRunning", "&Running", nullptr},
    {"mnuRunning", "mnuRunReports", "&Reports", nullptr},
    {"mnuRunReports", "mnuRunTextRpt", "&Text Report", &MainForm::mnuRunTextRpt_Click},
    {"mnuRunReports", "mnuRunGraphRpt", "&Graphic Report", &MainForm::mnuRunGraphRpt_Click},
    {"mnuRunReports", "mnuShoeReport", "&Shoe Report", &MainForm::mnuShoeReport_Click},
    {"mnuRunReports", "mnuRunRaceRpt", "&Race Report", &MainForm::mnuRunRaceRpt_Click},
    {"mnuRunning", "mnuRunAddRace", "&Add Running Race", &MainForm::mnuRunAddRace_Click},
    {"mnuRunning", "mnuRunBests", "&Personal Bests", &MainForm::mnuRunBests_Click},
    {"mnuRunning", "mnuAddShoe", "Add/Modify &Shoe", &MainForm::mnuAddShoe_Click},

    {nullptr, "mnuBiking", "&Biking", nullptr},
    {"mnuBiking", "mnuBikeReports", "&Reports", nullptr},
    {"mnuBikeReports", "mnuBikeTextRpt", "&Text Report", &MainForm::mnuBikeTextRpt_Click},
    {"mnuBikeReports", "mnuBikeGraphRpt", "&Graphic Report", &MainForm::mnuBikeGraphRpt_Click},
    {"mnuBikeReports", "mnuBikeReport", "&Bike Report", &MainForm::mnuBikeReport_Click},
    {"mnuBikeReports", "mnuBikeRaceRpt", "&Race Report", &MainForm::mnuBikeRaceRpt_Click},
    {"mnuBiking", "mnuBikeAddRace", "&Add Cycling Race", &MainForm::mnuBikeAddRace_Click},
    {"mnuBiking", "mnuBikeBests", "&Personal Bests", &MainForm::mnuBikeBests_Click},
    {"mnuBiking", "mnuAddBike", "Add/Modify &Bike", &MainForm::mnuAddBike_Click},

    {nullptr, "mnuSwimming", "&Swimming", nullptr},
    {"mnuSwimming", "mnuSwimReports", "&Reports", nullptr},
    {"mnuSwimReports", "mnuSwimTextRpt", "&Text Report", &MainForm::mnuSwimTextRpt_Click},
    {"mnuSwimReports", "mnuSwimRaceRpt", "&Race Report", &MainForm::mnuSwimRaceRpt_Click},
    {"mnuSwimming", "mnuSwimAddRace", "&Add Swimming Race", &MainForm::mnuSwimAddRace_Click},
    {"mnuSwimming", "mnuSwimBests", "&Personal Bests", &MainForm::mnuSwimBests_Click},

    {nullptr, "mnuVideo", "&Video", nullptr},
    {"mnuVideo", "mnuVideoReports", "&Reports", nullptr},
    {"mnuVideoReports", "mnuVideoTextRpt", "&Text Report", &MainForm::mnuVideoTextRpt_Click},
    {"mnuVideo", "mnuAddVideo", "Add/Modify &Video", &MainForm::mnuAddVideo_Click},
    {"mnuVideo", "mnuAddVideoType", "Add Video &Type", &MainForm::mnuAddVideoType_Click},

    {nullptr, "mnuOther", "&Other", nullptr},
    {"mnuOther", "mnuOtherReports", "&Reports", nullptr},
    {"mnuOtherReports", "mnuOtherTextRpt", "&Text Report", &MainForm::mnuOtherTextRpt_Click},
    {"mnuOther", "mnuAddExercise", "Add/Modify &Exercise", &MainForm::mnuAddExercise_Click},

    {nullptr, "mnuCombined", "&Combined Reports", nullptr},
    {"mnuCombined", "mnuCalendar", "&Calendar", &MainForm::mnuCalendar_Click},
    {"mnuCombined", "mnuTimeRpt", "Time &Report", &MainForm::mnuTimeRpt_Click},
    {"mnuCombined", "mnuTimeGraph", "&Time Graph", &MainForm::mnuTimeGraph_Click},
    {"mnuCombined", "mnuTrainingLoad", "Training &Load", &MainForm::mnuTrainingLoad_Click},

    {nullptr, "mnuHelp", "&Help", nullptr},
    {"mnuHelp", "mnuHowDoI", "&How Do I...", &MainForm::mnuHowDoI_Click},
    {"mnuHelp", "mnuAbout", "&About", &MainForm::mnuAbout_Click},
};

void MainForm::buildMenus() {
    for (const MenuRow& row : menuTable) {
        if (row.parent)
            continue;
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(row.caption));
        menu->setObjectName(QLatin1String(row.name));
        connect(menu, &QMenu::aboutToShow, this, [this, name = QByteArray(row.name)] { fillMenu(name); });
    }
    mnuMiles = action("mnuMiles");
    mnuMiles->setChecked(true);
}

void MainForm::fillMenu(const QByteArray& name) {
    if (m_filledMenus.contains(name))
        return;
    m_filledMenus.insert(name);
    // A row is a menu when some row goes into it; otherwise a command. A menu comes before
    // what it holds, so a row is in this top-level menu when its parent is one already made.
    QSet<QByteArray> menuNames;
    for (const MenuRow& row : menuTable)
        if (row.parent)
            menuNames.insert(row.parent);
    QHash<QByteArray, QMenu*> menus{{name, menuBar()->findChild<QMenu*>(QLatin1String(name))}};
    for (const MenuRow& row : menuTable) {
        QMenu* parent = row.parent ? menus.value(row.parent) : nullptr;
        if (!parent)
            continue;
        const QString caption = QString::fromUtf8(row.caption);
        if (menuNames.contains(row.name)) {
            QMenu* menu = parent->addMenu(caption);
            menu->setObjectName(QLatin1String(row.name));
            menus.insert(row.name, menu);
            continue;
        }
        QAction* command = parent->addAction(caption);
        command->setObjectName(QLatin1String(row.name));
        command->setCheckable(row.checkable);
        Q_ASSERT(row.handler);
        connect(command, &QAction::triggered, this, row.handler);
    }
}

QAction* MainForm::action(const char* name) {
    // The command may be in a menu not yet opened: its top-level menu is filled first.
    QByteArray top(name);
    for (bool up = true; up;) {
        up = false;
        for (const MenuRow& row : menuTable)
            if (row.parent && top == row.name) {
                top = row.parent;
                up = true;
                break;
            }
    }
    fillMenu(top);
    return findChild<QAction*>(QLatin1String(name));
}

QList<QAction*> MainForm::commands() {
    for (const MenuRow& row : menuTable)
        if (!row.parent)
            fillMenu(row.name);
    QList<QAction*> out;
    for (QAction* a : findChildren<QAction*>())
        if (a->objectName().startsWith(QLatin1String("mnu")))
            out << a;
    return out;
}

QString MainForm::currentUser() const {
    return cbUsers->currentText();
}

bool MainForm::miles() const {
    return mnuMiles->isChecked();
}

void MainForm::addUser() {
    frmAddUser dlg(*m_state, this);
    connect(&dlg, &frmAddUser::userAdded, this, [this](const QString& name, bool miles) {
        // Read before appending: the first name appended to an empty list may become the
        // selector's text by itself.
        const bool noCurrentUser = currentUser().isEmpty();
        // Whatever text the selector shows stays (possibly a typed name, possibly none).
        Fields::appendItems(cbUsers, {name});
        if (!noCurrentUser)
            return;
        const int index = cbUsers->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            cbUsers->setCurrentIndex(index);
        else
            cbUsers->setEditText(name);
        mnuMiles->setChecked(miles);
    });
    showModal(&dlg);
}

void MainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        colourWeekends();
    // Back from another program (which may have written to the file) or past midnight.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_formLoad->done())
        goalProgressDue();
    QMainWindow::changeEvent(event);
}

void MainForm::colourWeekends() {
    if (!Calendar)
        return;
    // Pure red is the calendar's own weekend colour; on a dark background it is too dim to
    // read, so a lighter red is used there.
    const bool dark = Calendar->palette().color(QPalette::Base).lightness() < 128;
    QTextCharFormat weekend = Calendar->weekdayTextFormat(Qt::Saturday);
    weekend.setForeground(dark ? QColor(0xff, 0x7b, 0x7b) : QColor(Qt::red));
    for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday})
        Calendar->setWeekdayTextFormat(day, weekend);
}

void MainForm::closeEvent(QCloseEvent* event) {
    emit closing();
    Form_Unload();
    event->accept();
}

void MainForm::Form_Load() {
    m_formLoad->run();
}

void MainForm::reload() {
    if (!m_formLoad->done()) {
        m_formLoad->run();
        return;
    }
    cbUsers->clear();
    load();
}

void MainForm::load() {
    m_distanceChanged = false;
    Calendar->setSelectedDate(Clock::today());

    // Filling the selector and the unit raises the signals that read the goals and the
    // workout days; they are read once below instead, through the same connection.
    std::shared_ptr<Connection> conn = std::move(m_first);
    m_loading = true;
    try {
        if (!conn)
            conn = CLibrary().GetConnection();

        const QStringList names =
            conn->column(QStringLiteral("SELECT User_Name FROM Users"), QStringLiteral("User_Name"));

        if (names.isEmpty()) {
            if (Dialogs::ask(
                    this, QStringLiteral("This application will not function as it should unless a user ") +
                              QStringLiteral("is entered. Enter one now?"))) {
                addUser();
            }
        } else {
            cbUsers->addItems(names);
            cbUsers->setCurrentIndex(0);
        }

        if (const std::optional<bool> unit = storedUnit(*conn, cbUsers->currentText()))
            mnuMiles->setChecked(*unit);
    } catch (const std::exception& e) {
        conn.reset();
        Dialogs::message(this, QStringLiteral("No Users Selected - ") + describe(e) +
                                   QStringLiteral(" - MainForm Form_Load"));
    }
    m_loading = false;
    if (conn)
        ShowGoalProgress(conn.get());
    markWorkoutDays(conn.get());
}

void MainForm::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (!m_distanceChanged)
        return;
    try {
        CLibrary lib;
        lib.Insert_UpdateRec(QStringLiteral("UPDATE Users SET DistanceMiles = ? WHERE User_Name = ?"),
                             {mnuMiles->isChecked() ? 1 : 0, cbUsers->currentText()});
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
    chooser.openFor(date);
    showModal(&chooser);
    // The chooser closes right behind the log window; without a window of its own to return
    // to, the focus would be left nowhere.
    Calendar->setFocus(Qt::ActiveWindowFocusReason);
}

void MainForm::showModal(QDialog* dialog) {
    Dialogs::execModal(dialog);
    activateWindow();
    // Whatever the window did, the days with workouts are shown as they are now.
    markWorkoutDays();
}

void MainForm::showToday() {
    Calendar->setSelectedDate(Clock::today());
    Calendar->showSelectedDate();
}

void MainForm::markWorkoutDays(Connection* open) {
    if (m_loading)
        return;
    // The page shows parts of the months before and after its own.
    const QDate shown(Calendar->yearShown(), Calendar->monthShown(), 1);
    QList<QDate> days;
    try {
        std::unique_ptr<Connection> own = open ? nullptr : CLibrary().GetConnection();
        days = CalendarReport::workoutDays(open ? *open : *own, cbUsers->currentText(), shown.addMonths(-1),
                                           shown.addMonths(2).addDays(-1));
    } catch (const std::exception&) {
        // The marks are a hint only: without the database no day is marked, and the actions
        // that need it report the failure themselves.
    }
    Calendar->setDateTextFormat(QDate(), QTextCharFormat());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (const QDate& day : days)
        Calendar->setDateTextFormat(day, bold);
    m_markedDays = days;
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    // Home on the calendar returns to today, from whatever month is shown.
    if (event->type() == QEvent::KeyPress && watched == m_calendarView) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Home && key->modifiers() == Qt::NoModifier) {
            showToday();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- Menu handlers ------------------------------------------------------------------------

template <class Catalog> void MainForm::openCatalog() {
    Catalog dlg(*m_state, this);
    showModal(&dlg);
}

void MainForm::openPersonalBests(const QString& raceKind) {
    frmPersonalBests dlg(*m_state, raceKind, this);
    showModal(&dlg);
}

void MainForm::mnuRunBests_Click() {
    openPersonalBests(QStringLiteral("RunningRace"));
}

void MainForm::mnuBikeBests_Click() {
    openPersonalBests(QStringLiteral("CyclingRace"));
}

void MainForm::mnuSwimBests_Click() {
    openPersonalBests(QStringLiteral("SwimmingRace"));
}

void MainForm::openRaceLog(const QString& title, const QString& raceKind) {
    frmRaceLog dlg(*m_state, this);
    dlg.openForAdd(title, raceKind);
    showModal(&dlg);
}

void MainForm::openTextReport(const QString& kind) {
    frmTextRpt dlg(*m_state, this);
    dlg.openReport(kind);
    showModal(&dlg);
}

// &Utilities

void MainForm::mnuMiles_Click() {
    m_distanceChanged = true;
}

void MainForm::mnuAddUser_Click() {
    addUser();
}

void MainForm::mnuAddRaceType_Click() {
    openCatalog<frmAddRaceType>();
}

void MainForm::mnuTriang_Click() {
    frmTriang dlg(*m_state, this);
    showModal(&dlg);
}

void MainForm::mnuBackup_Click() {
    frmCopyFile dlg(this);
    showModal(&dlg);
}

void MainForm::mnuImport_Click() {
    frmImport dlg(*m_state, this);
    showModal(&dlg);
}

void MainForm::mnuGoals_Click() {
    frmGoals dlg(*m_state, this);
    Dialogs::execModal(&dlg);
}

void MainForm::mnuHeartRate_Click() {
    frmHeartRate dlg(*m_state, this);
    Dialogs::execModal(&dlg);
}

// &Running

void MainForm::mnuRunTextRpt_Click() {
    openTextReport(WorkoutKinds::Running.nameText());
}

void MainForm::mnuRunRaceRpt_Click() {
    openTextReport(QStringLiteral("RunningRace"));
}

void MainForm::mnuRunAddRace_Click() {
    openRaceLog(QStringLiteral("Running Race Log"), QStringLiteral("RunningRace"));
}

void MainForm::mnuAddShoe_Click() {
    openCatalog<frmAddShoe>();
}

void MainForm::mnuRunGraphRpt_Click() {
    frmGraphRpt dlg(*m_state, this);
    dlg.openGraph(WorkoutKinds::Running.nameText());
    showModal(&dlg);
}

void MainForm::mnuShoeReport_Click() {
    frmItemRpt dlg(*m_state, this);
    dlg.openReport(QStringLiteral("Shoe"));
    showModal(&dlg);
}

// &Biking

void MainForm::mnuBikeTextRpt_Click() {
    openTextReport(WorkoutKinds::Cycling.nameText());
}

void MainForm::mnuBikeRaceRpt_Click() {
    openTextReport(QStringLiteral("CyclingRace"));
}

void MainForm::mnuBikeAddRace_Click() {
    openRaceLog(QStringLiteral("Cycling Race Log"), QStringLiteral("CyclingRace"));
}

void MainForm::mnuAddBike_Click() {
    openCatalog<frmAddBike>();
}

void MainForm::mnuBikeGraphRpt_Click() {
    frmGraphRpt dlg(*m_state, this);
    dlg.openGraph(WorkoutKinds::Cycling.nameText());
    showModal(&dlg);
}

void MainForm::mnuBikeReport_Click() {
    frmItemRpt dlg(*m_state, this);
    dlg.openReport(QStringLiteral("Bike"));
    showModal(&dlg);
}

// &Swimming

void MainForm::mnuSwimTextRpt_Click() {
    openTextReport(WorkoutKinds::Swimming.nameText());
}

void MainForm::mnuSwimRaceRpt_Click() {
    openTextReport(QStringLiteral("SwimmingRace"));
}

void MainForm::mnuSwimAddRace_Click() {
    openRaceLog(QStringLiteral("Swimming Race Log"), QStringLiteral("SwimmingRace"));
}

// &Video

void MainForm::mnuVideoTextRpt_Click() {
    openTextReport(WorkoutKinds::Video.nameText());
}

void MainForm::mnuAddVideo_Click() {
    openCatalog<frmAddVideo>();
}

void MainForm::mnuAddVideoType_Click() {
    openCatalog<frmAddVideoType>();
}

// &Other

void MainForm::mnuOtherTextRpt_Click() {
    openTextReport(WorkoutKinds::Other.nameText());
}

void MainForm::mnuAddExercise_Click() {
    frmAddExercise dlg(*m_state, this);
    dlg.showAddSectionOnly();
    showModal(&dlg);
}

// &Combined Reports

void MainForm::mnuTimeGraph_Click() {
    frmGraphTime dlg(*m_state, this);
    showModal(&dlg);
}

void MainForm::mnuTrainingLoad_Click() {
    frmTrainingLoad dlg(*m_state, this);
    Dialogs::execModal(&dlg);
}

void MainForm::mnuTimeRpt_Click() {
    openTextReport(QStringLiteral("Time"));
}

// The calendar report stays open beside this window; a second choice brings it to the front.
void MainForm::mnuCalendar_Click() {
    if (!m_calendarRpt)
        m_calendarRpt = new frmCalendarRpt(*m_state, this);
    m_calendarRpt->show();
    m_calendarRpt->raise();
    m_calendarRpt->activateWindow();
}

// &Help

void MainForm::mnuHowDoI_Click() {
    frmHelp dlg(this);
    showModal(&dlg);
}

void MainForm::mnuAbout_Click() {
    frmAbout dlg(this);
    showModal(&dlg);
}
