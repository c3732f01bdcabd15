// trainbook-cli: the core of Trainbook from the shell.
//
//   trainbook-cli [--db PATH] COMMAND ARGS...
//
// Results go to stdout. A failure prints its description on stderr and exits with 1; wrong
// words on the command line print the usage and exit with 2.

#include "CLibrary.h"
#include "CliSupport.h"
#include "Commands.h"
#include "DbError.h"
#include "FilePath.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

#include <exception>

namespace {

struct Command {
    const char* name;
    int (*run)(const QStringList& args);
    const char* usage; // usage lines, each after "trainbook-cli [--db PATH] "
};

// Every command, in the order the usage lists them.
const Command Commands[] = {
    {"init", Cli::init, "init"},
    {"sql", Cli::sql, "sql \"STATEMENT\""},
    {"calc", Cli::calc,
     "calc minutes TIME\ncalc time MINUTES\ncalc pace TIME DISTANCE\ncalc mph TIME DISTANCE\n"
     "calc km MILES\ncalc miles KM\ncalc pad TEXT N\ncalc parsedate \"WEEKDAY, DATE\""},
    {"report", Cli::report,
     "report --user NAME --kind KIND [--format full|summary|weekly] [--km] [--comments] [--criteria "
     "\"FRAGMENT\"] [--csv | --pdf FILE]"},
    {"backup", Cli::backup, "backup TARGET"},
    {"import", Cli::import, "import --user NAME [--kind Running|Cycling|Swimming] FILE|FOLDER..."},
    {"bests", Cli::bests, "bests --user NAME [--predict] [--km | --miles]"},
    {"chart", Cli::chart,
     "chart --user NAME --kind Running|Cycling|Time --output totals|average|together|individual "
     "[--kinds Running,Cycling,Swimming,Video,Other] --filter "
     "allmonths|currentyear|range|single|years|months "
     "[--begin \"March 2004\"] [--end \"May 2004\"] [--month \"March 2004\"] [--compare March] [--km]"},
    {"calendar", Cli::calendar, "calendar --user NAME --month \"MONTH, YEAR\" [--km]"},
    {"goals", Cli::goals, "goals --user NAME [--date YYYY-MM-DD]"},
    {"goal", Cli::goal,
     "goal --user NAME --kind Running|Cycling|Swimming|All --period week|month|year (--distance N | --time "
     "H:MM)\ngoal --user NAME --kind KIND --period PERIOD --remove"},
};

QString usage() {
    QString text;
    for (const Command& c : Commands)
        for (const QString& line : QString::fromUtf8(c.usage).split(QLatin1Char('\n')))
            text += QStringLiteral("%1trainbook-cli [--db PATH] %2\n")
                        .arg(text.isEmpty() ? QStringLiteral("usage: ") : QStringLiteral("       "), line);
    return text;
}

int run(QStringList args) {
    if (args.size() >= 2 && args.first() == QLatin1String("--db")) {
        CLibrary::setDefaultAccessFile(args.at(1));
        args = args.mid(2);
    }
    if (args.isEmpty())
        throw Cli::UsageError{QStringLiteral("no command given")};
    const QString name = args.takeFirst();
    for (const Command& c : Commands)
        if (name == QLatin1String(c.name))
            return c.run(args);
    throw Cli::UsageError{QStringLiteral("unknown command: ") + name};
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
