// Criteria fragments byte for byte, the stored default, and the drill-down targets.
#include "ReportCriteria.h"
#include "ReportData.h"
#include "ReportDrillDown.h"

#include "Connection.h"
#include "DbError.h"

namespace {

using ReportCriteria::Controls;
using ReportCriteria::DateLimit;

struct FragmentCase {
    const char* name;
    Controls controls;
    const char* fragment;
};

void PrintTo(const FragmentCase& c, std::ostream* os) {
    *os << c.name;
}

class Fragment : public ::testing::TestWithParam<FragmentCase> {};

TEST_P(Fragment, ByteForByte) {
    EXPECT_EQ(ReportCriteria::build(GetParam().controls), QString::fromUtf8(GetParam().fragment));
    // What the dialog builds, the report accepts.
    EXPECT_NO_THROW(
        ReportCriteria::checkFragment(QString::fromUtf8(GetParam().fragment), GetParam().controls.kind));
}

Controls make(const char* kind, bool miles = true) {
    Controls c;
    c.kind = QString::fromUtf8(kind);
    c.miles = miles;
    return c;
}
Controls withDate(Controls c, DateLimit limit) {
    c.limitByDate = true;
    c.dateLimit = limit;
    c.begin = QDate(2026, 11, 9);
    c.end = QDate(2026, 12, 9);
    return c;
}
Controls withNumbers(Controls c, const char* eq, const char* ge, const char* le) {
    c.equal = QString::fromUtf8(eq);
    c.atLeast = QString::fromUtf8(ge);
    c.atMost = QString::fromUtf8(le);
    return c;
}
Controls withCombo(Controls c, const char* combo) {
    c.combo = QString::fromUtf8(combo);
    return c;
}
Controls withList(Controls c, QStringList items) {
    c.listItems = std::move(items);
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Criteria, Fragment,
    ::testing::Values(
        FragmentCase{"NothingUsed", make("Running"), ""},
        FragmentCase{
            "TheExample",
            withList(withNumbers(withDate(make("Running"), DateLimit::CurrentMonth), "", "5", ""),
                     {"A", "B"}),
            "Format(Exercise_Date, 'MMMM YYYY') = Format(Now, 'MMMM YYYY') AND Miles >= 5  AND (Course = "
            "'A' OR Course = 'B' ) "},
        FragmentCase{"CurrentYear", withDate(make("Video"), DateLimit::CurrentYear),
                     "Format(Exercise_Date, 'YYYY') = Format(Now, 'YYYY') "},
        FragmentCase{"DateRangeUnpadded", withDate(make("Swimming"), DateLimit::DateRange),
                     "(Exercise_Date BETWEEN Format('11/9/2026', 'mm/dd/yyyy') AND Format('12/9/2026', "
                     "'mm/dd/yyyy')) "},
        FragmentCase{"OneSwimmingLocation", withList(make("Swimming"), {"Pool A"}),
                     "(Location = 'Pool A' ) "},
        FragmentCase{
            "DateAndList", withList(withDate(make("Other"), DateLimit::CurrentYear), {"Pushups"}),
            "Format(Exercise_Date, 'YYYY') = Format(Now, 'YYYY')  AND (Exercise_Name = 'Pushups' ) "},
        FragmentCase{"KilometresBothBounds", withNumbers(make("Cycling", false), "", "10", "40.5"),
                     "Kilometers >= 10 AND Kilometers <= 40.5 "},
        FragmentCase{"EqualLaps", withNumbers(make("Swimming"), "40", "", ""), "Laps = 40 "},
        FragmentCase{"CyclingBike", withCombo(withNumbers(make("Cycling"), "", "", "20"), "Roadie"),
                     "Miles <= 20 AND Bike = 'Roadie' "},
        FragmentCase{"RunningNeverUsesTheCombo", withCombo(make("Running"), "Roadie"), ""},
        FragmentCase{"VideoHasNoNumbers", withNumbers(make("Video"), "5", "", ""), ""},
        FragmentCase{"TimeTypes", withList(make("Time"), {"Running", "Video"}),
                     "(Exercise_Type = 'Running' OR Exercise_Type = 'Video' ) "},
        FragmentCase{
            "RaceKm",
            withCombo(withNumbers(withDate(make("RunningRace", false), DateLimit::DateRange), "", "42", ""),
                      "Marathon"),
            "(RaceDate BETWEEN Format('11/9/2026', 'mm/dd/yyyy') AND Format('12/9/2026', 'mm/dd/yyyy')) AND "
            "RaceDistanceKM >= 42 AND RaceType = 'Marathon' "},
        FragmentCase{"RaceMilesAndNames",
                     withList(withNumbers(make("SwimmingRace"), "1", "", ""), {"Lake Mile"}),
                     "RaceDistance = 1  AND (RaceName = 'Lake Mile' ) "},
        FragmentCase{"QuotesInValues", withList(withCombo(make("CyclingRace"), "Tom's"), {"O'Hare Loop"}),
                     "RaceType = 'Tom''s'  AND (RaceName = 'O''Hare Loop' ) "}),
    CaseName());

TEST(FragmentNumbers, NotANumberIsRefused) {
    for (const char* typed : {"5; DROP TABLE Users", "abc", "1e5", "5 OR 1=1"}) {
        Controls c = make("Running");
        c.atLeast = QString::fromUtf8(typed);
        EXPECT_THROW(ReportCriteria::build(c), DbError) << typed;
    }
}

// A fragment is accepted only as a condition on the report's own columns.
struct CheckCase {
    const char* name;
    const char* kind;
    const char* fragment;
    bool accepted;
};

class FragmentCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(FragmentCheck, AcceptsOnlyTheReportsOwnColumnsAndTheDialectsFunctions) {
    const CheckCase& c = GetParam();
    const QString fragment = QString::fromUtf8(c.fragment);
    if (c.accepted)
        EXPECT_NO_THROW(ReportCriteria::checkFragment(fragment, QLatin1String(c.kind))) << c.fragment;
    else
        EXPECT_THROW(ReportCriteria::checkFragment(fragment, QLatin1String(c.kind)), DbError) << c.fragment;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FragmentCheck,
    ::testing::Values(
        CheckCase{"SemicolonInsideText", "Running", "(Course = 'a;b) ORDER' ) ", true},
        CheckCase{"BracketedColumn", "Running", "[Course] = 'x' AND `Miles` > 2", true},
        CheckCase{"InList", "Cycling", "Bike IN ('Red', 'Blue') AND Calories_Burned NOT IN (0, -1.5)", true},
        CheckCase{"LikeIsNullNow", "Video",
                  "Video LIKE 'Yoga%' AND Comments IS NOT NULL AND Year(Now()) > 2000", true},
        CheckCase{
            "DrillDownWeek", "Running",
            "Exercise_Date BETWEEN Format('11/29/2026', 'mm/dd/yyyy') AND Format('12/5/2026', 'mm/dd/yyyy')",
            true},
        CheckCase{"RaceColumns", "RunningRace", "RaceDistanceKM * 2 >= 10 OR Month(RaceDate) = 4", true},
        CheckCase{"SecondStatement", "Running", "1=1; DELETE FROM Users", false},
        CheckCase{"LineComment", "Running", "Miles = 1 --", false},
        CheckCase{"Subquery", "Running", "Exercise_ID IN (SELECT Exercise_ID FROM Exercise_Master)", false},
        CheckCase{"RowInTable", "Running", "('Bob', 1) IN Users", false},
        CheckCase{"InTableValuedPragma", "Running", "3 IN pragma_user_version", false},
        CheckCase{"InSchemaTable", "Running", "Miles IN main.Users", false},
        CheckCase{"OtherFunction", "Running", "length(hex(randomblob(100000000))) > 0", false},
        CheckCase{"QualifiedColumn", "Running", "Users.User_Name = 'Bob'", false},
        CheckCase{"OtherKindsColumn", "Running", "Laps > 3", false},
        CheckCase{"Union", "Running", "1=1 UNION ALL SELECT 1", false},
        CheckCase{"DoubleQuotes", "Running", "Course = \"Users\"", false},
        CheckCase{"HexBlob", "Running", "Course = X'41'", false},
        CheckCase{"RowValue", "Running", "(Miles, Kilometers) = (1, 2)", false},
        CheckCase{"JsonArrow", "Running", "Miles ->> '$' > 5", false}),
    CaseName());

// --- Stored default ----------------------------------------------------------------------------

class StoredDefault : public ReportData {};

TEST_F(StoredDefault, RoundTripWithQuotesPerUserAndKind) {
    auto conn = db();
    const QString withQuotes = QStringLiteral("(Course = 'Bob''s Loop' OR Course = 'Hill' ) ");
    EXPECT_EQ(ReportCriteria::loadDefault(*conn, QStringLiteral("Running"), QStringLiteral("Ann")),
              QString());
    EXPECT_TRUE(
        ReportCriteria::saveDefault(*conn, QStringLiteral("Running"), QStringLiteral("Ann"), withQuotes));
    EXPECT_EQ(ReportCriteria::loadDefault(*conn, QStringLiteral("Running"), QStringLiteral("Ann")),
              withQuotes);
    // Stored as typed, the quotes doubled only inside the statement.
    EXPECT_EQ(scalar("SELECT Criteria FROM RptCriteria"), withQuotes);

    // A second save replaces the row; other kinds and users are apart.
    EXPECT_TRUE(ReportCriteria::saveDefault(*conn, QStringLiteral("Running"), QStringLiteral("Ann"),
                                            QStringLiteral("Miles >= 5 ")));
    EXPECT_TRUE(ReportCriteria::saveDefault(*conn, QStringLiteral("Video"), QStringLiteral("O'Neil"),
                                            QStringLiteral("(Video = 'Yoga' ) ")));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM RptCriteria"), QStringLiteral("2"));
    EXPECT_EQ(ReportCriteria::loadDefault(*conn, QStringLiteral("Running"), QStringLiteral("Ann")),
              QStringLiteral("Miles >= 5 "));
    EXPECT_EQ(ReportCriteria::loadDefault(*conn, QStringLiteral("Video"), QStringLiteral("O'Neil")),
              QStringLiteral("(Video = 'Yoga' ) "));
    EXPECT_EQ(ReportCriteria::loadDefault(*conn, QStringLiteral("Video"), QStringLiteral("Ann")), QString());
}

TEST_F(StoredDefault, ListAndComboQueriesReadTheUsersValues) {
    exec("INSERT INTO Bikes (Bike, Active, User_Name) VALUES ('Roadie', 1, 'Ann'), ('Old', 0, 'Ann'), "
         "('Bobs', 1, 'Bob')");
    exec("INSERT INTO RaceTypes (Exercise, RaceType, User_Name) VALUES ('RunningRace', 'Marathon', 'Ann'), "
         "('RunningRace', '10K', 'Ann'), ('CyclingRace', 'Crit', 'Ann')");
    auto conn = db();
    const auto list = [&](const char* kind) {
        return conn->column(ReportCriteria::listQuery(QString::fromUtf8(kind), QStringLiteral("Ann")),
                            QStringLiteral("dCourse"));
    };
    const auto combo = [&](const QString& kind) {
        return conn->column(ReportCriteria::comboQuery(kind, QStringLiteral("Ann")),
                            ReportCriteria::comboField(kind));
    };
    EXPECT_EQ(list("Running"), QStringList({"Hill", "River Loop", "Track", "Treadmill"}));
    EXPECT_EQ(list("Cycling"), QStringList({"Coast", "Park"}));
    EXPECT_EQ(list("Swimming"), QStringList({"Lake", "Pool A"}));
    EXPECT_EQ(list("Video"), QStringList({"Core Blast", "Yoga Flow"}));
    EXPECT_EQ(list("Time"), QStringList({"Cycling", "Other", "Running", "Swimming", "Video"}));
    EXPECT_EQ(list("RunningRace"), QStringList({"City Marathon", "Harbor Run"}));
    EXPECT_EQ(combo("Cycling"), QStringList({"Roadie"}));
    EXPECT_EQ(combo("RunningRace"), QStringList({"10K", "Marathon"}));
    EXPECT_TRUE(ReportCriteria::comboQuery(QStringLiteral("Running"), QStringLiteral("Ann")).isEmpty());
}

// --- Drill-down targets --------------------------------------------------------------------------

using ReportDrillDown::Target;
using TextReport::Format;

struct DrillCase {
    const char* name;
    const char* kind;
    Format format;
    QString line;
    qint64 record; // the record number beside the line
    Target::Action action = Target::Action::None;
    const char* targetKind = "";
    const char* id = "";
    const char* criteria = "";
};

void PrintTo(const DrillCase& c, std::ostream* os) {
    *os << c.name;
}

class Drill : public ::testing::TestWithParam<DrillCase> {};

TEST_P(Drill, Target) {
    const DrillCase& c = GetParam();
    const Target t = ReportDrillDown::target(c.line, c.record, QString::fromUtf8(c.kind), c.format);
    EXPECT_EQ(int(t.action), int(c.action));
    if (t.action == c.action && c.action != Target::Action::None) {
        EXPECT_EQ(t.kind, QString::fromUtf8(c.targetKind));
        EXPECT_EQ(t.id, QString::fromUtf8(c.id));
        EXPECT_EQ(t.criteria, QString::fromUtf8(c.criteria));
    }
}

QString blanks(int n) {
    return QString(n, QLatin1Char(' '));
}
const QString RunLine = "28-Nov-2026" + blanks(3) + "5" + blanks(7) + "45:00" + blanks(5) + "9:00" +
                        blanks(4) + "Saturday" + blanks(3) + "River Loop" + blanks(41) + "1";
const QString TimeSwim =
    "03-Dec-2026" + blanks(3) + "40:00" + blanks(5) + "Thursday" + blanks(5) + "Swimming" + blanks(58) + "8";
const QString TimeLongDay =
    "03-Dec-2026" + blanks(3) + "40:00" + blanks(5) + "Thursdayyyyyyyyy" + " Video" + blanks(58) + "10";
const QString RaceLine = "15-Nov-2026" + blanks(3) + "Marathon" + blanks(6) + "26.2" + blanks(4) + "3:30:00" +
                         blanks(3) + "8:01" + blanks(4) + "City Marathon" + blanks(34) + "2";
const Target::Action Workout = Target::Action::Workout;

INSTANTIATE_TEST_SUITE_P(
    DrillDown, Drill,
    ::testing::ValuesIn(std::vector<DrillCase>{
        {"RunRecord", "Running", Format::Full, RunLine, 1, Workout, "Running", "1"},
        {"CommentLineOfARecord", "Cycling", Format::Full, blanks(5) + "windy 2026", 4711, Workout, "Cycling",
         "4711"},
        {"Separator", "Running", Format::Full, QString(82, QLatin1Char('-')), 0},
        {"Totals", "Running", Format::Full, blanks(16) + "Runs=2 Avg Miles=5.60 Avg Time=53:45", 0},
        {"TimeReportType", "Time", Format::Full, TimeSwim, 8, Workout, "Swimming", "8"},
        {"TimeReportPushedType", "Time", Format::Full, TimeLongDay, 10, Workout, "Video", "10"},
        {"SummaryMonth", "Swimming", Format::Summary,
         "December 2026   40       40:00     1       40.00       40:00      ", 0, Target::Action::Criteria,
         "Swimming", "", "Format(Exercise_Date, 'MMMM YYYY') = Format('December 2026', 'MMMM YYYY')"},
        {"SummaryTotals", "Running", Format::Summary, "Report Totals -> Miles=13.8", 0},
        {"SummaryInjection", "Running", Format::Summary, "x') OR ('1", 0},
        {"WeekLine", "Running", Format::Weekly, "29-Nov-2026     8.8      1:52:30   12:47", 0,
         Target::Action::Criteria, "Running", "",
         "Exercise_Date BETWEEN Format('11/29/2026', 'mm/dd/yyyy') AND Format('12/05/2026', "
         "'mm/dd/yyyy')"},
        {"WeekHeader", "Running", Format::Weekly, "WEEK            MILES", 0},
        {"RaceRecord", "RunningRace", Format::None, RaceLine, 2, Target::Action::Race, "RunningRace", "2"},
        {"RaceBlank", "RunningRace", Format::None, " ", 0}}),
    CaseName());

} // namespace
