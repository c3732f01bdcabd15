#pragma once

#include "SharedState.h"
#include "UserListHook.h"

#include <QMainWindow>

class QAction;
class QCalendarWidget;
class QCloseEvent;
class QComboBox;
class QDate;
class QLabel;
class QMenu;
class QShowEvent;

// The start-up window: holds the current user (the text of cbUsers) and the distance
// unit (the mark of mnuMiles) that every other window reads, opens the exercise chooser
// for a date clicked on the calendar, and carries the menu of every other window.
class MainForm : public QMainWindow, public UserListHook {
    Q_OBJECT
  public:
    explicit MainForm(QWidget* parent = nullptr);

    // The current user and unit, as every other window reads them; announces their changes.
    SharedState& state() { return *m_state; }
    QString currentUser() const;
    bool miles() const;

    // UserListHook: frmAddUser hands a new user over here.
    void appendUser(const QString& name) override;
    void makeCurrentUser(const QString& name, bool miles) override;

    // Fills the user selector and sets the unit of the first user. Runs once, when the
    // window is first shown (or when called earlier).
    void Form_Load();
    // Writes the unit back for the user selected now, if the unit was toggled in this run.
    // Runs once, when the window closes.
    void Form_Unload();

    void cbUsers_Click();
    void Calendar_Click(const QDate& date);

    void mnuMiles_Click();
    void mnuAddUser_Click();
    void mnuAddRaceType_Click();
    void mnuRunAddRace_Click();
    void mnuAddShoe_Click();
    void mnuBikeAddRace_Click();
    void mnuAddBike_Click();
    void mnuSwimAddRace_Click();
    void mnuAddVideo_Click();
    void mnuAddVideoType_Click();
    void mnuAddExercise_Click();
    void mnuShoeReport_Click();
    void mnuBikeReport_Click();

    bool distanceChanged() const { return m_distanceChanged; }

    QLabel* Label2 = nullptr; // title
    QLabel* Label1 = nullptr;
    QComboBox* cbUsers = nullptr;
    QCalendarWidget* Calendar = nullptr;

    // &Utilities
    QAction* mnuMiles = nullptr;
    QAction* mnuAddUser = nullptr;
    QAction* mnuAddRaceType = nullptr;
    QAction* mnuTriang = nullptr;
    QAction* mnuBackup = nullptr;
    // &Running
    QAction* mnuRunTextRpt = nullptr;
    QAction* mnuRunGraphRpt = nullptr;
    QAction* mnuShoeReport = nullptr;
    QAction* mnuRunRaceRpt = nullptr;
    QAction* mnuRunAddRace = nullptr;
    QAction* mnuAddShoe = nullptr;
    // &Biking
    QAction* mnuBikeTextRpt = nullptr;
    QAction* mnuBikeGraphRpt = nullptr;
    QAction* mnuBikeReport = nullptr;
    QAction* mnuBikeRaceRpt = nullptr;
    QAction* mnuBikeAddRace = nullptr;
    QAction* mnuAddBike = nullptr;
    // &Swimming
    QAction* mnuSwimTextRpt = nullptr;
    QAction* mnuSwimRaceRpt = nullptr;
    QAction* mnuSwimAddRace = nullptr;
    // &Video
    QAction* mnuVideoTextRpt = nullptr;
    QAction* mnuAddVideo = nullptr;
    QAction* mnuAddVideoType = nullptr;
    // &Other
    QAction* mnuOtherTextRpt = nullptr;
    QAction* mnuAddExercise = nullptr;
    // &Combined Reports
    QAction* mnuCalendar = nullptr;
    QAction* mnuTimeRpt = nullptr;
    QAction* mnuTimeGraph = nullptr;
    // &Help
    QAction* mnuHowDoI = nullptr;
    QAction* mnuAbout = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    QMenu* addMenu(QMenu* parent, const char* name, const QString& caption);
    QAction* addAction(QMenu* menu, const char* name, const QString& caption, void (MainForm::*handler)());
    template <class Catalog> void openCatalog();
    void openItemReport(const QString& kind);
    void openRaceLog(const QString& title, const QString& raceKind);

    SharedState* m_state = nullptr;
    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_distanceChanged = false; // set by mnuMiles, never reset; decides the write at exit
};
