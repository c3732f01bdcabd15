#include "ReportCriteria.h"

#include "CLibrary.h"
#include "Connection.h"
#include "DateText.h"
#include "DbError.h"
#include "Tables.h"
#include "WorkoutKinds.h"

#include <vector>

namespace ReportCriteria {

namespace {

using WorkoutKinds::Kind;

// The combined time report's kind: every workout, of any kind.
const QLatin1String CombinedTime("Time");

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
    return WorkoutKinds::find(kind) || kind == CombinedTime;
}

bool isRaceKind(const QString& kind) {
    const Kind* k = WorkoutKinds::find(kind);
    return k && k->isRace();
}

Columns columns(const QString& kind, bool miles) {
    if (kind == CombinedTime)
        return {QStringLiteral("Exercise_Date"), QStringLiteral("Exercise_Type"), QString(), QString()};
    const Kind* k = WorkoutKinds::find(kind);
    if (!k)
        return {};
    // The combo box picks the race type of a race, the bike of a ride.
    const QString combo = k->isRace()                           ? QStringLiteral("RaceType")
                          : k->gear == WorkoutKinds::Gear::Bike ? QLatin1String(k->gearCatalog()->logColumn)
                                                                : QString();
    return {k->dateColumn(), QLatin1String(k->listColumn), k->distanceColumn(miles), combo};
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

    if (!col.combo.isEmpty() && !c.combo.isEmpty())
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

QString monthFragment(const QString& month) {
    return QStringLiteral("Format(Exercise_Date, 'MMMM YYYY') = Format(") + CLibrary::Quote(month) +
           QStringLiteral(", 'MMMM YYYY')");
}

QString weekFragment(const QDate& sunday) {
    const auto us = [](const QDate& d) { return DateText::format(d, QStringLiteral("mm/dd/yyyy")); };
    return QStringLiteral("Exercise_Date BETWEEN Format('") + us(sunday) +
           QStringLiteral("', 'mm/dd/yyyy') AND ") + QStringLiteral("Format('") + us(sunday.addDays(6)) +
           QStringLiteral("', 'mm/dd/yyyy')");
}

std::optional<DateSpan> dateSpan(const QString& fragment, const QDate& today) {
    // The date in the first quotes from `from` on.
    const auto quoted = [&](qsizetype from) {
        const qsizetype open = fragment.indexOf(QLatin1Char('\''), from);
        const qsizetype close = open < 0 ? -1 : fragment.indexOf(QLatin1Char('\''), open + 1);
        if (close < 0)
            throw DbError(QStringLiteral("Type mismatch"));
        const auto date = DateText::parse(fragment.mid(open + 1, close - open - 1));
        if (!date)
            throw DbError(QStringLiteral("Type mismatch"));
        return *date;
    };
    if (fragment.contains(QLatin1String("Now, 'MMMM YYYY'")))
        return DateSpan{QDate(today.year(), today.month(), 1), today};
    if (fragment.contains(QLatin1String("Now, 'YYYY'")))
        return DateSpan{QDate(today.year(), 1, 1), today};
    const qsizetype between = fragment.indexOf(QLatin1String("BETWEEN"));
    if (between < 0)
        return std::nullopt;
    const QDate first = quoted(between);
    const qsizetype andFormat = fragment.indexOf(QLatin1String("AND Format"));
    if (andFormat < 0)
        throw DbError(QStringLiteral("Type mismatch"));
    return DateSpan{first, quoted(andFormat)};
}

QString listQuery(const QString& kind, const QString& user) {
    const QString where = selectWhereUser(user);
    if (kind == CombinedTime)
        return QStringLiteral("SELECT Distinct(Exercise_Type) AS dCourse ") +
               QStringLiteral("FROM Exercise_Master ") + where + QStringLiteral("ORDER BY Exercise_Type");
    const Kind* k = WorkoutKinds::find(kind);
    if (!k)
        return QString();
    const QString column = QLatin1String(k->listColumn);
    const QString select = QStringLiteral("SELECT Distinct(%1) AS dCourse ").arg(column);
    const QString order = QStringLiteral("ORDER BY %1").arg(column);
    if (k->isRace())
        return select + QStringLiteral("FROM RaceLog ") + where + QStringLiteral("AND Exercise = ") +
               CLibrary::Quote(kind) + QStringLiteral(" ") + order;
    if (k->listTable)
        return select + QStringLiteral("FROM %1 ").arg(QLatin1String(k->listTable)) + where + order;
    return select + QStringLiteral("FROM %1, Exercise_Master ").arg(QLatin1String(k->table->name)) + where +
           QStringLiteral("AND %1 = Exercise_Id ").arg(QLatin1String(k->table->key)) + order;
}

QString comboQuery(const QString& kind, const QString& user) {
    const Kind* k = WorkoutKinds::find(kind);
    if (k && k->isRace())
        return QStringLiteral("SELECT Distinct(RaceType) AS Race ") + QStringLiteral("FROM RaceTypes ") +
               selectWhereUser(user) + QStringLiteral("AND Exercise = ") + CLibrary::Quote(kind) +
               QStringLiteral(" ") + QStringLiteral("ORDER BY RaceType");
    if (k && k->gear == WorkoutKinds::Gear::Bike) {
        const WorkoutKinds::GearCatalog& bikes = *k->gearCatalog();
        return QStringLiteral("SELECT %1 FROM %2 ")
                   .arg(QLatin1String(bikes.itemColumn), QLatin1String(bikes.table)) +
               selectWhereUser(user) + QStringLiteral("AND Active = True ") +
               QStringLiteral("ORDER BY %1").arg(QLatin1String(bikes.itemColumn));
    }
    return QString();
}

QString comboField(const QString& kind) {
    const Kind* k = WorkoutKinds::find(kind);
    if (k && k->isRace())
        return QStringLiteral("Race");
    if (k && k->gear == WorkoutKinds::Gear::Bike)
        return QLatin1String(k->gearCatalog()->logColumn);
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

QStringList columnNames(const QString& kind) {
    std::vector<const Tables::Table*> tables;
    if (kind == CombinedTime)
        tables = {&Tables::ExerciseMaster};
    else if (const Kind* k = WorkoutKinds::find(kind))
        tables = k->isRace() ? std::vector{k->table} : std::vector{&Tables::ExerciseMaster, k->table};
    QStringList names;
    for (const Tables::Table* table : tables) {
        names << QLatin1String(table->key);
        for (const Tables::Column& column : table->columns)
            names << QLatin1String(column.name);
    }
    return names;
}

namespace {

// Reads a fragment token by token and refuses everything a condition of the report does not
// need. What may stand in it is listed, not what may not: anything unknown is refused.
class FragmentReader {
  public:
    FragmentReader(const QString& fragment, const QString& kind)
        : m_text(fragment), m_columns(columnNames(kind)) {}

    void check() {
        skipBlanks();
        while (m_at < m_text.size()) {
            token();
            skipBlanks();
        }
        if (!m_open.empty())
            refuse(QStringLiteral("a parenthesis is not closed"));
    }

  private:
    enum class Open { Group, Call, List };

    [[noreturn]] static void refuse(const QString& why) {
        throw DbError(QStringLiteral("The criteria are not a condition: ") + why);
    }
    QChar at(qsizetype i) const { return i < m_text.size() ? m_text.at(i) : QChar(); }
    void skipBlanks() {
        while (m_at < m_text.size() && m_text.at(m_at).isSpace())
            ++m_at;
    }
    static bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }
    bool isDigit(qsizetype i) const { return at(i) >= QLatin1Char('0') && at(i) <= QLatin1Char('9'); }

    // A text in single quotes (a quote inside doubled) or a plain decimal number; false
    // when neither starts here.
    bool literal() {
        if (at(m_at) == QLatin1Char('\'')) {
            for (qsizetype j = m_at + 1;; ++j) {
                if (j >= m_text.size())
                    refuse(QStringLiteral("a text is not closed"));
                if (m_text.at(j) == QLatin1Char('\'')) {
                    if (at(j + 1) == QLatin1Char('\'')) {
                        ++j;
                        continue;
                    }
                    m_at = j + 1;
                    return true;
                }
            }
        }
        if (!isDigit(m_at) && !(at(m_at) == QLatin1Char('.') && isDigit(m_at + 1)))
            return false;
        while (isDigit(m_at))
            ++m_at;
        if (at(m_at) == QLatin1Char('.'))
            for (++m_at; isDigit(m_at);)
                ++m_at;
        if (isWordChar(at(m_at)) || at(m_at) == QLatin1Char('.'))
            refuse(QStringLiteral("a number is not plain: ") + m_text.mid(m_at, 20));
        return true;
    }

    // After IN: a parenthesised list of literals, nothing else (a name after IN would be read
    // as a table).
    void list() {
        skipBlanks();
        if (at(m_at) != QLatin1Char('('))
            refuse(QStringLiteral("IN must be followed by a list of values in parentheses"));
        ++m_at;
        for (;;) {
            skipBlanks();
            if (at(m_at) == QLatin1Char('-') || at(m_at) == QLatin1Char('+'))
                ++m_at;
            if (!literal())
                refuse(QStringLiteral("IN must be followed by a list of values in parentheses"));
            skipBlanks();
            if (at(m_at) == QLatin1Char(')')) {
                ++m_at;
                return;
            }
            if (at(m_at) != QLatin1Char(','))
                refuse(QStringLiteral("IN must be followed by a list of values in parentheses"));
            ++m_at;
        }
    }

    void word() {
        QString name;
        if (at(m_at) == QLatin1Char('[') || at(m_at) == QLatin1Char('`')) {
            const QChar close = at(m_at) == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('`');
            const qsizetype end = m_text.indexOf(close, m_at + 1);
            if (end < 0)
                refuse(QStringLiteral("a name is not closed"));
            name = m_text.mid(m_at + 1, end - m_at - 1);
            m_at = end + 1;
            if (!m_columns.contains(name, Qt::CaseInsensitive))
                refuse(name + QStringLiteral(" is not a column of this report"));
            return;
        }
        const qsizetype start = m_at;
        while (isWordChar(at(m_at)))
            ++m_at;
        name = m_text.mid(start, m_at - start);
        const QString upper = name.toUpper();
        static const QStringList Keywords = {
            QStringLiteral("AND"),     QStringLiteral("OR"),   QStringLiteral("NOT"),
            QStringLiteral("BETWEEN"), QStringLiteral("LIKE"), QStringLiteral("IS"),
            QStringLiteral("NULL"),    QStringLiteral("TRUE"), QStringLiteral("FALSE")};
        if (Keywords.contains(upper) || m_columns.contains(name, Qt::CaseInsensitive)) {
            // A column name followed by a dot would name a table; nothing else may follow.
            if (at(m_at) == QLatin1Char('.'))
                refuse(name + QStringLiteral(". names a table"));
            return;
        }
        if (upper == QLatin1String("IN")) {
            list();
            return;
        }
        skipBlanks();
        const bool call = at(m_at) == QLatin1Char('(');
        if (upper == QLatin1String("NOW")) {
            // Now, or Now()
            if (call) {
                ++m_at;
                skipBlanks();
                if (at(m_at) != QLatin1Char(')'))
                    refuse(QStringLiteral("Now takes no values"));
                ++m_at;
            }
            return;
        }
        if (call && (upper == QLatin1String("FORMAT") || upper == QLatin1String("YEAR") ||
                     upper == QLatin1String("MONTH"))) {
            ++m_at;
            m_open.push_back(Open::Call);
            return;
        }
        refuse(name + (call ? QStringLiteral(" is not a function criteria may use")
                            : QStringLiteral(" is not a column of this report")));
    }

    void token() {
        const QChar c = at(m_at);
        const QChar next = at(m_at + 1);
        if (literal())
            return;
        if (c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('[') || c == QLatin1Char('`')) {
            word();
            return;
        }
        if ((c == QLatin1Char('-') && next == QLatin1Char('-')) ||
            (c == QLatin1Char('/') && next == QLatin1Char('*')))
            refuse(QStringLiteral("it holds a comment"));
        if (c == QLatin1Char(';'))
            refuse(QStringLiteral("it holds a second statement"));
        // "->" and "->>" read a value out of a JSON text: functions of their own, not arithmetic.
        if (c == QLatin1Char('-') && next == QLatin1Char('>'))
            refuse(QStringLiteral("'->' may not stand in it"));
        if (c == QLatin1Char('(')) {
            m_open.push_back(Open::Group);
            ++m_at;
        } else if (c == QLatin1Char(')')) {
            if (m_open.empty())
                refuse(QStringLiteral("a parenthesis closes more than it opened"));
            m_open.pop_back();
            ++m_at;
        } else if (c == QLatin1Char(',')) {
            if (m_open.empty() || m_open.back() != Open::Call)
                refuse(QStringLiteral("a comma stands outside a function's values"));
            ++m_at;
        } else if ((c == QLatin1Char('<') && (next == QLatin1Char('>') || next == QLatin1Char('='))) ||
                   (c == QLatin1Char('>') && next == QLatin1Char('=')) ||
                   (c == QLatin1Char('!') && next == QLatin1Char('=')) ||
                   (c == QLatin1Char('=') && next == QLatin1Char('=')) ||
                   (c == QLatin1Char('|') && next == QLatin1Char('|'))) {
            m_at += 2;
        } else if (QStringView(u"=<>+-*/%").contains(c)) {
            ++m_at;
        } else {
            refuse(QStringLiteral("'%1' may not stand in it").arg(c));
        }
    }

    const QString& m_text;
    const QStringList m_columns;
    qsizetype m_at = 0;
    std::vector<Open> m_open;
};

} // namespace

void checkFragment(const QString& fragment, const QString& kind) {
    FragmentReader(fragment, kind).check();
}

QString criteriaPart(const QString& fragment, const QString& kind) {
    if (fragment.trimmed().isEmpty())
        return QString();
    checkFragment(fragment, kind);
    return QStringLiteral("AND (") + fragment + QStringLiteral(") ");
}

} // namespace ReportCriteria
