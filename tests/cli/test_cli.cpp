// Runs the built trainbook-cli in a temporary folder, the way a person uses it from a shell.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class CliTest : public ::testing::Test {
  protected:
    CliRun cli(const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(TRAINBOOK_CLI), args);
        EXPECT_TRUE(p.waitForFinished(30000)) << "trainbook-cli did not finish";
        CliRun r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    void initDb() {
        const CliRun r = cli({"init"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    QTemporaryDir dir;
};

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(CliTest, InitCreatesTheDatabaseOnceAndKeepsIt) {
    ASSERT_TRUE(dir.isValid());
    const CliRun first = cli({"init"});
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_TRUE(QFile::exists(path("Trainbook.db")));

    const CliRun users = cli({"sql", "INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Ann', 1)"});
    EXPECT_EQ(users.exitCode, 0) << users.err.toStdString();

    // A second init recognises the database and leaves its rows alone.
    const CliRun second = cli({"init"});
    EXPECT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_FALSE(second.out.isEmpty());
    EXPECT_EQ(cli({"sql", "SELECT User_Name FROM Users"}).out, "User_Name\nAnn\n");
}

TEST_F(CliTest, InitRefusesAFileThatIsNotATrainbookDatabase) {
    const QByteArray content = "shopping list: eggs, milk\n";
    {
        QFile f(path("Trainbook.db"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const CliRun r = cli({"init"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.trimmed().isEmpty());
    EXPECT_EQ(readFile(path("Trainbook.db")), content);

    // The same for a file named with --db.
    QFile::copy(path("Trainbook.db"), path("other.file"));
    const CliRun named = cli({"--db", "other.file", "init"});
    EXPECT_EQ(named.exitCode, 1);
    EXPECT_EQ(readFile(path("other.file")), content);
}

TEST_F(CliTest, DbOptionNamesAnotherFile) {
    const CliRun r = cli({"--db", "elsewhere.db", "init"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(path("elsewhere.db")));
    EXPECT_FALSE(QFile::exists(path("Trainbook.db")));

    // Without the option the default file is looked for, and it is missing.
    const CliRun missing = cli({"sql", "SELECT User_Name FROM Users"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(missing.err.trimmed().isEmpty());
    EXPECT_FALSE(QFile::exists(path("Trainbook.db")));
}

TEST_F(CliTest, SqlWritesAndReadsBackThroughTheDialect) {
    initDb();
    const QStringList writes = {
        "INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Bob''s 5k', 1)",
        "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, User_Name, "
        "Comments) VALUES ('Running', '12/5/2026', 'Saturday', '45:10', 'Bob''s 5k', 'easy')",
        "INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) VALUES (1, 5, 'Park', NULL, "
        "8.1)",
    };
    for (const QString& w : writes) {
        const CliRun r = cli({"sql", w});
        EXPECT_EQ(r.exitCode, 0) << w.toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, "");
    }

    const CliRun r = cli({"sql", "SELECT User_Name, Exercise_Date, Miles, Kilometers, Shoes, Comments "
                                 "FROM Exercise_Master, Running_Log WHERE Exercise_ID = Running_ID "
                                 "AND User_Name = 'Bob''s 5k'"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "User_Name\tExercise_Date\tMiles\tKilometers\tShoes\tComments\n"
                     "Bob's 5k\t2026-12-05\t5\t8.1\t\teasy\n");

    const CliRun empty = cli({"sql", "SELECT User_Name FROM Users WHERE User_Name = 'nobody'"});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.out, "User_Name\n");
}

TEST_F(CliTest, SqlRefusesTwoStatementsAndEngineErrors) {
    initDb();
    const CliRun two = cli({"sql", "INSERT INTO Users (User_Name) VALUES ('A'); DELETE FROM Users"});
    EXPECT_EQ(two.exitCode, 1);
    EXPECT_FALSE(two.err.trimmed().isEmpty());
    EXPECT_EQ(cli({"sql", "SELECT COUNT(*) AS N FROM Users"}).out, "N\n0\n");

    const CliRun bad = cli({"sql", "SELECT Miles FROM NoSuchTable"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains("NoSuchTable", Qt::CaseInsensitive)) << bad.err.toStdString();
    EXPECT_EQ(bad.out, "");

    // A non-number in a number column is refused by the engine.
    const CliRun strict = cli({"sql", "INSERT INTO Users (User_Name, DistanceMiles) VALUES ('C', 'yes')"});
    EXPECT_EQ(strict.exitCode, 1);
}

TEST_F(CliTest, CalcPrintsConversions) {
    const QList<QPair<QStringList, QString>> cases = {
        {{"calc", "minutes", "1:05:30"}, "65.5\n"},
        {{"calc", "minutes", "45:10"}, "45.1666666666667\n"},
        {{"calc", "time", "119.999"}, "2:00:00\n"},
        {{"calc", "time", "7.5"}, "7:30\n"},
        {{"calc", "pace", "1:05:30", "10"}, "6:33\n"},
        {{"calc", "mph", "1:30:00", "30"}, "20.00\n"},
        {{"calc", "km", "26.2"}, "42.2\n"},
        {{"calc", "km", "abc"}, "0\n"},
        {{"calc", "miles", "10"}, "6.2\n"},
        {{"calc", "pad", "abc", "5"}, "[abc   ]\n"},
        {{"calc", "pad", "abcdef", "2"}, "[abcdef]\n"},
        {{"calc", "parsedate", "Saturday, 12/5/2026"}, "Saturday\t12/5/2026\n"},
    };
    for (const auto& [args, expected] : cases) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.exitCode, 0) << args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, expected) << args.join(' ').toStdString();
    }
}

TEST_F(CliTest, FailuresPrintTheirDescriptionAndExitOne) {
    const QList<QPair<QStringList, QString>> cases = {
        {{"calc", "pace", "45:00", "0"}, "Division by zero"},
        {{"calc", "pace", "45:00", "five"}, "Type mismatch"},
        {{"calc", "mph", "0:00", "10"}, "Division by zero"},
        {{"calc", "minutes", "1:x:00"}, "Type mismatch"},
        {{"calc", "time", "soon"}, "Type mismatch"},
        {{"calc", "parsedate", "Saturday 12/5/2026"}, "Invalid procedure call or argument"},
        {{"calc", "pad", "abc", "99999"}, "Overflow"},
        {{"calc", "pace", "45:00"}, "usage"},
        {{"calc", "cube", "3"}, "usage"},
        {{"frobnicate"}, "usage"},
        {{}, "usage"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(message)) << args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, "") << args.join(' ').toStdString();
    }
}
