// Whole outputs of trainbook-cli compared with reference files. Each folder under
// <area>/cases holds one run: `args` (its command and arguments, one a line) and
// `expected.txt` (what it prints; a failing run adds its exit code and standard error). Every
// case of an area runs on one diary written by <area>/diary.sql; a case with a `before` file
// (commands in the form of `args`, a blank line between two; it may be empty) runs on its own
// copy of it, the files of <area>/files beside it, after those commands. UPDATE=1 writes the
// references afresh, for review.

#include "SqlScript.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char* const Areas[] = {"reports", "graphs", "cli"};

struct RefCase {
    std::string name;
    QString area, folder;
};

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The lines of a text, without the empty ones at its end.
QStringList linesOf(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// What a run prints, in the form of its reference file.
QString run(const QString& dir, const QStringList& args) {
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QStringLiteral(TRAINBOOK_CLI), args);
    if (!p.waitForFinished(30000))
        return QStringLiteral("trainbook-cli did not finish\n");
    QString out = QString::fromUtf8(p.readAllStandardOutput());
    const QString err = QString::fromUtf8(p.readAllStandardError());
    const int code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    if (code != 0 || !err.isEmpty())
        out += QStringLiteral("== exit %1, standard error:\n").arg(code) + err;
    return out;
}

// The folder holding the diary of an area, run by init and one sql run a statement. It is
// written once for the diary text and the built program, beside the program, and shared by
// every case (the cases only read it).
QString diary(const QString& area) {
    const QFileInfo program(QStringLiteral(TRAINBOOK_CLI));
    const QString sqlPath = area + QStringLiteral("/diary.sql");
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(readText(sqlPath).toUtf8());
    hash.addData(program.lastModified().toString(Qt::ISODateWithMs).toUtf8());
    const QString path = program.absolutePath() + QStringLiteral("/reference-diaries/") +
                         QFileInfo(area).fileName() + QLatin1Char('-') +
                         QString::fromLatin1(hash.result().toHex());
    if (QFileInfo::exists(path))
        return path;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QTemporaryDir made(path + QStringLiteral("-XXXXXX"));
    made.setAutoRemove(false);
    EXPECT_EQ(run(made.path(), {QStringLiteral("init")}).count(QLatin1String("== exit")), 0);
    for (const QString& s : sqlStatements(sqlPath))
        EXPECT_EQ(run(made.path(), {QStringLiteral("sql"), s}), QString()) << s.toStdString();
    if (::testing::Test::HasFailure())
        return made.path();
    // Moved into place whole; a case run alongside may have placed its own already.
    if (!QDir().rename(made.path(), path))
        QDir(made.path()).removeRecursively();
    return path;
}

std::vector<RefCase> cases() {
    std::vector<RefCase> out;
    for (const char* a : Areas) {
        const QString area = QStringLiteral(TRAINBOOK_TESTS_DIR "/") + QLatin1String(a);
        const QDir root(area + QStringLiteral("/cases"));
        for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            out.push_back({std::string(a) + '_' + name.toStdString(), area, root.filePath(name)});
    }
    return out;
}

void PrintTo(const RefCase& c, std::ostream* os) {
    *os << c.name;
}

class ReferenceCase : public ::testing::TestWithParam<RefCase> {};

TEST_P(ReferenceCase, PrintsItsReferenceFile) {
    const RefCase& c = GetParam();
    const QStringList args = linesOf(readText(c.folder + QStringLiteral("/args")));
    ASSERT_FALSE(args.isEmpty()) << "no args in " << c.folder.toStdString();
    QString at = diary(c.area);
    QTemporaryDir own;
    if (const QString before = c.folder + QStringLiteral("/before"); QFile::exists(before)) {
        ASSERT_TRUE(
            QFile::copy(at + QStringLiteral("/Trainbook.db"), own.filePath(QStringLiteral("Trainbook.db"))));
        const QDir files(c.area + QStringLiteral("/files"));
        for (const QString& name : files.entryList(QDir::Files))
            QFile::copy(files.filePath(name), own.filePath(name));
        at = own.path();
        for (const QString& command : readText(before).split(QStringLiteral("\n\n"), Qt::SkipEmptyParts))
            ASSERT_EQ(run(at, linesOf(command)).count(QLatin1String("== exit")), 0) << command.toStdString();
    }
    const QString printed = run(at, args);
    const QString path = c.folder + QStringLiteral("/expected.txt");
    if (qEnvironmentVariableIntValue("UPDATE") == 1) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(printed.toUtf8()) >= 0);
        return;
    }
    EXPECT_EQ(printed.toStdString(), readText(path).toStdString())
        << (QFile::exists(path) ? "" : "missing reference; ") << "to write it afresh for review: UPDATE=1 "
        << "ctest --test-dir build -R 'ReferenceCase.*/" << c.name << "$'";
}

INSTANTIATE_TEST_SUITE_P(Cli, ReferenceCase, ::testing::ValuesIn(cases()), CaseName());

} // namespace
