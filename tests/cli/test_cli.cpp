// trainbook-cli init: the database made once, only on real files. The rows sql prints and
// the statements it refuses, and the conversions of calc, are reference cases (cli/cases).
#include "CliRunner.h"

#include <QDir>
#include <QFile>

namespace {

TEST_F(CliTest, InitCreatesTheDatabaseOnceAndNeverOverwritesAFile) {
    ASSERT_TRUE(dir.isValid());
    const QByteArray list = "shopping list: eggs, milk\n";
    QFile f(dir.filePath("list.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(list) == list.size());
    f.close();
    // Without a database every command fails and creates nothing; a file that is not a
    // Trainbook database is refused and kept.
    expectFailures({{{"sql", "SELECT User_Name FROM Users"}, 1, "Could not find file"},
                    {{"--db", "list.txt", "init"}, 1, "is not a Trainbook database"}});
    EXPECT_FALSE(QFile::exists(dir.filePath("Trainbook.db")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), list);

    EXPECT_EQ(cli({"init"}).exitCode, 0);
    EXPECT_EQ(cli({"sql", "INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Ann', 1)"}).exitCode, 0);
    // A second init recognises the database and leaves its rows alone.
    const CliRun again = cli({"init"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.out.contains("already exists"));
    EXPECT_EQ(sql("SELECT User_Name FROM Users"), "User_Name\nAnn\n");
}

TEST_F(CliTest, OnlyRealFilesAreDatabasesWhateverBytesTheirNamesHold) {
    expectFailures({{{"--db", "", "init"}, 1, "is not the name of a database file"},
                    {{"--db", ":memory:", "init"}, 1, "is not the name of a database file"}});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    // A name in Latin-1 bytes, as an older system may have written it: created, found, used.
    QProcess sh;
    sh.setWorkingDirectory(dir.path());
    sh.start(QStringLiteral("/bin/sh"),
             {"-c",
              "db=$(printf 'r\\351sum\\351.db') && \"$0\" --db \"$db\" init && \"$0\" --db \"$db\" sql "
              "\"INSERT INTO Users (User_Name) VALUES ('Ann')\" && \"$0\" --db \"$db\" sql \"SELECT "
              "User_Name FROM Users\" && \"$0\" --db \"$db\" init && rm \"$db\"",
              QStringLiteral(TRAINBOOK_CLI)});
    ASSERT_TRUE(sh.waitForFinished(30000));
    EXPECT_EQ(sh.exitCode(), 0) << sh.readAllStandardError().toStdString();
    const QString shown = dir.path() + QStringLiteral("/r\uFFFDsum\uFFFD.db");
    EXPECT_EQ(QString::fromUtf8(sh.readAllStandardOutput()),
              QStringLiteral(
                  "Created Trainbook database: %1\nUser_Name\nAnn\nTrainbook database already exists: %1\n")
                  .arg(shown));
}

} // namespace
