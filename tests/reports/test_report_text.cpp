// Whole report texts, worked out by hand from the line rules, for every kind and format.
#include "ReportData.h"

namespace {

using TextReport::Format;

struct TextCase {
    const char* name;
    const char* kind;
    Format format;
    QString text; // expected: lines ending in "|", {n} = n blanks
    const char* criteria = "";
    const char* error = "";
    bool miles = true;
    bool comments = false;
    const char* user = "Ann";
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.name;
}

class ReportText : public ReportData, public ::testing::WithParamInterface<TextCase> {};

TEST_P(ReportText, WholeText) {
    const TextCase& c = GetParam();
    const auto result = report(QString::fromUtf8(c.kind), c.format, c.miles, c.comments,
                               QString::fromUtf8(c.criteria), QString::fromUtf8(c.user));
    EXPECT_EQ(text(result.lines), expected(c.text));
    EXPECT_EQ(result.error, QString::fromUtf8(c.error));
}

const char* const RunFullMilesComments = R"(
DATE{10}MILES{3}TIME{6}PACE{4}DAY{8}COURSE|
%SEP%|
 |
November 2026|
28-Nov-2026{3}5{7}45:00{5}9:00{4}Saturday{3}River Loop{41}1|
{5}easy|
30-Nov-2026{3}6.2{5}1:02:30{3}10:05{3}Monday{5}Hill{47}2|
Month Totals -> Miles=11.2 Time=1:47:30 Pace=9:36|
{16}Runs=2 Avg Miles=5.60 Avg Time=53:45|
 |
December 2026|
02-Dec-2026{3}0{7}30:00{5}0:00{4}Wednesday{2}Treadmill{42}3|
05-Dec-2026{3}2.6{5}20:00{5}7:42{4}Saturday{3}Track{46}4|
{5}intervals|
Month Totals -> Miles=2.6 Time=50:00 Pace=19:14|
{16}Runs=2 Avg Miles=1.30 Avg Time=25:00|
 |
Report Totals -> Miles=13.8 Time=2:37:30 Pace=11:25|
{17}Runs=4 Avg Miles=3.45 Avg Time=39:22|
)";

// The same report without comments: the comment lines (five blanks, then the text) go.
const QString RunFullMiles =
    QString::fromUtf8(RunFullMilesComments).remove(QRegularExpression("\\n\\{5\\}[^\\n]*"));

const char* const RunFullKm = R"(
DATE{10}KM{6}TIME{6}PACE{4}DAY{8}COURSE|
%SEP%|
 |
November 2026|
28-Nov-2026{3}8.1{5}45:00{5}5:33{4}Saturday{3}River Loop{41}1|
30-Nov-2026{3}10{6}1:02:30{3}6:15{4}Monday{5}Hill{47}2|
Month Totals -> Kilometers=18.1 Time=1:47:30 Pace=5:56|
{16}Runs=2 Avg Kilometers=9.05 Avg Time=53:45|
 |
December 2026|
02-Dec-2026{3}0{7}30:00{5}0:00{4}Wednesday{2}Treadmill{42}3|
05-Dec-2026{3}4.3{5}20:00{5}4:39{4}Saturday{3}Track{46}4|
Month Totals -> Kilometers=4.3 Time=50:00 Pace=11:38|
{16}Runs=2 Avg Kilometers=2.15 Avg Time=25:00|
 |
Report Totals -> Kilometers=22.4 Time=2:37:30 Pace=7:02|
{17}Runs=4 Avg Kilometers=5.60 Avg Time=39:22|
)";

const char* const RunFullCourses = R"(
DATE{10}MILES{3}TIME{6}PACE{4}DAY{8}COURSE|
%SEP%|
 |
November 2026|
30-Nov-2026{3}6.2{5}1:02:30{3}10:05{3}Monday{5}Hill{47}2|
Month Totals -> Miles=6.2 Time=1:02:30 Pace=10:05|
{16}Runs=1 Avg Miles=6.20 Avg Time=1:02:30|
 |
December 2026|
05-Dec-2026{3}2.6{5}20:00{5}7:42{4}Saturday{3}Track{46}4|
Month Totals -> Miles=2.6 Time=20:00 Pace=7:42|
{16}Runs=1 Avg Miles=2.60 Avg Time=20:00|
 |
Report Totals -> Miles=8.8 Time=1:22:30 Pace=9:22|
{17}Runs=2 Avg Miles=4.40 Avg Time=41:15|
)";

const char* const HeaderOnlyRun = R"(
DATE{10}MILES{3}TIME{6}PACE{4}DAY{8}COURSE|
%SEP%|
)";

const char* const RunSummaryMiles = R"(
MONTH{11}MILES{4}TIME{6}PACE{4}RUNS{4}AVG MILES{3}AVG TIME{3}|
%SEP%|
November 2026{3}11.2{5}1:47:30{3}9:36{4}2{7}5.60{8}53:45{6}|
December 2026{3}2.6{6}50:00{5}19:14{3}2{7}1.30{8}25:00{6}|
 |
Report Totals -> Miles=13.8 Time=2:37:30 Pace=11:25|
{17}Runs=4 Avg Miles=3.45 Avg Time=39:22|
)";

const char* const RunSummaryZeroDistance = R"(
MONTH{11}MILES{4}TIME{6}PACE{4}RUNS{4}AVG MILES{3}AVG TIME{3}|
%SEP%|
December 2026{3}0{8}30:00{5}0:00{4}1{7}0.00{8}30:00{6}|
 |
Report Totals -> Miles=0 Time=30:00 Pace=0:00|
{17}Runs=1 Avg Miles=0.00 Avg Time=30:00|
)";

const char* const RideFullMiles = R"(
DATE{10}MILES{3}TIME{6}MPH{5}DAY{8}COURSE|
%SEP%|
 |
December 2026|
06-Dec-2026{3}30{6}1:30:00{3}20.00{3}Sunday{5}Coast{46}6|
07-Dec-2026{3}10{6}0:00{6}0.00{4}Monday{5}Park{47}7|
Month Totals -> Miles=40 Time=1:30:00 MPH=26.67|
{16}Rides=2 Avg Miles=20.00 Avg Time=45:00|
 |
Report Totals -> Miles=40 Time=1:30:00 MPH=26.67|
{17}Rides=2 Avg Miles=20.00 Avg Time=45:00|
)";

const char* const RideSummaryKm = R"(
MONTH{11}KM{7}TIME{6}KPH{5}RIDES{3}AVG KM{6}AVG TIME{3}|
%SEP%|
December 2026{3}64.4{5}1:30:00{3}42.93{3}2{7}32.20{7}45:00{6}|
 |
Report Totals -> Kilometers=64.4 Time=1:30:00 KPH=42.93|
{17}Rides=2 Avg Kilometers=32.20 Avg Time=45:00|
)";

const char* const RunWeekly = R"(
WEEK{12}MILES{4}TIME{6}PACE{4}RUNS{4}AVG MILES{3}AVG TIME{3}|
%SEP%|
22-Nov-2026{5}5{8}45:00{5}9:00{4}1{7}5.00{8}45:00{6}|
29-Nov-2026{5}8.8{6}1:52:30{3}12:47{3}3{7}2.93{8}37:30{6}|
06-Dec-2026{5}0{8}0:00{6}0:00{4}0{7}0{11}0:00{7}|
 |
Report Totals -> Miles=13.8 Time=2:37:30 Pace=11:25|
{17}Runs=4 Avg Miles=3.45 Avg Time=39:22|
{17}Average Miles per Week=4.60|
)";

const char* const RunWeeklyCurrentMonth = R"(
WEEK{12}MILES{4}TIME{6}PACE{4}RUNS{4}AVG MILES{3}AVG TIME{3}|
%SEP%|
29-Nov-2026{5}2.6{6}50:00{5}19:14{3}2{7}1.30{8}25:00{6}|
06-Dec-2026{5}0{8}0:00{6}0:00{4}0{7}0{11}0:00{7}|
 |
Report Totals -> Miles=2.6 Time=50:00 Pace=19:14|
{17}Runs=2 Avg Miles=1.30 Avg Time=25:00|
{17}Average Miles per Week=1.30|
)";

// A range of one week whose only run has no distance: the run is counted.
const char* const RunWeeklyRangeKm = R"(
WEEK{12}KM{7}TIME{6}PACE{4}RUNS{4}AVG KM{6}AVG TIME{3}|
%SEP%|
29-Nov-2026{5}0{8}30:00{5}0:00{4}1{7}0.00{8}30:00{6}|
 |
Report Totals -> Kilometers=0 Time=30:00 Pace=0:00|
{17}Runs=1 Avg Kilometers=0.00 Avg Time=30:00|
{17}Average Kilometers per Week=0.00|
)";

const char* const RunWeeklyNothing = R"(
WEEK{12}MILES{4}TIME{6}PACE{4}RUNS{4}AVG MILES{3}AVG TIME{3}|
%SEP%|
)";

const char* const SwimFullComments = R"(
DATE{10}LAPS{4}TIME{6}DAY{8}LOCATION|
%SEP%|
 |
December 2026|
03-Dec-2026{3}40{6}40:00{5}Thursday{3}Pool A{52}8|
{5}drills|
Month Totals -> Laps=40 Time=40:00|
{16}Swims=1 Avg Laps=40.00 Avg Time=40:00|
 |
January 2027|
04-Jan-2027{3}0{7}30:00{5}Monday{5}Lake{54}9|
Month Totals -> Laps=0 Time=30:00|
{16}Swims=1 Avg Laps=0.00 Avg Time=30:00|
 |
Report Totals -> Laps=40 Time=1:10:00|
{17}Swims=2 Avg Laps=20.00 Avg Time=35:00|
)";

const char* const SwimSummary = R"(
MONTH{11}LAPS{5}TIME{6}SWIMS{3}AVG LAPS{4}AVG TIME{3}|
%SEP%|
December 2026{3}40{7}40:00{5}1{7}40.00{7}40:00{6}|
January 2027{4}0{8}30:00{5}1{7}0.00{8}30:00{6}|
 |
Report Totals -> Laps=40 Time=1:10:00|
{17}Swims=2 Avg Laps=20.00 Avg Time=35:00|
)";

const char* const VideoFullComments = R"(
DATE{10}TIME{6}DAY{8}VIDEO{62}|
%SEP%|
 |
December 2026|
04-Dec-2026{3}25:00{5}Friday{5}Core Blast{57}10|
{5}hard|
10-Dec-2026{3}35:00{5}Thursday{3}Yoga Flow{58}11|
Month Totals ->  Time=1:00:00 Exercises=2 Avg Time=30:00|
 |
Report Totals ->  Time=1:00:00 Exercises=2 Avg Time=30:00|
)";

const char* const VideoSummary = R"(
MONTH{11}TIME{6}EXERCISES{3}AVG TIME{3}|
%SEP%|
December 2026{3}1:00:00{3}2{11}30:00{6}|
 |
Report Totals -> Time=1:00:00 Exercises=2 Avg Time=30:00|
)";

const char* const OtherFull = R"(
DATE{10}TIME{6}DAY{8}EXERCISE{18}FIELD1{36}|
%SEP%|
 |
December 2026|
08-Dec-2026{3}15:00{5}Tuesday{4}Pushups{19}50{40}12|
Month Totals ->  Time=15:00 Exercises=1 Avg Time=15:00|
 |
Report Totals ->  Time=15:00 Exercises=1 Avg Time=15:00|
)";

const char* const OtherSummary = R"(
MONTH{11}TIME{6}EXERCISES{3}AVG TIME{3}|
%SEP%|
December 2026{3}15:00{5}1{11}15:00{6}|
 |
Report Totals -> Time=15:00 Exercises=1 Avg Time=15:00|
)";

const char* const TimeFullSwimVideo = R"(
DATE{10}TIME{6}DAY{10}EXERCISE{18}|
%SEP%|
 |
December 2026|
03-Dec-2026{3}40:00{5}Thursday{5}Swimming{58}8|
04-Dec-2026{3}25:00{5}Friday{7}Video{61}10|
10-Dec-2026{3}35:00{5}Thursday{5}Video{61}11|
Month Totals ->  Time=1:40:00 Exercises=3 Avg Time=33:20|
 |
January 2027|
04-Jan-2027{3}30:00{5}Monday{7}Swimming{58}9|
Month Totals ->  Time=30:00 Exercises=1 Avg Time=30:00|
 |
Report Totals ->  Time=2:10:00 Exercises=4 Avg Time=32:30|
)";

const char* const TimeSummaryAll = R"(
MONTH{11}TIME{6}EXERCISES{3}AVG TIME{3}|
%SEP%|
November 2026{3}1:47:30{3}2{11}53:45{6}|
December 2026{3}4:15:00{3}8{11}31:52{6}|
January 2027{4}30:00{5}1{11}30:00{6}|
 |
Report Totals -> Time=6:32:30 Exercises=11 Avg Time=35:41|
)";

const char* const RunningRaceMiles = R"(
DATE{10}TYPE{10}MILES{3}TIME{6}PACE{4}RACE{43}|
%SEP%|
04-Oct-2026{3}10K{11}6.2{5}50:00{5}8:04{4}Harbor Run{37}1|
15-Nov-2026{3}Marathon{6}26.2{4}3:30:00{3}8:01{4}City Marathon{34}2|
 |
)";

const char* const RunningRaceKmMarathon = R"(
DATE{10}TYPE{10}KM{6}TIME{6}PACE{4}RACE{43}|
%SEP%|
15-Nov-2026{3}Marathon{6}42.2{4}3:30:00{3}4:59{4}City Marathon{34}2|
 |
)";

const char* const CyclingRaceZero = R"(
DATE{10}TYPE{10}MILES{3}TIME{6}PACE{4}RACE{43}|
%SEP%|
01-Nov-2026{3}Crit{10}0{7}1:00:00{3}0:00{4}Night Crit{37}3|
 |
)";

const char* const SwimmingRaceNone = R"(
DATE{10}TYPE{10}MILES{3}TIME{6}PACE{4}RACE{43}|
%SEP%|
 |
)";

const char* const HeaderOnlyVideo = R"(
DATE{10}TIME{6}DAY{8}VIDEO{62}|
%SEP%|
)";

const char* const NoLines = "";

const char* const Courses = "(Course = 'Hill' OR Course = 'Track' ) ";
const char* const CurrentMonth = "Format(Exercise_Date, 'MMMM YYYY') = Format(Now, 'MMMM YYYY') ";

INSTANTIATE_TEST_SUITE_P(
    Reports, ReportText,
    ::testing::ValuesIn(std::vector<TextCase>{
        {"RunFullMiles", "Running", Format::Full, RunFullMiles},
        {"RunFullMilesComments", "Running", Format::Full, RunFullMilesComments, "", "", true, true},
        {"RunFullKm", "Running", Format::Full, RunFullKm, "", "", false},
        // An OR in the criteria stays inside its own parentheses: Bob's run on the Hill is not Ann's.
        {"RunFullCourseCriteriaStayInside", "Running", Format::Full, RunFullCourses,
         "Course = 'Hill' OR Course = 'Track' "},
        {"RunFullNoRows", "Running", Format::Full, HeaderOnlyRun, "", "", true, true, "Cy"},
        {"RunSummaryMiles", "Running", Format::Summary, RunSummaryMiles},
        {"RunSummaryZeroDistance", "Running", Format::Summary, RunSummaryZeroDistance,
         "Course = 'Treadmill' "},
        {"RideFullMilesZeroTime", "Cycling", Format::Full, RideFullMiles},
        {"RideSummaryKm", "Cycling", Format::Summary, RideSummaryKm, "", "", false},
        {"RunWeekly", "Running", Format::Weekly, RunWeekly},
        {"RunWeeklyCurrentMonth", "Running", Format::Weekly, RunWeeklyCurrentMonth, CurrentMonth},
        {"RunWeeklyRangeKm", "Running", Format::Weekly, RunWeeklyRangeKm,
         "(Exercise_Date BETWEEN Format('12/1/2026', 'mm/dd/yyyy') AND Format('12/3/2026', 'mm/dd/yyyy')) ",
         "", false},
        {"RunWeeklyNoRuns", "Running", Format::Weekly, RunWeeklyNothing, "", "", true, false, "Cy"},
        {"SwimFullComments", "Swimming", Format::Full, SwimFullComments, "", "", true, true},
        {"SwimSummary", "Swimming", Format::Summary, SwimSummary, "", "", false},
        {"VideoFullComments", "Video", Format::Full, VideoFullComments, "", "", true, true},
        {"VideoSummary", "Video", Format::Summary, VideoSummary},
        {"VideoFullNoRows", "Video", Format::Full, HeaderOnlyVideo, "", "", true, false, "Cy"},
        {"OtherFull", "Other", Format::Full, OtherFull},
        {"OtherSummary", "Other", Format::Summary, OtherSummary},
        {"TimeFullTypeCriteria", "Time", Format::Full, TimeFullSwimVideo,
         "(Exercise_Type = 'Swimming' OR Exercise_Type = 'Video' ) "},
        {"TimeSummaryAll", "Time", Format::Summary, TimeSummaryAll},
        {"RunningRaceMiles", "RunningRace", Format::None, RunningRaceMiles},
        {"RunningRaceKmTypeCriteria", "RunningRace", Format::None, RunningRaceKmMarathon,
         "RaceType = 'Marathon' ", "", false},
        {"CyclingRaceZeroDistance", "CyclingRace", Format::None, CyclingRaceZero},
        {"SwimmingRaceNone", "SwimmingRace", Format::None, SwimmingRaceNone},
        // Kinds and formats without a report.
        {"UnknownKind", "Walking", Format::Full, NoLines, "", "Program Error"},
        {"WeeklyCycling", "Cycling", Format::Weekly, NoLines, "", "Program Error"},
        {"FullRace", "RunningRace", Format::Full, NoLines, "", "Program Error"},
        // Criteria that try to be more than a condition run nothing.
        {"SecondStatement", "Running", Format::Full, HeaderOnlyRun, "Miles > 0; DELETE FROM Users",
         "Could not retrieve data - The criteria are not a condition: it holds a second statement - In "
         "frmTextRpt FullRunBikeRpt"},
        {"ClosesTheWhere", "Video", Format::Full, HeaderOnlyVideo,
         "Video = 'x') UNION SELECT User_Name FROM Users WHERE (1 = 1",
         "Could not retrieve data - The criteria are not a condition: a parenthesis closes more than it "
         "opened - In frmTextRpt FullVideoRpt"},
        {"Ordering", "Video", Format::Full, HeaderOnlyVideo, "1 = 1 ORDER BY Video",
         "Could not retrieve data - The criteria are not a condition: ORDER is not a column of this report - "
         "In "
         "frmTextRpt FullVideoRpt"},
        {"OtherTable", "Running", Format::Full, HeaderOnlyRun, "('Bob', 1) IN Users",
         "Could not retrieve data - The criteria are not a condition: a comma stands outside a function's "
         "values - In frmTextRpt FullRunBikeRpt"},
        {"NotSql", "RunningRace", Format::None, R"(
DATE{10}TYPE{10}MILES{3}TIME{6}PACE{4}RACE{43}|
%SEP%|
)",
         "RaceDistance >=",
         "Could not retrieve race data - near \")\": syntax error - In frmTextRpt RaceRpt"}}),
    CaseName());

// A time that is not a duration stops the report with its message; what was written stays.
TEST_F(ReportData, BadTimeStopsWithLinesKept) {
    exec("INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, "
         "Exercise_Time, "
         "User_Name) VALUES (20, 'Running', '12/1/2026', 'Tuesday', 'abc', 'Dee')");
    exec("INSERT INTO Running_Log (Running_ID, Miles, Kilometers, Course) VALUES (20, 3, 4.8, 'Park')");
    const auto result =
        report(QStringLiteral("Running"), Format::Full, true, false, QString(), QStringLiteral("Dee"));
    EXPECT_EQ(text(result.lines), expected(R"(
DATE{10}MILES{3}TIME{6}PACE{4}DAY{8}COURSE|
%SEP%|
 |
December 2026|
)"));
    EXPECT_EQ(result.error,
              QStringLiteral("Could not retrieve data - Type mismatch - In frmTextRpt FullRunBikeRpt"));
}

// The weekly report runs one query per week; a twenty-year span comes out week by week.
TEST_F(ReportData, WeeklyCoversEveryWeekOfTheSpan) {
    const auto result = report(QStringLiteral("Running"), Format::Weekly, true, false,
                               QStringLiteral("(Exercise_Date BETWEEN Format('1/1/2007', 'mm/dd/yyyy') AND "
                                              "Format('12/31/2026', 'mm/dd/yyyy')) "));
    ASSERT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    // 31-Dec-2006 (a Sunday) to the week of 27-Dec-2026: 1044 weeks, then blank and 3 totals.
    EXPECT_EQ(result.lines.size(), 2 + 1044 + 4);
    EXPECT_TRUE(result.lines.at(2).startsWith(QStringLiteral("31-Dec-2006 ")));
    EXPECT_TRUE(result.lines.at(2 + 1043).startsWith(QStringLiteral("27-Dec-2026 ")));
    EXPECT_EQ(result.lines.last(),
              QString(17, QLatin1Char(' ')) + QStringLiteral("Average Miles per Week=0.01"));
}

// A month whose runs have no distance keeps its own totals: nothing of it reaches the next.
TEST_F(ReportData, NoMonthsTimeFlowsIntoTheNext) {
    exec("INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, "
         "Exercise_Time, "
         "User_Name) VALUES (30, 'Running', '10/20/2026', 'Tuesday', '25:00', 'Ann')");
    exec("INSERT INTO Running_Log (Running_ID, Miles, Kilometers, Course) VALUES (30, 0, 0, 'Treadmill')");
    const auto result = report(QStringLiteral("Running"), Format::Full, true, false,
                               QStringLiteral("(Course = 'Treadmill' OR Course = 'Hill' ) "));
    EXPECT_EQ(text(result.lines), expected(R"(
DATE{10}MILES{3}TIME{6}PACE{4}DAY{8}COURSE|
%SEP%|
 |
October 2026|
20-Oct-2026{3}0{7}25:00{5}0:00{4}Tuesday{4}Treadmill{42}30|
Month Totals -> Miles=0 Time=25:00 Pace=0:00|
{16}Runs=1 Avg Miles=0.00 Avg Time=25:00|
 |
November 2026|
30-Nov-2026{3}6.2{5}1:02:30{3}10:05{3}Monday{5}Hill{47}2|
Month Totals -> Miles=6.2 Time=1:02:30 Pace=10:05|
{16}Runs=1 Avg Miles=6.20 Avg Time=1:02:30|
 |
December 2026|
02-Dec-2026{3}0{7}30:00{5}0:00{4}Wednesday{2}Treadmill{42}3|
Month Totals -> Miles=0 Time=30:00 Pace=0:00|
{16}Runs=1 Avg Miles=0.00 Avg Time=30:00|
 |
Report Totals -> Miles=6.2 Time=1:57:30 Pace=18:57|
{17}Runs=3 Avg Miles=2.07 Avg Time=39:10|
)"));
    EXPECT_TRUE(result.error.isEmpty());
}

} // namespace

// The compact store of a report's lines gives back every line exactly, whatever its
// characters: names and comments may hold any text.
TEST(ReportLinesStore, GivesBackEveryLineAsWritten) {
    const QStringList written{QString(),
                              QStringLiteral(" "),
                              QStringLiteral("05-Dec-2026   6.2    50:00"),
                              QStringLiteral("Zürich – Lauf am Fluss \U0001F3C3 "),
                              QString(82, QLatin1Char('-')),
                              QStringLiteral("\u00e9")};
    ReportLines lines;
    for (const QString& line : written)
        lines << line;
    EXPECT_EQ(lines.toStringList(), written);
    EXPECT_EQ(lines.widest(), 82);
    EXPECT_EQ(lines.last(), QStringLiteral("\u00e9"));

    ReportLines twice = lines;
    twice.append(lines);
    EXPECT_EQ(twice.toStringList(), written + written);
    EXPECT_FALSE(twice == lines); // the window tests compare lines with ==
    twice.clear();
    EXPECT_TRUE(twice.isEmpty());
    EXPECT_EQ(twice.widest(), 0);
}
