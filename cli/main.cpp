// trainbook-cli: the core of Trainbook from the shell.
//
//   trainbook-cli [--db PATH] init
//   trainbook-cli [--db PATH] sql "STATEMENT"
//   trainbook-cli calc minutes|time|pace|mph|km|miles|pad|parsedate ARGS...
//
// Results go to stdout; a failure prints its description on stderr and exits with 1.

#include "CLibrary.h"
#include "Connection.h"
#include "DbError.h"
#include "NumberText.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

#include <exception>
#include <limits>

namespace {

const char* const Usage = "usage: trainbook-cli [--db PATH] init\n"
                          "       trainbook-cli [--db PATH] sql \"STATEMENT\"\n"
                          "       trainbook-cli calc minutes TIME\n"
                          "       trainbook-cli calc time MINUTES\n"
                          "       trainbook-cli calc pace TIME DISTANCE\n"
                          "       trainbook-cli calc mph TIME DISTANCE\n"
                          "       trainbook-cli calc km MILES\n"
                          "       trainbook-cli calc miles KM\n"
                          "       trainbook-cli calc pad TEXT N\n"
                          "       trainbook-cli calc parsedate \"WEEKDAY, DATE\"\n";

// Wrong words or argument counts on the command line.
struct UsageError {
    QString message;
};

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

void expectArgs(const QStringList& args, qsizetype count) {
    if (args.size() != count)
        throw UsageError{QStringLiteral("wrong number of arguments")};
}

double numberArg(const QString& text) {
    const auto value = NumberText::parse(text);
    if (!value)
        throw DbError(QStringLiteral("Type mismatch"));
    return *value;
}

qint16 shortArg(const QString& text) {
    const double value = numberArg(text);
    if (value != static_cast<double>(static_cast<qint64>(value)))
        throw DbError(QStringLiteral("Type mismatch"));
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw DbError(QStringLiteral("Overflow"));
    return static_cast<qint16>(value);
}

int init() {
    const QString path = CLibrary::defaultAccessFile();
    if (Connection::exists(path)) {
        // Opening proves it is a Trainbook database; anything else throws and is left alone.
        Connection::open(path);
        out() << "Trainbook database already exists: " << path << Qt::endl;
        return 0;
    }
    Connection::create(path);
    out() << "Created Trainbook database: " << path << Qt::endl;
    return 0;
}

bool isQuery(const QString& statement) {
    static const QRegularExpression firstWord(QStringLiteral("^[\\s(]*([A-Za-z]+)"));
    const auto match = firstWord.match(statement);
    if (!match.hasMatch())
        return false;
    const QString word = match.captured(1).toUpper();
    return word == QLatin1String("SELECT") || word == QLatin1String("WITH");
}

int sql(const QString& statement) {
    CLibrary lib;
    auto conn = lib.GetConnection();
    if (!isQuery(statement)) {
        conn->execute(statement);
        return 0;
    }
    ResultSet rs = conn->query(statement);
    const int columns = rs.columnCount();
    QStringList line;
    for (int i = 0; i < columns; ++i)
        line << rs.columnName(i);
    out() << line.join(QLatin1Char('\t')) << '\n';
    for (; !rs.eof(); rs.moveNext()) {
        line.clear();
        for (int i = 0; i < columns; ++i)
            line << rs.field(i);
        out() << line.join(QLatin1Char('\t')) << '\n';
    }
    out().flush();
    return 0;
}

int calc(const QStringList& args) {
    if (args.isEmpty())
        throw UsageError{QStringLiteral("calc needs a conversion")};
    const QString what = args.first();
    const QStringList a = args.mid(1);
    QString result;
    if (what == QLatin1String("minutes")) {
        expectArgs(a, 1);
        result = NumberText::general(CLibrary::GetMinutes(a[0]));
    } else if (what == QLatin1String("time")) {
        expectArgs(a, 1);
        result = CLibrary::MinutesToString(numberArg(a[0]));
    } else if (what == QLatin1String("pace")) {
        expectArgs(a, 2);
        result = CLibrary::GetPace(a[0], a[1]);
    } else if (what == QLatin1String("mph")) {
        expectArgs(a, 2);
        result = CLibrary::GetMPH(a[0], a[1]);
    } else if (what == QLatin1String("km")) {
        expectArgs(a, 1);
        result = CLibrary::ComputeKilometers(a[0]);
    } else if (what == QLatin1String("miles")) {
        expectArgs(a, 1);
        result = CLibrary::ComputeMiles(a[0]);
    } else if (what == QLatin1String("pad")) {
        expectArgs(a, 2);
        result = QLatin1Char('[') + CLibrary::FormatString(a[0], shortArg(a[1])) + QLatin1Char(']');
    } else if (what == QLatin1String("parsedate")) {
        expectArgs(a, 1);
        QString day, date;
        CLibrary::ParseDate(a[0], day, date);
        result = day + QLatin1Char('\t') + date;
    } else {
        throw UsageError{QStringLiteral("unknown conversion: ") + what};
    }
    out() << result << Qt::endl;
    return 0;
}

int run(QStringList args) {
    if (args.size() >= 2 && args.first() == QLatin1String("--db")) {
        CLibrary::setDefaultAccessFile(args.at(1));
        args = args.mid(2);
    }
    if (args.isEmpty())
        throw UsageError{QStringLiteral("no command given")};
    const QString command = args.takeFirst();
    if (command == QLatin1String("init")) {
        expectArgs(args, 0);
        return init();
    }
    if (command == QLatin1String("sql")) {
        expectArgs(args, 1);
        return sql(args.first());
    }
    if (command == QLatin1String("calc"))
        return calc(args);
    throw UsageError{QStringLiteral("unknown command: ") + command};
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trainbook-cli"));
    try {
        return run(QCoreApplication::arguments().mid(1));
    } catch (const UsageError& e) {
        err() << e.message << '\n' << Usage;
    } catch (const DbError& e) {
        err() << e.description() << Qt::endl;
    } catch (const std::exception& e) {
        err() << e.what() << Qt::endl;
    }
    out().flush();
    return 1;
}
