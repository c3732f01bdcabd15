#pragma once

#include <QWidget>

class FormLoad;
class QDate;
class SharedState;

// The calendar report: the current user's workouts of one month in the month grid, one item
// of three lines per day (kind, detail, time), the kind coloured. The only window that stays
// open beside the main window: it refills whenever it is activated again, when another month
// or year is picked, and when the main window changes the user or the unit. Under the title
// it shows the progress of the user's week and month goals.
class frmCalendarRpt : public QWidget {
    Q_OBJECT
  public:
    explicit frmCalendarRpt(SharedState& state, QWidget* parent = nullptr);

    // Takes the unit from the main window. Runs once, on the first show.
    void Form_Load();
    // Reads the shown month's workouts and hands them to the grid. On a read failure the
    // month shows empty and a message says why.
    void FillCalendar();

    bool miles() const { return bMiles; }

    // The month grid (the monthpane library's mossCalendar), or a label saying why there is
    // none when its library cannot be loaded.
    QWidget* mossCalendar1 = nullptr;

  protected:
    bool event(QEvent* event) override;

  private slots:
    void mossCalendar1_DateChanged();

  private:
    void Form_Activate();
    void state_milesChanged(bool miles);
    void load();
    void fill(bool quietOnRepeatedFailure);
    QString goalNote(const QDate& month) const;
    void showItems(const QStringList& nums, const QStringList& data1, const QStringList& data2,
                   const QStringList& data3, const QList<quint32>& colors, const QString& note);

    SharedState& m_state;
    FormLoad* m_formLoad = nullptr;
    bool bMiles = true;
    bool m_gridMade = false; // the month grid's library was loaded and the grid made
    bool m_failing = false;  // the last fill failed; activations do not repeat its message
};
