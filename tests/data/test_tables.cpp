// The table descriptions and the statements built from them, run against the real schema,
// and values bound to ? parameters.
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
    QString id;
    if (GetParam().detail) {
        db->execute(Tables::insertSql(Tables::ExerciseMaster, values(first)));
        id = QString::number(db->lastInsertId());
        db->execute(Tables::insertSql(t, values(first), id));
    } else {
        db->execute(Tables::insertSql(t, values(first)));
        id = QString::number(db->lastInsertId());
    }

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

    db->execute(QStringLiteral("UPDATE ") + t.name + " SET " + Tables::setList(t, values(second)) +
                    " WHERE " + t.key + " = ?",
                {id.toLongLong()});
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

const TableCase tableCases[] = {
    {"ExerciseMaster", &Tables::ExerciseMaster, false},
    {"RunningLog", &Tables::RunningLog, true},
    {"CyclingLog", &Tables::CyclingLog, true},
    {"SwimmingLog", &Tables::SwimmingLog, true},
    {"VideoLog", &Tables::VideoLog, true},
    {"OtherLog", &Tables::OtherLog, true},
    {"RaceLog", &Tables::RaceLog, false},
};
INSTANTIATE_TEST_SUITE_P(Tables, TableStatements, testing::ValuesIn(tableCases), CaseName());

TEST_F(Statements, ANumberColumnRefusesTextAndOnlyAStatedEmptyPasses) {
    const auto typed = [](const QString& text) { return [text](const Tables::Column&) { return text; }; };
    for (const QString bad : {"", "abc", "5; DELETE FROM Users", "1 OR 1=1"})
        EXPECT_THROW(Tables::insertSql(Tables::RunningLog, typed(bad), "1"), DbError) << bad.toStdString();
    EXPECT_THROW(Tables::insertSql(Tables::RunningLog, typed("5"), "1 OR 1=1"), DbError);
    const Tables::Column calories = Tables::CyclingLog.columns[3];
    EXPECT_EQ(Tables::literal(calories, ""), "0");
    EXPECT_THROW(Tables::literal(calories, "x"), DbError);
    EXPECT_EQ(Tables::literal(Tables::RunningLog.columns[1], "it's"), "'it''s'");
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
