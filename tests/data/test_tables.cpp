// The table descriptions and the rows and statements built from them, run against the real
// schema, and values bound to ? parameters.
#include "CLibrary.h"
#include "DataSupport.h"
#include "Tables.h"

namespace {

using Statements = NewDatabase;

// A value for every kind of column, and what an edit-mode read gives back for it.
struct Sample {
    QString text, number, date;
    QString written(const Tables::Column& c) const {
        switch (c.kind) {
        case Tables::Kind::Number:
            return c.whenEmpty ? QString() : number;
        case Tables::Kind::Date:
            return date;
        default:
            return text + QLatin1String(c.name);
        }
    }
};

const Sample first{"O'Brien's ", "4.5", "12/5/2026"};
const Sample second{"new ", " 7 ", "1/2/2027"};

struct TableCase {
    const char* name;
    const Tables::Table* table;
    bool detail; // keyed by a master row
};

class TableStatements : public Statements, public testing::WithParamInterface<TableCase> {
  protected:
    QStringList read(const Tables::Table& t, const QString& id, bool editedOnly) {
        QStringList out;
        ResultSet rs = db->query(QStringLiteral("SELECT ") + (editedOnly ? Tables::selectList(t) : "*") +
                                     " FROM " + t.name + " WHERE " + t.key + " = ?",
                                 {id.toLongLong()});
        EXPECT_FALSE(rs.eof());
        for (const Tables::Column& c : t.columns)
            if (!editedOnly || c.edited)
                out << QLatin1String(c.name) + "=" + rs.field(QLatin1String(c.name));
        return out;
    }
};

// What the insert writes, the edit-mode select reads back under the column's own name (dates
// as dd-mmm-yyyy), and the update changes exactly the edited columns.
TEST_P(TableStatements, InsertReadAndUpdateEveryColumn) {
    const Tables::Table& t = *GetParam().table;
    const auto values = [](const Sample& s) { return [s](const Tables::Column& c) { return s.written(c); }; };
    const Tables::Row row(t, values(first));
    const QString id = QString::number(
        GetParam().detail
            ? Tables::insertWorkout(*db, Tables::Row(Tables::ExerciseMaster, values(first)), row)
            : row.insert(*db));

    QStringList expected, unchanged;
    for (const Tables::Column& c : t.columns) {
        const QString name = QLatin1String(c.name);
        if (c.kind == Tables::Kind::Date)
            expected << name + "=05-Dec-2026";
        else if (c.kind == Tables::Kind::Number)
            expected << name + (c.whenEmpty ? "=0" : "=4.5");
        else
            expected << name + "=O'Brien's " + name;
        if (!c.edited)
            unchanged << expected.takeLast();
    }
    EXPECT_EQ(read(t, id, true), expected);

    EXPECT_EQ(Tables::Row(t, values(second)).update(*db, id.toLongLong()), 1);
    QStringList after = read(t, id, false);
    for (const Tables::Column& c : t.columns) {
        const QString name = QLatin1String(c.name);
        if (!c.edited)
            continue;
        const QString now = c.kind == Tables::Kind::Date     ? "2027-01-02"
                            : c.kind == Tables::Kind::Number ? (c.whenEmpty ? "0" : "7")
                                                             : "new " + name;
        EXPECT_TRUE(after.removeOne(name + "=" + now)) << name.toStdString();
    }
    EXPECT_EQ(after, unchanged) << "columns written by the insert only";
}

// The log windows' own road covers the detail tables a window edits field by field; these are
// the master row's columns written by the insert only, a number stored for an empty field, and
// the race log.
const TableCase tableCases[] = {
    {"ExerciseMaster", &Tables::ExerciseMaster, false},
    {"CyclingLog", &Tables::CyclingLog, true},
    {"RaceLog", &Tables::RaceLog, false},
};
INSTANTIATE_TEST_SUITE_P(Tables, TableStatements, testing::ValuesIn(tableCases), CaseName());

TEST_F(Statements, ANumberOrDateColumnRefusesTextAndOnlyAStatedEmptyPasses) {
    const auto typed = [](const QString& text) { return [text](const Tables::Column&) { return text; }; };
    for (const QString bad : {"", "abc", "5; DELETE FROM Users", "1 OR 1=1", "1e5"})
        EXPECT_THROW(Tables::Row(Tables::RunningLog, typed(bad)), DbError) << bad.toStdString();
    for (const QString bad : {"", "2/30/2026", "12/5/2026'); DELETE FROM Users; --", "tomorrow"})
        EXPECT_THROW(Tables::Row(Tables::RaceLog,
                                 [&](const Tables::Column& c) {
                                     return c.kind == Tables::Kind::Date ? bad : QStringLiteral("5");
                                 }),
                     DbError)
            << bad.toStdString();
    const Tables::Column& calories = Tables::CyclingLog.columns[3];
    Tables::Row ride(Tables::CyclingLog);
    EXPECT_EQ(ride.value(calories), "0");
    EXPECT_THROW(ride.setText(calories, "x"), DbError);
    EXPECT_THROW(ride.insert(*db, 1), DbError) << "miles and kilometres never given";
}

// A row stores what the statements of literals it replaced stored: numbers to the last digit
// (the engine's own reading of a number, not another rounding), dates as ISO whatever their
// form, text as typed.
TEST_F(Statements, BoundValuesAreStoredAsTheLiteralsWere) {
    const QStringList numbers{"26.2",
                              " 7 ",
                              "+5",
                              "5.",
                              "-.5",
                              "007",
                              "0.30000000000000004",
                              "49831.781440780305277115",
                              "123456789012345678901234567890"};
    const QStringList dates{"12/5/2026", "01/02/2027", "05-Dec-2026", "2026-12-05", "2/29/2028"};
    QString literal;
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        const QString date = dates[i % dates.size()];
        db->execute(QStringLiteral("INSERT INTO RaceLog (Exercise, RaceDate, RaceDistance, RaceDistanceKM) "
                                   "VALUES ('Literal', %1, %2, 0)")
                        .arg(CLibrary::Quote(date), CLibrary::Number(numbers[i])));
        Tables::Row race(Tables::RaceLog);
        race.set(Tables::Holds::User, "O'Brien");
        race.setText(Tables::RaceLog.columns[1], date);
        race.setText(Tables::RaceLog.columns[4], numbers[i]);
        race.setText(Tables::RaceLog.columns[5], "0");
        race.insert(*db);
    }
    const auto stored = [&](const char* kind) {
        return db->column(
            QStringLiteral("SELECT typeof(RaceDistance) || ' ' || printf('%!.20g', RaceDistance) "
                           "|| ' ' || RaceDate AS v FROM RaceLog WHERE Exercise = ? ORDER BY RaceID"),
            "v", {QString::fromLatin1(kind)});
    };
    const QStringList bound = stored("");
    EXPECT_EQ(bound, stored("Literal"));
    EXPECT_EQ(bound.value(1), "real 7.0 2027-01-02");
    EXPECT_EQ(db->column("SELECT DISTINCT User_Name FROM RaceLog WHERE Exercise = ''", "User_Name"),
              QStringList{"O'Brien"});
}

TEST_F(Statements, PickListsOfferEachValueOnceForTheBoundUserOnly) {
    for (const auto& [user, course] :
         {std::pair{"O'Brien", "Park"}, {"O'Brien", "Park"}, {"O'Brien", "Hill"}, {"Ann", "Track"}}) {
        db->execute("INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, User_Name) VALUES "
                    "('Running', '12/5/2026', ?)",
                    {QString::fromLatin1(user)});
        db->execute("INSERT INTO Running_Log (Running_ID, Miles, Course, Kilometers) VALUES (?, 1, ?, 1.6)",
                    {db->lastInsertId(), QString::fromLatin1(course)});
    }
    const QString sql = Tables::pickListSql(Tables::RunningLog, "Course");
    QStringList courses = db->column(sql, "Course", {"O'Brien"});
    courses.sort();
    EXPECT_EQ(courses, QStringList({"Hill", "Park"}));
    // The same statement again, another value bound.
    EXPECT_EQ(db->column(sql, "Course", {"Ann"}), QStringList{"Track"});
    EXPECT_EQ(db->column(sql, "Course", {"' OR ''='"}), QStringList());
}

TEST_F(Statements, BoundValuesMustMatchTheParameters) {
    EXPECT_EQ(db->column("SELECT '?' AS v", "v"), QStringList{"?"}) << "a ? inside a literal is text";
    EXPECT_EQ(db->column("SELECT ? AS a, ? AS b", "b", {1, QVariant()}), QStringList{""});
    EXPECT_THROW(db->query("SELECT ? AS v", {}), DbError);
    EXPECT_THROW(db->query("SELECT ? AS v", {1, 2}), DbError);
    // A failed bind leaves the statement usable.
    EXPECT_EQ(db->column("SELECT ? AS v", "v", {"x"}), QStringList{"x"});
    // An update over two tables is split in two: values cannot be shared out between them.
    EXPECT_THROW(db->execute("UPDATE Exercise_Master, Running_Log SET Comments = 'x', Miles = 1 WHERE "
                             "Exercise_ID = ? AND Exercise_ID = Running_ID",
                             {1}),
                 DbError);
}

} // namespace
