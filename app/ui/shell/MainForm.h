#pragma once

#include "SharedState.h"

#include <QDate>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <memory>

class Connection;
class FormLoad;
class QAbstractItemView;
class QAction;
class QCalendarWidget;
class QCloseEvent;
class QComboBox;
class QDialog;
class QDate;
class QLabel;
class QPushButton;
class frmCalendarRpt;

// The start-up window: holds the current user (the text of cbUsers) and the distance
// unit (the mark of mnuMiles) that every other window reads, opens the exercise chooser
// for a date clicked on the calendar, and carries the menu of every other window.
//
// The menus are built from one table (menuTable in MainForm.cpp): one row per menu and per
// command, each command naming its handler.
class MainForm : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainForm(QWidget* parent = nullptr);

    // The current user and unit, as every other window reads them; announces their changes.
    SharedState& state() { return *m_state; }
    QString currentUser() const;
    bool miles() const;

    // The menu command with this objectName ("mnuAddShoe"); nullptr if none.
    QAction* action(const char* name);
    // Every menu command.
    QList<QAction*> commands();

    // Fills the user selector and sets the unit of the first user. Runs once, when the
    // window is first shown (or when called earlier).
    void Form_Load();
    // Reads the user list and the unit again, as the load step does: after a good copy was
    // put in place of a damaged file while the window was open.
    void reload();
    // Writes the unit back for the user selected now, if the unit was toggled in this run.
    // Runs once, when the window closes.
    void Form_Unload();

    void cbUsers_Click();
    void Calendar_Click(const QDate& date);

    bool distanceChanged() const { return m_distanceChanged; }

    // Selects today on the calendar and shows its month (the Today button and Home).
    void showToday();
    // The days around the month shown on which the current user has a workout; the calendar
    // shows them in bold. Read again when the user, the month shown or the data may change.
    QList<QDate> markedDays() const { return m_markedDays; }
    // The window's first filling reads through `connection` (start-up's, already open) instead
    // of opening the file again; it is let go once the window is filled.
    void readFirstThrough(std::shared_ptr<Connection> connection) { m_first = std::move(connection); }
    // Shows this period's progress of each goal of the current user in the status bar, in
    // the current unit. Runs after the user or the unit changes and after every save. Reads
    // through `open` when given, else through a connection of its own.
    void ShowGoalProgress(Connection* open = nullptr);

    QLabel* Label2 = nullptr; // title
    QLabel* Label1 = nullptr;
    QComboBox* cbUsers = nullptr;
    QCalendarWidget* Calendar = nullptr;
    QPushButton* btnToday = nullptr;
    QLabel* lblGoals = nullptr; // in the status bar

    ~MainForm() override;

  signals:
    // The window is about to close and end the program; its exit step comes next.
    void closing();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    using Handler = void (MainForm::*)();
    // One row of the menu table: a menu (no parent for a top-level one) or a command.
    struct MenuRow {
        const char* parent;  // objectName of the menu it goes into; nullptr for a top-level menu
        const char* name;    // objectName
        const char* caption; // with its access key
        Handler handler;     // a command's handler; nullptr for a menu
        bool checkable = false;
    };
    static const MenuRow menuTable[];

    // The menu bar's menus. What a menu holds is made when it first opens, or when a command
    // is asked for by name: the commands of closed menus cost the window's start nothing.
    void buildMenus();
    // Makes the submenus and commands of the top-level menu `name`, once.
    void fillMenu(const QByteArray& name);
    // Opens frmAddUser; a user it stores joins the selector, and becomes the current one (with
    // its unit) when there was none.
    void addUser();
    // Shows a window modally, then brings this window back to the front and marks the
    // workout days again (the window may have saved or deleted workouts).
    void showModal(QDialog* dialog);
    void markWorkoutDays(Connection* open = nullptr);
    // Fills the window from the diary through one connection: the users, the unit, the goal
    // progress and the workout days.
    void load();
    // Weekend days in a red that reads well on the calendar's background, light or dark.
    void colourWeekends();
    // Queues ShowGoalProgress for when the event loop next runs; several calls make one.
    void goalProgressDue();

    // --- Menu handlers, one per command (a command's row names it once its window exists) ---
    // &Utilities
    void mnuMiles_Click();
    void mnuAddUser_Click();
    void mnuAddRaceType_Click();
    void mnuTriang_Click();
    void mnuBackup_Click();
    void mnuImport_Click();
    void mnuGoals_Click();
    void mnuHeartRate_Click();
    // &Running
    void mnuRunTextRpt_Click();
    void mnuRunGraphRpt_Click();
    void mnuShoeReport_Click();
    void mnuRunRaceRpt_Click();
    void mnuRunAddRace_Click();
    void mnuAddShoe_Click();
    // &Biking
    void mnuBikeTextRpt_Click();
    void mnuBikeGraphRpt_Click();
    void mnuBikeReport_Click();
    void mnuBikeRaceRpt_Click();
    void mnuBikeAddRace_Click();
    void mnuAddBike_Click();
    // &Swimming
    void mnuSwimTextRpt_Click();
    void mnuSwimRaceRpt_Click();
    void mnuSwimAddRace_Click();
    // &Video
    void mnuVideoTextRpt_Click();
    void mnuAddVideo_Click();
    void mnuAddVideoType_Click();
    // &Other
    void mnuOtherTextRpt_Click();
    void mnuAddExercise_Click();
    // &Combined Reports
    void mnuCalendar_Click();
    void mnuTimeRpt_Click();
    void mnuTimeGraph_Click();
    void mnuTrainingLoad_Click();
    // &Help
    void mnuHowDoI_Click();
    void mnuAbout_Click();

    template <class Catalog> void openCatalog();
    void openRaceLog(const QString& title, const QString& raceKind);
    // "Personal Bests" of every race kind, with `raceKind` chosen.
    void openPersonalBests(const QString& raceKind);
    void mnuRunBests_Click();
    void mnuBikeBests_Click();
    void mnuSwimBests_Click();
    // The text report window for a report kind, as the report commands open it.
    void openTextReport(const QString& kind);

    SharedState* m_state = nullptr;
    FormLoad* m_formLoad = nullptr;
    QPointer<frmCalendarRpt> m_calendarRpt;      // the one calendar report, while it is open
    QAction* mnuMiles = nullptr;                 // read for the unit on every access
    QAbstractItemView* m_calendarView = nullptr; // the calendar's day grid, for Home
    QList<QDate> m_markedDays;
    bool m_unloaded = false;
    bool m_goalsDue = false;             // a goal progress refresh is queued
    std::shared_ptr<Connection> m_first; // see readFirstThrough
    bool m_loading = false;              // load() is filling the window; it reads the rest itself
    int m_writeListener = 0;             // Connection::addWriteListener's number
    QSet<QByteArray> m_filledMenus;      // top-level menus whose commands are made
    bool m_distanceChanged = false;      // set by mnuMiles, never reset; decides the write at exit
};
