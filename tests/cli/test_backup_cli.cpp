// trainbook-cli backup: the verified copy from the shell, as a scheduled job runs it.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct BackupRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class BackupCli : public ::testing::Test {
  protected:
    BackupRun cli(const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(TRAINBOOK_CLI), args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    QTemporaryDir dir;
};

TEST_F(BackupCli, PrintsTheTargetAndRowsOrFailsLeavingTheTargetAsItWas) {
    ASSERT_EQ(cli({"init"}).exitCode, 0);
    ASSERT_EQ(cli({"sql", "INSERT INTO Users (User_Name) VALUES ('Ann')"}).exitCode, 0);

    const QString target = dir.filePath("copy.db");
    const BackupRun ok = cli({"backup", "copy.db"});
    EXPECT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    EXPECT_EQ(ok.out, target + ": 1 row\n");
    EXPECT_EQ(ok.err, "");
    EXPECT_EQ(cli({"--db", "copy.db", "sql", "SELECT User_Name FROM Users"}).out, "User_Name\nAnn\n");

    // Backing up the copy onto the database is refused; the database keeps its rows.
    const BackupRun self = cli({"--db", "copy.db", "backup", "copy.db"});
    EXPECT_EQ(self.exitCode, 1);
    EXPECT_EQ(self.out, "");
    EXPECT_EQ(self.err, "'" + target + "' is the database itself; choose another file to copy it to.\n");

    const BackupRun missing = cli({"backup", "no/such/copy.db"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("does not exist")) << missing.err.toStdString();

    // Without a target the usage is shown.
    EXPECT_EQ(cli({"backup"}).exitCode, 2);
    EXPECT_EQ(cli({"--db", "copy.db", "sql", "SELECT count(*) AS n FROM Users"}).out, "n\n1\n");
}

} // namespace
