#include "frmWorkoutDetail.h"

#include "CLibrary.h"
#include "ChartControl.h"
#include "Connection.h"
#include "DateText.h"
#include "DbError.h"
#include "Dialogs.h"
#include "RouteView.h"
#include "Tables.h"
#include "TrackStore.h"
#include "WorkoutKinds.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

QTableWidget* makeTable(const QString& name, QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setAlternatingRowColors(true);
    return table;
}

ChartControl* makeChart(const QString& name, QWidget* parent) {
    auto* chart = new ChartControl(parent);
    chart->setObjectName(name);
    chart->setShowLegend(false);
    return chart;
}

} // namespace

frmWorkoutDetail::frmWorkoutDetail(SharedState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state) {
    setObjectName(QStringLiteral("frmWorkoutDetail"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Workout Detail"));

    grpSummary = new QGroupBox(QStringLiteral("Summary"), this);
    grpSummary->setObjectName(QStringLiteral("grpSummary"));
    new QFormLayout(grpSummary);
    routeView = new RouteView(this);
    btnExportGpx = new QPushButton(QStringLiteral("Export GPX..."), this);
    btnExportGpx->setObjectName(QStringLiteral("btnExportGpx"));
    btnClose = new QPushButton(QStringLiteral("Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));

    auto* left = new QVBoxLayout;
    left->addWidget(grpSummary);
    left->addWidget(routeView, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnExportGpx);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    left->addLayout(buttons);

    tabDetail = new QTabWidget(this);
    tabDetail->setObjectName(QStringLiteral("tabDetail"));
    auto* tables = new QWidget(tabDetail);
    auto* tablesLayout = new QVBoxLayout(tables);
    tblSplits = makeTable(QStringLiteral("tblSplits"), tables);
    tblLaps = makeTable(QStringLiteral("tblLaps"), tables);
    lblLaps = new QLabel(QStringLiteral("Laps"), tables);
    lblLaps->setObjectName(QStringLiteral("lblLaps"));
    tablesLayout->addWidget(new QLabel(QStringLiteral("Splits"), tables));
    tablesLayout->addWidget(tblSplits, 3);
    tablesLayout->addWidget(lblLaps);
    tablesLayout->addWidget(tblLaps, 2);
    tabDetail->addTab(tables, QStringLiteral("Splits and Laps"));

    auto* profiles = new QWidget(tabDetail);
    auto* profilesLayout = new QVBoxLayout(profiles);
    chartRate = makeChart(QStringLiteral("chartRate"), profiles);
    chartHeartRate = makeChart(QStringLiteral("chartHeartRate"), profiles);
    chartElevation = makeChart(QStringLiteral("chartElevation"), profiles);
    for (ChartControl* chart : {chartRate, chartHeartRate, chartElevation}) {
        profilesLayout->addWidget(chart);
        // A thinner line than the chart's own: two values per pixel column draw a band, not a blot.
        chart->setLineWidth(1.5);
        // The pointer over a profile marks its place on the route.
        chart->setPointerTracking(true);
        connect(chart, &ChartControl::pointerRow, this, [this](int row) {
            if (row >= 0 && row < long(m_profile.meters.size()))
                routeView->setMark(m_profile.meters[size_t(row)]);
            else
                routeView->setMark(std::nullopt);
        });
    }
    tabDetail->addTab(profiles, QStringLiteral("Profiles"));

    auto* zones = new QWidget(tabDetail);
    auto* zonesLayout = new QVBoxLayout(zones);
    chartZones = makeChart(QStringLiteral("chartZones"), zones);
    lblZonesNote = new QLabel(zones);
    lblZonesNote->setObjectName(QStringLiteral("lblZonesNote"));
    lblZonesNote->setAlignment(Qt::AlignCenter);
    lblZonesNote->setWordWrap(true);
    zonesLayout->addWidget(chartZones, 1);
    zonesLayout->addWidget(lblZonesNote, 1);
    tabDetail->addTab(zones, QStringLiteral("Heart-Rate Zones"));

    auto* outer = new QHBoxLayout(this);
    outer->addLayout(left, 2);
    outer->addWidget(tabDetail, 3);
    resize(1150, 760);

    connect(btnExportGpx, &QPushButton::clicked, this, &frmWorkoutDetail::btnExportGpx_Click);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    // Esc closes it, as it closes the program's other windows.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

bool frmWorkoutDetail::openWorkout(qint64 id) {
    m_id = id;
    TrackView::Workout workout;
    HeartRate::Settings settings;
    QString settingsProblem;
    try {
        auto conn = CLibrary().GetConnection();
        ResultSet rs = conn->query(QStringLiteral("SELECT Exercise_Type, Exercise_Date, User_Name FROM "
                                                  "Exercise_Master WHERE Exercise_ID = ?"),
                                   {id});
        if (rs.eof())
            throw DbError(QStringLiteral("No workout with the id %1").arg(id));
        m_kind = rs.field("Exercise_Type");
        const QString date = rs.field("Exercise_Date");
        workout.date = QDate::fromString(date, Qt::ISODate);
        if (!workout.date.isValid())
            workout.date = DateText::parse(date).value_or(QDate());
        const WorkoutKinds::Kind* kind = WorkoutKinds::findWorkout(m_kind, Qt::CaseInsensitive);
        workout.ride = kind && kind->rate == WorkoutKinds::Rate::Speed;
        workout.miles = m_state.miles();
        const QString user = rs.field("User_Name");

        m_name = TrackStore::trackName(*conn, id, m_kind);

        const std::optional<Track::Data> track = TrackStore::load(*conn, id);
        if (!track || track->points.empty()) {
            Dialogs::message(this, QStringLiteral("This workout has no track."));
            return false;
        }
        m_track = *track;
        // Without the settings the window still shows the track; the zones say why they are missing.
        try {
            settings = HeartRate::read(*conn, user);
        } catch (const std::exception& e) {
            settingsProblem = QStringLiteral("Could not read the heart-rate settings - ") + describe(e);
        }
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not read the track of this workout - ") + describe(e));
        return false;
    }
    setWindowTitle(QStringLiteral("Workout Detail - %1, %2")
                       .arg(m_kind, workout.date.isValid() ? DateText::shortDate(workout.date) : QString()));
    fill(workout, settings);
    if (!settingsProblem.isEmpty()) {
        chartZones->hide();
        lblZonesNote->setText(settingsProblem);
        lblZonesNote->show();
    }
    return true;
}

void frmWorkoutDetail::fill(const TrackView::Workout& workout, const HeartRate::Settings& settings) {
    auto* form = static_cast<QFormLayout*>(grpSummary->layout());
    for (const TrackView::Line& line : TrackView::summary(m_track, workout)) {
        auto* value = new QLabel(line.value, grpSummary);
        value->setObjectName(QStringLiteral("lbl") + line.name);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(line.caption, value);
    }

    fillTable(tblSplits, TrackView::splitLines(m_track, workout));
    const QStringList laps = TrackView::lapLines(m_track, workout);
    fillTable(tblLaps, laps);
    if (laps.isEmpty()) {
        tblLaps->hide();
        lblLaps->setText(QStringLiteral("Laps: the file recorded none."));
    }

    routeView->setRoute(TrackView::route(m_track, TrackView::unitMeters(workout.miles)));

    m_profile = TrackView::profile(m_track, workout, ProfileBuckets);
    const QString unit = workout.miles ? QStringLiteral("miles") : QStringLiteral("km");
    setProfile(chartRate,
               workout.ride ? QStringLiteral("Speed (%1) over distance (%2)")
                                  .arg(workout.miles ? QStringLiteral("mph") : QStringLiteral("km/h"), unit)
                            : QStringLiteral("Pace (min/%1) over distance (%2)")
                                  .arg(workout.miles ? QStringLiteral("mile") : QStringLiteral("km"), unit),
               m_profile.rate);
    chartRate->setRowTips(m_profile.rateTips);
    setProfile(chartHeartRate, QStringLiteral("Heart rate (bpm)"), m_profile.heartRate);
    setProfile(chartElevation, QStringLiteral("Elevation (m)"), m_profile.elevation);

    const TrackView::Zones zones = TrackView::zones(m_track, settings);
    if (zones.note.isEmpty()) {
        QList<QVariantList> rows;
        for (qsizetype z = 0; z < zones.labels.size(); ++z)
            rows << QVariantList{zones.labels.at(z), zones.minutes.at(z)};
        chartZones->setChartType(ChartControl::Bar);
        chartZones->setChartData(rows);
        chartZones->setSeriesLabel(1, QStringLiteral("Minutes"));
        chartZones->setSeriesColor(1, QColor(200, 60, 60));
        chartZones->setRowTips(zones.tips);
        chartZones->setTitle(QStringLiteral("Time in each heart-rate zone"));
        lblZonesNote->hide();
    } else {
        chartZones->hide();
        lblZonesNote->setText(zones.note);
    }
}

void frmWorkoutDetail::fillTable(QTableWidget* table, const QStringList& lines) {
    table->clear();
    if (lines.isEmpty()) {
        table->setRowCount(0);
        table->setColumnCount(0);
        return;
    }
    const QStringList header = lines.first().split(QLatin1Char('\t'));
    table->setColumnCount(int(header.size()));
    table->setHorizontalHeaderLabels(header);
    table->setRowCount(int(lines.size() - 1));
    for (qsizetype r = 1; r < lines.size(); ++r) {
        const QStringList cells = lines.at(r).split(QLatin1Char('\t'));
        const bool total = r == lines.size() - 1;
        for (qsizetype c = 0; c < cells.size() && c < header.size(); ++c) {
            auto* item = new QTableWidgetItem(cells.at(c));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (total) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            table->setItem(int(r - 1), int(c), item);
        }
    }
    // A column the track has nothing for (heart rate, climb) is left out rather than shown empty.
    for (int c = 0; c < table->columnCount(); ++c) {
        bool empty = true;
        for (int r = 0; empty && r < table->rowCount(); ++r)
            empty = !table->item(r, c) || table->item(r, c)->text().isEmpty();
        table->setColumnHidden(c, empty);
    }
}

// The profiles' pointer marks the route; while the window's parts are destroyed, no mark is
// wanted, and neither the route nor the profile may still be there.
frmWorkoutDetail::~frmWorkoutDetail() {
    for (ChartControl* chart : {chartRate, chartHeartRate, chartElevation})
        chart->setPointerTracking(false);
}

void frmWorkoutDetail::setProfile(ChartControl* chart, const QString& title, const QList<double>& values) {
    if (values.isEmpty()) {
        chart->hide();
        return;
    }
    QList<QVariantList> rows;
    rows.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        rows << QVariantList{m_profile.labels.at(i), values.at(i)};
    chart->setChartType(ChartControl::Line);
    chart->setValueAxisFromZero(false);
    chart->setChartData(rows);
    chart->setTitle(title);
    chart->setValueAxisTitle(QStringLiteral(" "));
}

void frmWorkoutDetail::btnExportGpx_Click() {
    QFileDialog dialog(this, QStringLiteral("Export GPX"));
    dialog.setObjectName(QStringLiteral("dlgExportGpx"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(QStringLiteral("gpx"));
    dialog.setNameFilters({QStringLiteral("GPX files (*.gpx)"), QStringLiteral("All files (*)")});
    dialog.selectFile(QStringLiteral("workout-%1.gpx").arg(m_id));
    if (Dialogs::execModal(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(Track::gpx(m_track, m_name, m_kind.toLower())) < 0 ||
        !file.commit())
        Dialogs::message(this, QStringLiteral("Could not write %1: %2").arg(path, file.errorString()));
}
