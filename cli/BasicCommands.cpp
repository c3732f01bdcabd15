// The first commands: create the database, run one statement, and the conversions.

#include "CLibrary.h"
#include "CliSupport.h"
#include "Commands.h"
#include "Connection.h"
#include "DbError.h"
#include "FilePath.h"
#include "NumberText.h"

#include <QRegularExpression>

#include <limits>

namespace Cli {

namespace {

qint16 shortArg(const QString& text) {
    const double value = numberArg(text);
    if (value != static_cast<double>(static_cast<qint64>(value)))
        throw DbError(QStringLiteral("Type mismatch"));
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw DbError(QStringLiteral("Overflow"));
    return static_cast<qint16>(value);
}

bool isQuery(const QString& statement) {
    static const QRegularExpression firstWord(QStringLiteral("^[\\s(]*([A-Za-z]+)"));
    const auto match = firstWord.match(statement);
    if (!match.hasMatch())
        return false;
    const QString word = match.captured(1).toUpper();
    return word == QLatin1String("SELECT") || word == QLatin1String("WITH");
}

} // namespace

int init(const QStringList& args) {
    expectArgs(args, 0);
    const QString path = CLibrary::defaultAccessFile();
    if (Connection::exists(path)) {
        // Opening proves it is a Trainbook database; anything else throws and is left alone.
        // The engine's quick check finds damage that opening alone does not read.
        const QString problem = Connection::open(path)
                                    ->query(QStringLiteral("SELECT quick_check FROM pragma_quick_check(1)"))
                                    .field(0);
        if (problem != QLatin1String("ok"))
            throw DbError(QStringLiteral("'%1' is damaged (%2).")
                              .arg(FilePath::shown(FilePath::absolute(path)),
                                   QString(problem).remove(QStringLiteral("*** in database main ***\n"))));
        out() << "Trainbook database already exists: " << FilePath::shown(FilePath::absolute(path))
              << Qt::endl;
        return 0;
    }
    Connection::create(path);
    out() << "Created Trainbook database: " << FilePath::shown(FilePath::absolute(path)) << Qt::endl;
    return 0;
}

int sql(const QStringList& args) {
    expectArgs(args, 1);
    const QString& statement = args.first();
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

} // namespace Cli
