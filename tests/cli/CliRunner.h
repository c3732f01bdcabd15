#pragma once
// Runs the built trainbook-cli in a temporary folder, the way a person uses it from a shell.
#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

struct CliRun {
    int exitCode = -1;
    QString out, err;
};

// A run that must fail: its exit code (2 for wrong words, 1 for every other failure) and a
// text its standard error holds.
struct CliFailure {
    QStringList args;
    int exitCode;
    const char* message;
};

class CliTest : public ::testing::Test {
  protected:
    CliRun cli(const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(TRAINBOOK_CLI), args);
        EXPECT_TRUE(p.waitForFinished(30000)) << "trainbook-cli did not finish";
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    void write(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString sql(const QString& statement) { return cli({"sql", statement}).out; }
    // A new database holding what `statements` write (each silently).
    void initWith(const QStringList& statements) {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(cli({"init"}).exitCode, 0);
        for (const QString& s : statements) {
            const CliRun r = cli({"sql", s});
            ASSERT_EQ(r.exitCode, 0) << s.toStdString() << r.err.toStdString();
            EXPECT_EQ(r.out, "") << s.toStdString();
        }
    }
    // Each run fails with its exit code and message on standard error, nothing on standard output.
    void expectFailures(const std::vector<CliFailure>& runs) {
        for (const CliFailure& f : runs) {
            const CliRun r = cli(f.args);
            const std::string what = f.args.join(' ').toStdString();
            EXPECT_EQ(r.exitCode, f.exitCode) << what;
            EXPECT_TRUE(r.err.contains(QLatin1String(f.message))) << what << ": " << r.err.toStdString();
            EXPECT_EQ(r.out, "") << what;
        }
    }

    QTemporaryDir dir;
};
