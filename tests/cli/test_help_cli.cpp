// trainbook-cli's help, version and wrong words, and the bash completion written from the same
// command table.
#include "CliRunner.h"

#include <QFile>
#include <QRegularExpression>

namespace {

// The command names, in the order the usage lists them.
QStringList commandsOf(const QString& usage) {
    static const QRegularExpression line(QStringLiteral("trainbook-cli \\[--db PATH\\] ([a-z]+)"));
    QStringList names;
    for (auto it = line.globalMatch(usage); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!names.contains(name))
            names << name;
    }
    return names;
}

TEST_F(CliTest, HelpShowsTheUsageAndEachCommandItsOwnWithoutRunningIt) {
    ASSERT_TRUE(dir.isValid());
    const CliRun help = cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(cli({"-h"}).out, help.out);
    // A wrong word shows the same usage, on standard error.
    const CliRun wrong = cli({"frobnicate"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(help.out.startsWith(wrong.err.section('\n', 1))) << help.out.toStdString();

    const QStringList names = commandsOf(help.out);
    EXPECT_GE(names.size(), 9);
    for (const QString& name : names) {
        for (const char* flag : {"--help", "-h"}) {
            const CliRun own = cli({"--db", "never.db", name, flag});
            EXPECT_EQ(own.exitCode, 0) << name.toStdString();
            EXPECT_TRUE(own.out.startsWith("usage: ")) << own.out.toStdString();
            EXPECT_EQ(commandsOf(own.out), QStringList{name}); // its own usage lines only
        }
    }
    // Help runs nothing: `init --help` did not create the database.
    EXPECT_FALSE(QFile::exists(dir.filePath("never.db")));
}

// Wrong options are reference cases (cli/cases).
TEST_F(CliTest, VersionIsTheBuilds) {
    const CliRun version = cli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("trainbook-cli %1\n").arg(TRAINBOOK_VERSION));
}

// Words typed so far (a trailing blank starts a new, empty word) and what TAB offers.
struct CompletionCase {
    const char* name;
    const char* typed;
    const char* offered;
};

class CompletionTest : public ::testing::TestWithParam<CompletionCase> {};

// The installed completion function, given the words typed, offers exactly the expected ones.
TEST_P(CompletionTest, OffersTheWordsOfTheUsage) {
    QProcess bash;
    bash.start(
        QStringLiteral("bash"),
        QStringList{"-c",
                    "source \"$0\" && COMP_WORDS=(\"$@\") && COMP_CWORD=$(($# - 1)) && _trainbook_cli; "
                    "echo \"${COMPREPLY[*]}\"",
                    QStringLiteral(TRAINBOOK_COMPLETION)} +
            QString::fromUtf8(GetParam().typed).split(QLatin1Char(' ')));
    ASSERT_TRUE(bash.waitForFinished(30000));
    EXPECT_EQ(bash.exitCode(), 0) << bash.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(bash.readAllStandardOutput()).trimmed(), GetParam().offered);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CompletionTest,
    ::testing::Values(CompletionCase{"Commands", "trainbook-cli ca", "calc calendar"},
                      CompletionCase{"AfterTheDatabase", "trainbook-cli --db my.db ch", "chart"},
                      CompletionCase{"Subcommands", "trainbook-cli calc pa", "pace pad parsedate"},
                      CompletionCase{"Options", "trainbook-cli bests --",
                                     "--help --user --predict --km --miles"},
                      CompletionCase{"OptionsOfACommandWithoutFiles", "trainbook-cli calendar --user Ann ",
                                     "--help --user --month --km"},
                      CompletionCase{"Choices", "trainbook-cli report --user Ann --format s", "summary"},
                      CompletionCase{"ChoicesInAList", "trainbook-cli chart --kinds S", "Swimming"},
                      // Nothing offered: bash completes file names.
                      CompletionCase{"DatabaseFile", "trainbook-cli --db ", ""},
                      CompletionCase{"BackupTarget", "trainbook-cli backup ", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
