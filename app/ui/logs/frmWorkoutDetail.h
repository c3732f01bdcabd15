#pragma once

#include "SharedState.h"
#include "Track.h"
#include "TrackView.h"

#include <QWidget>

class ChartControl;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class RouteView;

// "Workout Detail": what the watch recorded of one run or ride. The summary, the route, the
// splits and laps as tables, the profiles of pace or speed, heart rate and elevation over
// distance, and the time in each heart-rate zone; "Export GPX..." writes the track to a file.
// Modeless: several can be open at once. Everything shown is worked out by TrackView.
class frmWorkoutDetail : public QWidget {
    Q_OBJECT
  public:
    explicit frmWorkoutDetail(SharedState& state, QWidget* parent = nullptr);
    ~frmWorkoutDetail() override;

    // Reads workout `id` and its track and fills the window. Shows a message and returns false
    // when it cannot be read or has no track; the window is then not to be shown.
    bool openWorkout(qint64 id);

    // Profiles are drawn with this many buckets (two rows each) across the distance.
    static constexpr int ProfileBuckets = 600;

  private:
    void btnExportGpx_Click();
    void fill(const TrackView::Workout& workout, const HeartRate::Settings& settings);
    void fillTable(QTableWidget* table, const QStringList& lines);
    void setProfile(ChartControl* chart, const QString& title, const QList<double>& values);

    SharedState& m_state;
    qint64 m_id = 0;
    QString m_kind;
    QString m_name;
    Track::Data m_track;
    TrackView::Profile m_profile;

    QWidget* grpSummary = nullptr;
    RouteView* routeView = nullptr;
    QTabWidget* tabDetail = nullptr;
    QTableWidget* tblSplits = nullptr;
    QTableWidget* tblLaps = nullptr;
    QLabel* lblLaps = nullptr;
    ChartControl* chartRate = nullptr;
    ChartControl* chartHeartRate = nullptr;
    ChartControl* chartElevation = nullptr;
    ChartControl* chartZones = nullptr;
    QLabel* lblZonesNote = nullptr;
    QPushButton* btnExportGpx = nullptr;
    QPushButton* btnClose = nullptr;
};
