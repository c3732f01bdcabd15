// Heart rate: zone times of hand-made tracks, the settings refused and kept through the window,
// and a hand-worked run of load, fitness, fatigue and form shown by the Training Load window.

#include "GuiFixture.h"

#include "CLibrary.h"
#include "ChartControl.h"
#include "Clock.h"
#include "DatePicker.h"
#include "HeartRate.h"
#include "MainForm.h"
#include "SharedState.h"
#include "TrainingLoad.h"
#include "frmHeartRate.h"
#include "frmTrainingLoad.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QDateTime>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// A track as "seconds:bpm" points; 0 bpm is a point without heart rate.
struct ZoneCase {
    const char* name;
    int max;
    std::vector<std::pair<int, int>> points;
    const char* zones; // the lines, joined by '|'
    const char* average;
};

class ZoneTimes : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(ZoneTimes, HoldEachPointsRateUntilTheNext) {
    const ZoneCase& c = GetParam();
    std::vector<HeartRate::Sample> samples;
    for (auto [s, bpm] : c.points)
        samples.push_back({1'700'000'000'000 + s * 1000LL, bpm});
    const auto lines = HeartRate::zoneLines(HeartRate::zoneSeconds(samples, c.max, HeartRate::DefaultZones),
                                            c.max, HeartRate::DefaultZones);
    EXPECT_EQ(lines.join(QLatin1Char('|')), QString::fromUtf8(c.zones));
    const auto avg = HeartRate::average(samples);
    EXPECT_EQ(avg ? QStringLiteral("%1/%2").arg(avg->bpm).arg(avg->seconds) : QString("none"), c.average);
}

INSTANTIATE_TEST_SUITE_P(
    Tracks, ZoneTimes,
    ::testing::Values(
        // Max 200: zones from 100, 120, 140, 160, 180; the last point adds no time.
        ZoneCase{"Steady",
                 200,
                 {{0, 150}, {1800, 150}, {3600, 150}},
                 "Below\t0\t100\t0:00|1\t100\t120\t0:00|2\t120\t140\t0:00|3\t140\t160\t1:00:00|4\t160\t180\t"
                 "0:00|5\t180\t\t0:00",
                 "150/3600"},
        // A gap without heart rate adds no time; a pause holds the rate before it.
        ZoneCase{"GapAndPause",
                 200,
                 {{0, 99}, {30, 0}, {90, 185}, {700, 120}, {710, 120}},
                 "Below\t0\t100\t0:30|1\t100\t120\t0:00|2\t120\t140\t0:10|3\t140\t160\t0:00|4\t160\t180\t"
                 "0:00|5\t180\t\t10:10",
                 "180.031/650"},
        // Max 185: bounds 92.5, 111, 129.5, 148, 166.5 shown and applied rounded down.
        ZoneCase{"BoundsRoundedDown",
                 185,
                 {{0, 92}, {1, 91}, {2, 166}, {4, 0}},
                 "Below\t0\t92\t0:01|1\t92\t111\t0:01|2\t111\t129\t0:00|3\t129\t148\t0:00|4\t148\t166\t"
                 "0:00|5\t166\t\t0:02",
                 "128.75/4"},
        ZoneCase{"NoHeartRate",
                 190,
                 {{0, 0}, {60, 0}},
                 "Below\t0\t95\t0:00|1\t95\t114\t0:00|2\t114\t133\t0:00|3\t133\t152\t0:00|4\t152\t171\t"
                 "0:00|5\t171\t\t0:00",
                 "none"}),
    [](const auto& info) { return std::string(info.param.name); });

class HeartRateTest : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        exec("INSERT INTO Users (User_Name) VALUES ('Ann'), ('Bob')");
    }
};

// The window refuses what cannot be a setting, naming why, and keeps the last good one.
TEST_F(HeartRateTest, TheWindowRefusesBadValuesAndSavesGoodOnes) {
    MainForm main;
    main.Form_Load();
    main.cbUsers->setCurrentText("Ann");
    drivers["frmHeartRate"] = [](QDialog* dlg) {
        auto* w = static_cast<frmHeartRate*>(dlg);
        const QStringList zones{"50", "60", "70", "80", "90"};
        for (const auto& [max, rest, zone3] :
             {std::tuple("251", "50", "70"), std::tuple("185", "29", "70"), std::tuple("150", "150", "70"),
              std::tuple("18x", "50", "70"), std::tuple("185", "50", "60"), std::tuple("185", "50", "70")}) {
            w->txtMax->setText(max);
            w->txtRest->setText(rest);
            for (int i = 0; i < 5; ++i)
                w->txtZone[i]->setText(i == 2 ? zone3 : zones[i]);
            click(w->btnSave);
        }
        EXPECT_EQ(w->lblBounds->text(), "Zone 1 from 92, 2 from 111, 3 from 129, 4 from 148, 5 from 166 bpm");
        return w->result();
    };
    main.action("mnuHeartRate")->trigger();
    const QString range = "must be a whole number from 30 to 250 bpm.";
    EXPECT_EQ(messages, QStringList({"The maximum heart rate " + range, "The resting heart rate " + range,
                                     "The resting heart rate must be below the maximum.",
                                     "The maximum heart rate " + range,
                                     "The zone bounds must be five whole percentages from 1 to 100, each "
                                     "above the one before (such as 50,60,70,80,90)."}));
    EXPECT_EQ(HeartRate::line(HeartRate::read(*db(), "Ann")), "185\t50\t50,60,70,80,90");
    EXPECT_EQ(HeartRate::line(HeartRate::read(*db(), "Bob")), "\t\t50,60,70,80,90");
}

// Max 190, rest 50. 2 March: 60 min at 120 (r 0.5: 60 x 0.5 x 0.64 x e^0.96 = 50.14); 3 March: rest;
// 4 March: 30 min at 190 (r 1: 30 x 0.64 x e^1.92 = 130.96), 20 min at 40 (r 0) and a run without
// heart rate. Fitness adds (load - fitness) x (1 - e^(-1/42)) = x 0.023528 a day, fatigue x 0.133122.
TEST_F(HeartRateTest, LoadFitnessFatigueAndFormOverHandWorkedDays) {
    exec("UPDATE Users SET Max_HR = 190, Rest_HR = 50 WHERE User_Name = 'Ann'");
    exec("INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, User_Name) VALUES "
         "(1, 'Running', '3/2/2026', 'Ann'), (2, 'Cycling', '3/4/2026', 'Ann'), (3, 'Other', '3/4/2026', "
         "'Ann'), (4, 'Running', '3/4/2026', 'Ann'), (5, 'Running', '3/2/2026', 'Bob')");
    auto conn = db();
    const qint64 t0 = 1'772'400'000'000;
    HeartRate::keep(*conn, 1, {{t0, 120}, {t0 + 3'600'000, 0}});
    HeartRate::keep(*conn, 2, {{t0, 190}, {t0 + 1'800'000, 190}});
    HeartRate::keep(*conn, 3, {{t0, 40}, {t0 + 1'200'000, 40}});
    HeartRate::keep(*conn, 5, {{t0, 180}, {t0 + 1'200'000, 180}});
    const TrainingLoad::Range r = TrainingLoad::read(*conn, "Ann", QDate(2026, 3, 1), QDate(2026, 3, 5));
    QStringList lines;
    for (const TrainingLoad::Day& d : r.days)
        lines << TrainingLoad::line(d);
    EXPECT_EQ(lines, QStringList({"2026-03-01\t0.0\t0.0\t0.0\t0.0", "2026-03-02\t50.1\t1.2\t6.7\t0.0",
                                  "2026-03-03\t0.0\t1.2\t5.8\t-5.5", "2026-03-04\t131.0\t4.2\t22.5\t-4.6",
                                  "2026-03-05\t0.0\t4.1\t19.5\t-18.2"}));
    EXPECT_EQ(r.withoutHeartRate, 1);
    EXPECT_THROW(TrainingLoad::read(*conn, "Bob", QDate(), QDate(2026, 3, 5)), DbError);

    Clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(12, 0)));
    FixedState state("Ann");
    frmTrainingLoad window(state);
    window.Form_Load();
    EXPECT_EQ(window.LoadChart->rowLabels().size(), 90);
    EXPECT_EQ(window.LoadChart->seriesLabel(1), "Load");
    EXPECT_EQ(window.LoadChart->seriesValues(2).last(), r.days.back().fitness);
    EXPECT_EQ(window.lblStatus->text(), "1 workout in this range has no heart rate and adds no load.");
    window.show();
    QApplication::processEvents();
    shot(&window, "training-load");
    // Switched to another range, the legend keeps room for its text before the window paints.
    window.optYear->setChecked(true);
    window.opt90Days->setChecked(true);
    EXPECT_GE(window.LoadChart->chart()->legend()->geometry().height(),
              QFontMetricsF(window.LoadChart->chart()->legend()->font()).height());
    EXPECT_FALSE(window.dtFrom->isEnabled());
    window.optDateRange->setChecked(true);
    EXPECT_TRUE(window.dtTo->isEnabled());
    window.optAllTime->setChecked(true);
    EXPECT_FALSE(window.dtTo->isEnabled());
    EXPECT_EQ(window.LoadChart->rowLabels().first(), "3/2/2026");
    Clock::reset();

    // A deleted workout takes its kept heart rate with it.
    EXPECT_TRUE(CLibrary().DeleteWorkout("Cycling_Log", "Cycling_ID", "2"));
    EXPECT_EQ(scalar("SELECT Count(*) FROM Exercise_HeartRate"), "3");
}

} // namespace
