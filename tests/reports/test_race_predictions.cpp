// Race-time predictions: a table worked out by hand (T2 = T1 x (D2/D1)^1.06), the races and
// targets read from the log, and the Personal Bests window.

#include "GuiFixture.h"

#include "CLibrary.h"
#include "Clock.h"
#include "RacePredictions.h"
#include "frmPersonalBests.h"

#include <QDateTime>
#include <QTreeWidget>

namespace {

using RacePredictions::Race;

struct PredictionCase {
    const char* name;
    double targetKm;
    std::vector<Race> races;
    const char* predicted; // "-" for none
    double fromKm;
};

class PredictTest : public ::testing::TestWithParam<PredictionCase> {};

TEST_P(PredictTest, FromTheNearestRaceThatQualifies) {
    const PredictionCase& c = GetParam();
    const auto p = RacePredictions::predict({{"Target", c.targetKm}}, c.races);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].predicted ? CLibrary::MinutesToString(p[0].minutes) : QString("-"), c.predicted);
    if (p[0].predicted) {
        EXPECT_DOUBLE_EQ(p[0].from.km, c.fromKm);
    }
}

const QDate day(2026, 6, 1);
INSTANTIATE_TEST_SUITE_P(
    ByHand, PredictTest,
    ::testing::Values(
        PredictionCase{"SameDistance", 10, {{day, "5K", 5, 20}, {day, "10K", 10, 42}}, "42:00", 10},
        // 95 x 2^1.06 = 95 x 2.08494 = 198.069 minutes.
        PredictionCase{"MarathonFromHalf",
                       42.195,
                       {{day, "10K", 10, 42}, {day, "Half", 21.0975, 95}},
                       "3:18:04",
                       21.0975},
        // Both 1 km away: 16 x 1.25^1.06 = 20.27 beats 25 x (5/6)^1.06 = 20.61.
        PredictionCase{"TieTakesTheFaster", 5, {{day, "6K", 6, 25}, {day, "4K", 4, 16}}, "20:16", 4},
        // 20 km is more than ten times 1.9 km: from 45 km, 200 x (20/45)^1.06 = 84.67 minutes.
        PredictionCase{
            "NearestTooShortForTheTarget", 20, {{day, "1.9K", 1.9, 7}, {day, "45K", 45, 200}}, "1:24:40", 45},
        PredictionCase{"RaceUnderOneAndAHalfKm", 5, {{day, "1.4K", 1.4, 5}}, "-", 0},
        PredictionCase{"MoreThanTenTimes", 21.0975, {{day, "2.1K", 2.1, 7}}, "-", 0}),
    CaseName());

// Today is Wednesday 9 December 2026: races count from 9 December 2025.
class PredictionsTest : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(12, 0)));
        exec("INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Ann', 1), ('Bob', 1)");
        exec("INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceDistance, RaceDistanceKM, RaceTime, "
             "User_Name) VALUES ('RunningRace', '11/26/2026', '5K', 3.1, 5, '20:00', 'Ann'), "
             "('RunningRace', '12/9/2025', '5K', 3.1, 5, '19:00', 'Ann'), "
             "('RunningRace', '12/8/2025', '10K', 6.2, 10, '38:00', 'Ann'), "
             "('RunningRace', '12/10/2026', '10K', 6.2, 10, '35:00', 'Ann'), "
             "('RunningRace', '6/1/2026', '10K', 6.2, 10, '42:00', 'Ann'), "
             "('RunningRace', '3/1/2026', 'Half', 13.1, 21.0975, '1:35:00', 'Ann'), "
             "('RunningRace', '7/1/2026', '10K', 6.2, 10, 'abc', 'Ann'), "
             "('CyclingRace', '7/1/2026', '10K', 6.2, 10, '10:00', 'Ann')");
        exec("INSERT INTO RaceTypes (Exercise, RaceType, RaceDistance, User_Name) VALUES "
             "('RunningRace', '10 Mile', 10, 'Ann'), ('RunningRace', '5k', 3.1, 'Ann'), "
             "('RunningRace', 'Relay', 0, 'Ann'), ('CyclingRace', '40K TT', 24.9, 'Ann')");
    }
    void TearDown() override {
        Clock::reset();
        GuiFixture::TearDown();
    }
};

// A race 365 days back counts, one a day older or after today does not; 10 miles = 16.09 km
// is nearest to the half: 95 x (16.09 / 21.0975)^1.06 = 71.28 minutes.
TEST_F(PredictionsTest, FromTheRacesOfTheLastYearForEachTarget) {
    const auto predictions = RacePredictions::compute(*db(), "Ann", Clock::today());
    EXPECT_EQ(RacePredictions::lines(predictions, true),
              QStringList({"5K (3.1 miles)\t19:00\t2025-12-09, 5K, 19:00",
                           "10K (6.2 miles)\t42:00\t2026-06-01, 10K, 42:00",
                           "Half Marathon (13.1 miles)\t1:35:00\t2026-03-01, Half, 1:35:00",
                           "Marathon (26.2 miles)\t3:18:04\t2026-03-01, Half, 1:35:00",
                           "10 Mile (10.0 miles)\t1:11:17\t2026-03-01, Half, 1:35:00"}));
    EXPECT_EQ(RacePredictions::lines(RacePredictions::compute(*db(), "Bob", Clock::today()), false),
              QStringList({"No running race in the last 365 days to predict from"}));
}

TEST_F(PredictionsTest, ShownInTheWindowOpenedForRunningRaces) {
    FixedState state("Ann", false);
    frmPersonalBests running(state, "RunningRace");
    running.show();
    ASSERT_EQ(running.tvPredictions->topLevelItemCount(), 5);
    const QTreeWidgetItem* marathon = running.tvPredictions->topLevelItem(3);
    EXPECT_EQ(QStringList({marathon->text(0), marathon->text(1), marathon->text(2)}),
              QStringList({"Marathon (42.2 km)", "3:18:04", "3/1/2026, Half, 1:35:00"}));
    shot(&running, "personal-bests-predictions");
}

} // namespace
