// trainbook-cli backup: the verified copy from the shell, as a scheduled job runs it.

#include "CliRunner.h"

#include <QFile>

namespace {

using BackupCli = CliTest;

TEST_F(BackupCli, PrintsTheTargetAndRowsOrFailsLeavingTheTargetAsItWas) {
    initWith({"INSERT INTO Users (User_Name) VALUES ('Ann')"});

    const QString target = dir.filePath("copy.db");
    const CliRun ok = cli({"backup", "copy.db"});
    EXPECT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    EXPECT_EQ(ok.out, target + ": 1 row\n");
    EXPECT_EQ(ok.err, "");
    EXPECT_EQ(cli({"--db", "copy.db", "sql", "SELECT User_Name FROM Users"}).out, "User_Name\nAnn\n");

    // Backing up the copy onto the database is refused; the database keeps its rows.
    const QByteArray self =
        ("'" + target + "' is the database itself; choose another file to write to.\n").toUtf8();
    expectFailures({{{"--db", "copy.db", "backup", "copy.db"}, 1, self.constData()},
                    {{"backup", "no/such/copy.db"}, 1, "does not exist"},
                    {{"backup"}, 2, "usage: "}}); // without a target the usage is shown
    EXPECT_EQ(cli({"--db", "copy.db", "sql", "SELECT count(*) AS n FROM Users"}).out, "n\n1\n");
}

// A report's PDF never replaces the diary, named directly or through a link.
TEST_F(BackupCli, APdfNeverReplacesTheDiary) {
    initWith({"INSERT INTO Users (User_Name) VALUES ('Ann')"});
    QFile::link(dir.filePath("Trainbook.db"), dir.filePath("link.pdf"));
    const QStringList pdf = {"report", "--user", "Ann", "--kind", "Running", "--pdf"};
    expectFailures({{pdf + QStringList{"Trainbook.db"}, 1, "Trainbook.db' is the database itself"},
                    {pdf + QStringList{"link.pdf"}, 1, "link.pdf' is the database itself"}});
    EXPECT_EQ(cli({"sql", "SELECT count(*) AS n FROM Users"}).out, "n\n1\n");
}

} // namespace
