#include "ReportCriteria.h"

#include "CLibrary.h"
#include "Connection.h"
#include "DbError.h"

#include <QSet>

namespace ReportCriteria {

namespace {

const QStringList Kinds = {
    QStringLiteral("Running"),     QStringLiteral("Cycling"),     QStringLiteral("Swimming"),
    QStringLiteral("Video"),       QStringLiteral("Other"),       QStringLiteral("Time"),
    QStringLiteral("RunningRace"), QStringLiteral("CyclingRace"), QStringLiteral("SwimmingRace")};

// Joins a piece to the fragment: "AND " stands between pieces.
void join(QString& fragment, const QString& piece) {
    if (fragment.isEmpty())
        fragment = piece;
    else
        fragment += QStringLiteral("AND ") + piece;
}

QString datePart(const QDate& d) {
    return QString::number(d.month()) + QLatin1Char('/') + QString::number(d.day()) + QLatin1Char('/') +
           QString::number(d.year());
}

QString selectWhereUser(const QString& user) {
    return QStringLiteral("WHERE User_Name = ") + CLibrary::Quote(user) + QStringLiteral(" ");
}

} // namespace

bool isKind(const QString& kind) {
    return Kinds.contains(kind);
}

bool isRaceKind(const QString& kind) {
    return kind == QLatin1String("RunningRace") || kind == QLatin1String("CyclingRace") ||
           kind == QLatin1String("SwimmingRace");
}

Columns columns(const QString& kind, bool miles) {
    const QString distance = miles ? QStringLiteral("Miles") : QStringLiteral("Kilometers");
    const QString date = QStringLiteral("Exercise_Date");
    if (kind == QLatin1String("Running"))
        return {date, QStringLiteral("Course"), distance, QStringLiteral("Bike")};
    if (kind == QLatin1String("Cycling"))
        return {date, QStringLiteral("Course"), distance, QStringLiteral("Bike")};
    if (kind == QLatin1String("Swimming"))
        return {date, QStringLiteral("Location"), QStringLiteral("Laps"), QString()};
    if (kind == QLatin1String("Video"))
        return {date, QStringLiteral("Video"), QString(), QString()};
    if (kind == QLatin1String("Other"))
        return {date, QStringLiteral("Exercise_Name"), QString(), QString()};
    if (kind == QLatin1String("Time"))
        return {date, QStringLiteral("Exercise_Type"), QString(), QString()};
    if (isRaceKind(kind))
        return {QStringLiteral("RaceDate"), QStringLiteral("RaceName"),
                miles ? QStringLiteral("RaceDistance") : QStringLiteral("RaceDistanceKM"),
                QStringLiteral("RaceType")};
    return {};
}

QString build(const Controls& c) {
    const Columns col = columns(c.kind, c.miles);
    QString fragment;

    if (c.limitByDate) {
        switch (c.dateLimit) {
        case DateLimit::CurrentMonth:
            fragment = QStringLiteral("Format(") + col.date +
                       QStringLiteral(", 'MMMM YYYY') = Format(Now, 'MMMM YYYY') ");
            break;
        case DateLimit::CurrentYear:
            fragment =
                QStringLiteral("Format(") + col.date + QStringLiteral(", 'YYYY') = Format(Now, 'YYYY') ");
            break;
        case DateLimit::DateRange:
            fragment = QStringLiteral("(") + col.date + QStringLiteral(" BETWEEN Format('") +
                       datePart(c.begin) + QStringLiteral("', 'mm/dd/yyyy') ") +
                       QStringLiteral("AND Format('") + datePart(c.end) +
                       QStringLiteral("', 'mm/dd/yyyy')) ");
            break;
        }
    }

    // A kind without a numeric column has its boxes hidden; they never contribute.
    if (!col.numeric.isEmpty()) {
        if (!c.equal.isEmpty())
            join(fragment,
                 col.numeric + QStringLiteral(" = ") + CLibrary::Number(c.equal) + QStringLiteral(" "));
        if (!c.atLeast.isEmpty())
            join(fragment,
                 col.numeric + QStringLiteral(" >= ") + CLibrary::Number(c.atLeast) + QStringLiteral(" "));
        if (!c.atMost.isEmpty())
            join(fragment,
                 col.numeric + QStringLiteral(" <= ") + CLibrary::Number(c.atMost) + QStringLiteral(" "));
    }

    const bool hasCombo = c.kind == QLatin1String("Cycling") || isRaceKind(c.kind);
    if (hasCombo && !c.combo.isEmpty())
        join(fragment, col.combo + QStringLiteral(" = ") + CLibrary::Quote(c.combo) + QStringLiteral(" "));

    QString list;
    for (const QString& item : c.listItems) {
        list += (list.isEmpty() ? QStringLiteral("(") : QStringLiteral("OR ")) + col.list +
                QStringLiteral(" = ") + CLibrary::Quote(item) + QStringLiteral(" ");
    }
    if (!list.isEmpty())
        list += QStringLiteral(") ");

    if (fragment.isEmpty())
        return list;
    if (!list.isEmpty())
        fragment += QStringLiteral(" AND ") + list;
    return fragment;
}

QString listQuery(const QString& kind, const QString& user) {
    const QString where = selectWhereUser(user);
    auto detail = [&](const QString& column, const QString& table, const QString& key) {
        return QStringLiteral("SELECT Distinct(%1) AS dCourse ").arg(column) +
               QStringLiteral("FROM %1, Exercise_Master ").arg(table) + where +
               QStringLiteral("AND %1 = Exercise_Id ").arg(key) + QStringLiteral("ORDER BY %1").arg(column);
    };
    if (kind == QLatin1String("Running"))
        return detail(QStringLiteral("Course"), QStringLiteral("Running_Log"), QStringLiteral("Running_Id"));
    if (kind == QLatin1String("Cycling"))
        return detail(QStringLiteral("Course"), QStringLiteral("Cycling_Log"), QStringLiteral("Cycling_Id"));
    if (kind == QLatin1String("Swimming"))
        return detail(QStringLiteral("Location"), QStringLiteral("Swimming_Log"),
                      QStringLiteral("Swimming_Id"));
    if (kind == QLatin1String("Video"))
        return detail(QStringLiteral("Video"), QStringLiteral("Video_Log"), QStringLiteral("Video_Id"));
    if (kind == QLatin1String("Other"))
        return QStringLiteral("SELECT Distinct(Exercise_Name) AS dCourse ") +
               QStringLiteral("FROM Other_Setup ") + where + QStringLiteral("ORDER BY Exercise_Name");
    if (kind == QLatin1String("Time"))
        return QStringLiteral("SELECT Distinct(Exercise_Type) AS dCourse ") +
               QStringLiteral("FROM Exercise_Master ") + where + QStringLiteral("ORDER BY Exercise_Type");
    if (isRaceKind(kind))
        return QStringLiteral("SELECT Distinct(RaceName) AS dCourse ") + QStringLiteral("FROM RaceLog ") +
               where + QStringLiteral("AND Exercise = ") + CLibrary::Quote(kind) + QStringLiteral(" ") +
               QStringLiteral("ORDER BY RaceName");
    return QString();
}

QString comboQuery(const QString& kind, const QString& user) {
    if (kind == QLatin1String("Cycling"))
        return QStringLiteral("SELECT Bike ") + QStringLiteral("FROM Bikes ") + selectWhereUser(user) +
               QStringLiteral("AND Active = True ") + QStringLiteral("ORDER BY Bike");
    if (isRaceKind(kind))
        return QStringLiteral("SELECT Distinct(RaceType) AS Race ") + QStringLiteral("FROM RaceTypes ") +
               selectWhereUser(user) + QStringLiteral("AND Exercise = ") + CLibrary::Quote(kind) +
               QStringLiteral(" ") + QStringLiteral("ORDER BY RaceType");
    return QString();
}

QString comboField(const QString& kind) {
    if (kind == QLatin1String("Cycling"))
        return QStringLiteral("Bike");
    if (isRaceKind(kind))
        return QStringLiteral("Race");
    return QString();
}

namespace {
QString defaultWhere(const QString& kind, const QString& user) {
    return QStringLiteral("WHERE Exercise = ") + CLibrary::Quote(kind) + QStringLiteral(" ") +
           QStringLiteral("AND User_Name = ") + CLibrary::Quote(user);
}
} // namespace

QString loadDefault(Connection& conn, const QString& kind, const QString& user) {
    ResultSet rs = conn.query(QStringLiteral("SELECT Criteria FROM RptCriteria ") + defaultWhere(kind, user));
    return rs.eof() ? QString() : rs.field(QStringLiteral("Criteria"));
}

bool saveDefault(Connection& conn, const QString& kind, const QString& user, const QString& criteria) {
    bool exists = false;
    {
        ResultSet rs =
            conn.query(QStringLiteral("SELECT Criteria FROM RptCriteria ") + defaultWhere(kind, user));
        exists = !rs.eof();
    }
    const QString sql =
        exists ? QStringLiteral("UPDATE RptCriteria ") + QStringLiteral("SET Criteria = ") +
                     CLibrary::Quote(criteria) + QStringLiteral(" ") + defaultWhere(kind, user)
               : QStringLiteral("INSERT INTO RptCriteria ") +
                     QStringLiteral("(Criteria, Exercise, User_Name) ") + QStringLiteral("VALUES (") +
                     CLibrary::Quote(criteria) + QStringLiteral(", ") + CLibrary::Quote(kind) +
                     QStringLiteral(", ") + CLibrary::Quote(user) + QStringLiteral(")");
    try {
        conn.execute(sql);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void checkFragment(const QString& fragment) {
    static const QSet<QString> Forbidden = {
        QStringLiteral("SELECT"),    QStringLiteral("UNION"),  QStringLiteral("INTERSECT"),
        QStringLiteral("EXCEPT"),    QStringLiteral("ORDER"),  QStringLiteral("GROUP"),
        QStringLiteral("HAVING"),    QStringLiteral("LIMIT"),  QStringLiteral("OFFSET"),
        QStringLiteral("WINDOW"),    QStringLiteral("FROM"),   QStringLiteral("WITH"),
        QStringLiteral("RETURNING"), QStringLiteral("VALUES"), QStringLiteral("ATTACH"),
        QStringLiteral("PRAGMA"),    QStringLiteral("INSERT"), QStringLiteral("UPDATE"),
        QStringLiteral("DELETE"),    QStringLiteral("DROP"),   QStringLiteral("CREATE")};
    const auto refuse = [](const QString& why) {
        throw DbError(QStringLiteral("The criteria are not a condition: ") + why);
    };
    const qsizetype n = fragment.size();
    int depth = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = fragment.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            for (;; ++j) {
                if (j >= n)
                    refuse(QStringLiteral("a text is not closed"));
                if (fragment.at(j) == c) {
                    if (j + 1 < n && fragment.at(j + 1) == c) {
                        ++j;
                        continue;
                    }
                    break;
                }
            }
            i = j + 1;
        } else if (c == QLatin1Char('[') || c == QLatin1Char('`')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('`');
            const qsizetype j = fragment.indexOf(close, i + 1);
            if (j < 0)
                refuse(QStringLiteral("a name is not closed"));
            i = j + 1;
        } else if (c == QLatin1Char(';')) {
            refuse(QStringLiteral("it holds a second statement"));
        } else if (c == QLatin1Char('(')) {
            ++depth;
            ++i;
        } else if (c == QLatin1Char(')')) {
            if (--depth < 0)
                refuse(QStringLiteral("a parenthesis closes more than it opened"));
            ++i;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            qsizetype j = i;
            while (j < n && (fragment.at(j).isLetterOrNumber() || fragment.at(j) == QLatin1Char('_') ||
                             fragment.at(j) == QLatin1Char('$')))
                ++j;
            const QString word = fragment.mid(i, j - i).toUpper();
            if (Forbidden.contains(word))
                refuse(word);
            i = j;
        } else if (c == QLatin1Char('-') && i + 1 < n && fragment.at(i + 1) == QLatin1Char('-')) {
            refuse(QStringLiteral("it holds a comment"));
        } else if (c == QLatin1Char('/') && i + 1 < n && fragment.at(i + 1) == QLatin1Char('*')) {
            refuse(QStringLiteral("it holds a comment"));
        } else {
            ++i;
        }
    }
    if (depth != 0)
        refuse(QStringLiteral("a parenthesis is not closed"));
}

QString criteriaPart(const QString& fragment) {
    if (fragment.trimmed().isEmpty())
        return QString();
    checkFragment(fragment);
    return QStringLiteral("AND (") + fragment + QStringLiteral(") ");
}

} // namespace ReportCriteria
