// trainbook-cli: the core of Trainbook from the shell.
//
//   trainbook-cli [--db PATH] COMMAND ARGS...
//   trainbook-cli COMMAND --help
//   trainbook-cli --help | --version
//
// Results go to stdout. A failure prints its description on stderr and exits with 1; wrong
// words on the command line print the usage and exit with 2.

#include "CLibrary.h"
#include "CliSupport.h"
#include "Commands.h"
#include "DbError.h"
#include "FilePath.h"
#include "HeartRate.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <memory>

#include <exception>

namespace {

using Cli::Command;

// Every command, in the order the usage lists them.
const Command Commands[] = {
    {"init", Cli::init, "init",
     "Creates the database file, or checks that the file already there is a sound Trainbook database."},
    {"sql", Cli::sql, "sql \"STATEMENT\"",
     "Runs one statement in the program's SQL dialect. A query prints its rows tab-separated, under a "
     "line of column names."},
    {"calc", Cli::calc,
     "calc minutes TIME\ncalc time MINUTES\ncalc pace TIME DISTANCE\ncalc mph TIME DISTANCE\n"
     "calc km MILES\ncalc miles KM\ncalc pad TEXT N\ncalc parsedate \"WEEKDAY, DATE\"",
     "The conversions of the logs: a time in minutes, minutes as a time, pace per mile or kilometre, "
     "speed, kilometres and miles, a report column padded to N + 1 characters, and a weekday-and-date "
     "text split into weekday and date."},
    {"report", Cli::report,
     "report --user NAME --kind KIND [--format full|summary|weekly] [--km] [--comments] [--criteria "
     "\"FRAGMENT\"] [--csv | --pdf FILE]",
     "Prints a text report of one user's workouts of a kind as the report window shows it, or writes it "
     "as CSV or to a PDF file."},
    {"backup", Cli::backup, "backup TARGET", "Writes a verified copy of the database to TARGET."},
    {"import", Cli::import, "import --user NAME [--kind Running|Cycling|Swimming] FILE|FOLDER...",
     "Adds the workouts of GPX, TCX and FIT files, or of the files in a folder, to a user's diary, with "
     "their recorded tracks."},
    {"bests", Cli::bests, "bests --user NAME [--predict] [--km | --miles]",
     "Lists the fastest race of each race type of a user, the pace in the user's unit unless one is "
     "given. With --predict: the times that the user's running races of the last 365 days predict for 5K, "
     "10K, the half marathon, the marathon and each running race type, tab-separated: distance, predicted "
     "time and the race it comes from."},
    {"chart", Cli::chart,
     "chart --user NAME --kind Running|Cycling|Time --output totals|average|together|individual "
     "[--kinds Running,Cycling,Swimming,Video,Other] --filter "
     "allmonths|currentyear|range|single|years|months "
     "[--begin \"March 2004\"] [--end \"May 2004\"] [--month \"March 2004\"] [--compare March] [--km]",
     "Prints a chart's title, series and rows, tab-separated, as the graph windows draw them."},
    {"calendar", Cli::calendar, "calendar --user NAME --month \"MONTH, YEAR\" [--km]",
     "Prints a month of a user's workouts, one line each: day, kind, detail, time and colour number, "
     "tab-separated."},
    {"goals", Cli::goals, "goals --user NAME [--date YYYY-MM-DD]",
     "Prints each of a user's goals as it stands in the week, month or year holding the date (today "
     "unless given): kind, period, first and last day, target, done and percent, tab-separated. Distances "
     "are in the user's unit (laps for swimming), times h:mm:ss."},
    {"goal", Cli::goal,
     "goal --user NAME --kind Running|Cycling|Swimming|All --period week|month|year --distance N\n"
     "goal --user NAME --kind Running|Cycling|Swimming|All --period week|month|year --time H:MM\n"
     "goal --user NAME --kind Running|Cycling|Swimming|All --period week|month|year --remove",
     "Adds a user's goal for a kind of workout (All: every kind) and a period, gives it a new target, or "
     "removes it. A distance is in the user's unit (laps for swimming); a goal for All takes a time only."},
    {"track", Cli::track, "track --id EXERCISE_ID [--km | --miles] [--laps] [--gpx FILE]",
     "Prints the splits of an imported workout's track per kilometre or mile (or, with --laps, the laps "
     "the file recorded), tab-separated with a total line, or writes the track as a GPX file."},
    {"hr", Cli::hr, "hr --user NAME [--max N] [--rest N] [--zones 50,60,70,80,90]",
     "Sets a user's maximum and resting heart rate in bpm and the lower bounds of heart-rate zones 1 to 5 in "
     "percent of the maximum, then prints them, tab-separated: maximum, resting rate and zone bounds."},
    {"zones", Cli::zones, "zones --id EXERCISE_ID",
     "Prints the time an imported workout spent below heart-rate zone 1 and in zones 1 to 5 of its user, "
     "tab-separated: zone, its lowest and highest bpm, and the time."},
    {"load", Cli::load, "load --user NAME [--from YYYY-MM-DD] [--to YYYY-MM-DD]",
     "Prints a user's training load per day from heart rate, from the first workout (or --from) to today (or "
     "--to): date, load, fitness, fatigue and form, tab-separated with one decimal."},
};

bool isHelp(const QString& word) {
    return word == QLatin1String("--help") || word == QLatin1String("-h");
}

// The usage lines of one command, the first after "usage: ".
QString usageOf(const Command& c, bool first) {
    QString text;
    for (const QString& line : QString::fromUtf8(c.usage).split(QLatin1Char('\n'))) {
        text += QStringLiteral("%1trainbook-cli [--db PATH] %2\n")
                    .arg(first ? QStringLiteral("usage: ") : QStringLiteral("       "), line);
        first = false;
    }
    return text;
}

QString usage() {
    QString text;
    for (const Command& c : Commands)
        text += usageOf(c, text.isEmpty());
    return text + QStringLiteral("       trainbook-cli COMMAND --help\n"
                                 "       trainbook-cli --help | --version\n");
}

// `first`, then the words of `text` in lines of at most 79 characters, each line after the
// first indented by `indent` blanks.
QString wrapped(const QString& first, const QString& text, qsizetype indent) {
    QString result = first;
    qsizetype column = first.size();
    bool empty = true; // nothing on this line yet but the indent
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!empty && column + 1 + word.size() > 79) {
            result += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
            empty = true;
        }
        if (!empty) {
            result += QLatin1Char(' ');
            ++column;
        }
        result += word;
        column += word.size();
        empty = false;
    }
    while (empty && result.endsWith(QLatin1Char(' '))) // a command without a summary
        result.chop(1);
    return result + QLatin1Char('\n');
}

// The usage, then each command with what it does. The build reads the commands from this
// list ("  NAME  summary", the summary's further lines indented further) for the manual page.
QString help() {
    qsizetype width = 0;
    for (const Command& c : Commands)
        width = std::max<qsizetype>(width, qstrlen(c.name));
    QString text = usage() + QStringLiteral("\ncommands:\n");
    for (const Command& c : Commands)
        text += wrapped(QStringLiteral("  ") + QString::fromUtf8(c.name).leftJustified(width + 2),
                        QString::fromUtf8(c.summary), width + 4);
    return text +
           QStringLiteral("\nThe database is the file named with --db, else Trainbook.db in the working "
                          "folder.\n");
}

QString commandHelp(const Command& c) {
    QString text = usageOf(c, true);
    if (c.summary)
        text += QLatin1Char('\n') + wrapped(QString(), QString::fromUtf8(c.summary), 0);
    return text;
}

int run(QStringList args) {
    if (!args.isEmpty() && args.first() == QLatin1String("--db")) {
        if (args.size() < 2)
            throw Cli::UsageError{QStringLiteral("option needs a value: --db")};
        CLibrary::setDefaultAccessFile(args.at(1));
        args = args.mid(2);
    }
    if (args.isEmpty())
        throw Cli::UsageError{QStringLiteral("no command given")};
    const QString name = args.takeFirst();
    if (isHelp(name)) {
        Cli::out() << help();
        return 0;
    }
    if (name == QLatin1String("--version")) {
        Cli::out() << "trainbook-cli " << TRAINBOOK_VERSION << '\n';
        return 0;
    }
    // Not in the usage: the build writes the installed completion script with it.
    if (name == QLatin1String("--bash-completion")) {
        Cli::out() << Cli::bashCompletion(Commands);
        return 0;
    }
    for (const Command& c : Commands) {
        if (name != QLatin1String(c.name))
            continue;
        if (!args.isEmpty() && isHelp(args.first())) {
            Cli::out() << commandHelp(c);
            return 0;
        }
        return c.run(args);
    }
    throw Cli::UsageError{(name.startsWith(QLatin1Char('-')) ? QStringLiteral("unknown option: ")
                                                             : QStringLiteral("unknown command: ")) +
                          name};
}

} // namespace

int main(int argc, char* argv[]) {
    // Printing a PDF needs fonts, which only a GUI application has; it runs without a screen.
    bool pdf = false;
    for (int i = 1; i < argc; ++i)
        pdf = pdf || QByteArray(argv[i]) == "--pdf";
    if (pdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app =
        pdf ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trainbook-cli"));
    // Updating an older diary keeps the average heart rate of its stored tracks.
    Migration::setTrackAverage(HeartRate::averageOfPacked);
    int code = 1;
    try {
        // The words exactly as given: a file name need not be UTF-8 (FilePath.h).
        QStringList args;
        for (int i = 1; i < argc; ++i)
            args << FilePath::fromNative(QByteArray(argv[i]));
        code = run(args);
    } catch (const Cli::UsageError& e) {
        Cli::err() << e.message << '\n' << usage();
        code = 2;
    } catch (const DbError& e) {
        Cli::err() << e.description() << Qt::endl;
    } catch (const std::exception& e) {
        Cli::err() << e.what() << Qt::endl;
    }
    Cli::out().flush();
    Cli::err().flush();
    return code;
}
