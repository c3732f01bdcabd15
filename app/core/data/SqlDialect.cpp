#include "SqlDialect.h"

#include "DbError.h"
#include "SqlTokens.h"

#include <vector>

// The windows compose their statements in a small dialect: Format, Year, Month and Now, dates
// written as short date texts (12/5/2026, 05-Dec-2026, March 2004), UPDATE over two tables,
// Distinct(x), "= True". This file turns one such statement into SQLite text with the same
// meaning, one function per rewrite over the tokens of SqlTokens.h:
//  - rewriteWords: Format(, Year(, Month( and the word Now call the functions of SqlFunctions;
//    Distinct(x) names its column x; "= True" finds any non-zero flag;
//  - wrapWrittenDates, wrapComparedDates: a date written into a date column, or compared with
//    one, goes through tb_cdate, so dates are stored and compared as ISO text whatever form the
//    window wrote;
//  - splitUpdate: UPDATE over two tables becomes one UPDATE per table;
//  - appendGroupOrder: GROUP BY without ORDER BY returns its groups in ascending order.
// Text inside literals is never touched.

namespace {

using SqlTokens::Kind;
using SqlTokens::Tokens;

const QString NoCase = QStringLiteral(" COLLATE NOCASE");

[[noreturn]] void syntaxError(const QString& what) {
    throw DbError(what);
}

bool isDateColumn(const Tokens& t, int k, const QSet<QString>* dateColumns) {
    return t.isKind(k, Kind::Name) && dateColumns &&
           dateColumns->contains(t.lastPart(k).toString().toLower());
}

// Where an INSERT ... VALUES or an UPDATE ... SET writes its values.
struct Writes {
    std::vector<bool> noCompare;                   // tokens of SET lists and VALUES rows
    std::vector<std::pair<int, int>> writtenDates; // values written into date columns
    std::vector<int> updateTables;                 // the tables of an UPDATE, when it names more than one
    std::vector<std::pair<int, int>> assignments;  // [first, end) of each SET item
    int where = 0;                                 // the WHERE of an UPDATE, or the end
};

void findInsertedValues(const Tokens& t, const QSet<QString>* dateColumns, Writes& w) {
    std::vector<bool> dates;
    for (int k = 4; k < t.match(3); ++k)
        if (t[k].kind == Kind::Name)
            dates.push_back(isDateColumn(t, k, dateColumns));
    int k = t.match(3) + 1;
    if (!t.isWord(k, QLatin1StringView("values")))
        return;
    for (++k; t.isKind(k, Kind::LParen) && t.match(k) > k;) {
        const int close = t.match(k);
        for (int j = k; j <= close; ++j)
            w.noCompare[size_t(j)] = true;
        size_t column = 0;
        for (int item = k + 1; item < close; ++column) {
            const int end = t.nextAtDepth(item, close, [&t](int j) { return t[j].kind == Kind::Comma; });
            if (column < dates.size() && dates[column] && end > item)
                w.writtenDates.push_back({item, end - 1});
            item = end + 1;
        }
        k = close + 1;
        if (!t.isKind(k, Kind::Comma))
            break;
        ++k; // several rows: VALUES (...), (...)
    }
}

void findAssignments(Tokens& t, const QSet<QString>* dateColumns, Writes& w) {
    int k = 1;
    for (;;) {
        if (!t.isKind(k, Kind::Name) || t.isWord(k, QLatin1StringView("set"))) {
            w.updateTables.clear();
            return;
        }
        w.updateTables.push_back(k);
        if (!t.isKind(k + 1, Kind::Comma))
            break;
        k += 2;
    }
    if (!t.isWord(k + 1, QLatin1StringView("set"))) {
        w.updateTables.clear();
        return;
    }
    const int set = k + 2;
    w.where = t.nextAtDepth(set, t.size(), [&t](int j) { return t.isWord(j, QLatin1StringView("where")); });
    for (int j = set - 1; j < w.where; ++j)
        w.noCompare[size_t(j)] = true;
    for (int item = set; item < w.where;) {
        const int end = t.nextAtDepth(item, w.where, [&t](int j) { return t[j].kind == Kind::Comma; });
        if (t.isKind(item, Kind::Name) && t.isOp(item + 1, QLatin1StringView("="))) {
            if (t[item].qualified) {
                // SQLite names only the column on the left of "=".
                QString column = t.unbracketed(item);
                const QString& src = t.sourceText();
                if (t[item].lastEnd < src.size() && src.at(t[item].lastEnd) == QLatin1Char(']'))
                    column = QLatin1Char('[') + column + QLatin1Char(']');
                t.replace(item, column);
            }
            if (isDateColumn(t, item, dateColumns) && end > item + 2)
                w.writtenDates.push_back({item + 2, end - 1});
        }
        w.assignments.push_back({item, end});
        item = end + 1;
    }
}

// Finds the parts of INSERT ... VALUES and UPDATE ... SET that hold written values.
Writes findWrites(Tokens& t, const QSet<QString>* dateColumns) {
    Writes w;
    w.noCompare.assign(size_t(t.size()), false);
    if (t.isWord(0, QLatin1StringView("insert")) && t.isWord(1, QLatin1StringView("into")) &&
        t.isKind(2, Kind::Name) && t.isKind(3, Kind::LParen) && t.match(3) > 3)
        findInsertedValues(t, dateColumns, w);
    else if (t.isWord(0, QLatin1StringView("update")))
        findAssignments(t, dateColumns, w);
    return w;
}

// Format, Year, Month, Now and Distinct(x) as SQLite reads them; "= True" as "<> 0".
void rewriteWords(Tokens& t, const std::vector<bool>& noCompare) {
    for (int k = 0; k < t.size(); ++k) {
        if (t[k].kind != Kind::Name || !t[k].plain || (k > 0 && t.isWord(k - 1, QLatin1StringView("as"))))
            continue;
        const QStringView word = t.source(k);
        const bool call = t.isKind(k + 1, Kind::LParen);
        if (call && word.compare(u"Format", Qt::CaseInsensitive) == 0) {
            t.replace(k, QStringLiteral("tb_format"));
            // Texts compare without regard to case in the dialect. Only where Format is
            // compared: grouping and sorting by its text stay cheap binary comparisons.
            const int close = t.match(k + 1);
            if (close > 0 && (t.isComparison(k - 1) || t.isComparison(close + 1)))
                t[close].suffix = NoCase;
        } else if (call && word.compare(u"Year", Qt::CaseInsensitive) == 0) {
            t.replace(k, QStringLiteral("tb_year"));
        } else if (call && word.compare(u"Month", Qt::CaseInsensitive) == 0) {
            t.replace(k, QStringLiteral("tb_month"));
        } else if (word.compare(u"Now", Qt::CaseInsensitive) == 0) {
            t.replace(k, call ? QStringLiteral("tb_now") : QStringLiteral("tb_now()"));
        } else if (call && word.compare(u"Distinct", Qt::CaseInsensitive) == 0) {
            // Distinct(Course) -> DISTINCT Course, so the column is named Course.
            const int open = k + 1;
            if (t.match(open) == open + 2 && t.isKind(open + 1, Kind::Name)) {
                t.replace(open, QStringLiteral(" "));
                t.replace(open + 2, QString());
            }
        } else if (word.compare(u"True", Qt::CaseInsensitive) == 0 && !noCompare[size_t(k)] && k > 0) {
            // A flag is true when it is not zero, whatever number wrote it.
            const QStringView op = t.isKind(k - 1, Kind::Op) ? t.source(k - 1) : QStringView();
            if (op == u"=" || op == u"==") {
                t.replace(k - 1, QStringLiteral("<>"));
                t.replace(k, QStringLiteral("0"));
            } else if (op == u"<>" || op == u"!=") {
                t.replace(k - 1, QStringLiteral("="));
                t.replace(k, QStringLiteral("0"));
            }
        }
    }
}

// Writes tokens [first, last] as tb_cdate(...), once.
void wrapDate(Tokens& t, int first, int last) {
    if (first < 0 || last < first || t[first].wrapped)
        return;
    t[first].wrapped = true;
    // A COLLATE inside the argument would carry over to the comparison and keep SQLite
    // from using the index on the date column; dates need no case rule.
    for (int k = first; k <= last; ++k)
        if (t[k].suffix == NoCase)
            t[k].suffix.clear();
    t[first].prefix = QStringLiteral("tb_cdate(") + t[first].prefix;
    t[last].suffix += QLatin1Char(')');
}

void wrapWrittenDates(Tokens& t, const Writes& w) {
    for (const auto& [first, last] : w.writtenDates)
        wrapDate(t, first, last);
}

// Last token of the operand that starts at `k`, when it is a value to convert (a literal,
// a call or a parenthesised expression); -1 for a column, Now or anything else.
int operandForward(const Tokens& t, int k) {
    if ((t.isOp(k, QLatin1StringView("-")) || t.isOp(k, QLatin1StringView("+"))) &&
        (t.isKind(k + 1, Kind::Number) || t.isKind(k + 1, Kind::String)))
        return k + 1;
    if (t.isKind(k, Kind::String) || t.isKind(k, Kind::Number))
        return k;
    if (t.isKind(k, Kind::LParen))
        return t.match(k);
    if (t.isCall(k) && !t.isWord(k, QLatin1StringView("now")))
        return t.match(k + 1);
    return -1;
}

// First token of the operand that ends at `k`; -1 when it is not a value to convert.
int operandBackward(const Tokens& t, int k) {
    if (t.isKind(k, Kind::String) || t.isKind(k, Kind::Number))
        return k;
    if (!t.isKind(k, Kind::RParen) || t.match(k) < 0)
        return -1;
    const int open = t.match(k);
    if (t.isCall(open - 1))
        return t.isWord(open - 1, QLatin1StringView("now")) ? -1 : open - 1;
    return open;
}

// A date column compared with a date text or month text compares as dates.
void wrapComparedDates(Tokens& t, const Writes& w, const QSet<QString>* dateColumns) {
    for (int k = 0; k < t.size(); ++k) {
        if (w.noCompare[size_t(k)] || !isDateColumn(t, k, dateColumns))
            continue;
        if (t.isComparison(k + 1)) {
            wrapDate(t, k + 2, operandForward(t, k + 2));
        } else if (t.isWord(k + 1, QLatin1StringView("between")) ||
                   (t.isWord(k + 1, QLatin1StringView("not")) &&
                    t.isWord(k + 2, QLatin1StringView("between")))) {
            const int low = t.isWord(k + 1, QLatin1StringView("not")) ? k + 3 : k + 2;
            const int lowEnd = operandForward(t, low);
            wrapDate(t, low, lowEnd);
            if (lowEnd > 0 && t.isWord(lowEnd + 1, QLatin1StringView("and")))
                wrapDate(t, lowEnd + 2, operandForward(t, lowEnd + 2));
        }
        if (k >= 2 && t.isComparison(k - 1))
            wrapDate(t, operandBackward(t, k - 2), k - 2);
    }
}

// GROUP BY without ORDER BY: the groups come in ascending order of the grouping
// expressions, which is the order the charts draw them in. Only for a single SELECT: in a
// UNION an ORDER BY must name result columns.
void appendGroupOrder(const Tokens& t, QString& out) {
    if (!t.isWord(0, QLatin1StringView("select")))
        return;
    const int n = t.size();
    int groupBy = -1;
    int groupEnd = n;
    int limit = -1;
    int depth = 0;
    for (int k = 0; k < n; ++k) {
        if (t[k].kind == Kind::LParen)
            ++depth;
        else if (t[k].kind == Kind::RParen)
            --depth;
        if (depth != 0 || t[k].kind != Kind::Name)
            continue;
        if (t.isWord(k, QLatin1StringView("union")) || t.isWord(k, QLatin1StringView("intersect")) ||
            t.isWord(k, QLatin1StringView("except")) ||
            (t.isWord(k, QLatin1StringView("order")) && t.isWord(k + 1, QLatin1StringView("by"))))
            return;
        if (t.isWord(k, QLatin1StringView("group")) && t.isWord(k + 1, QLatin1StringView("by"))) {
            groupBy = k + 2;
        } else if (groupBy >= 0 && groupEnd == n &&
                   (t.isWord(k, QLatin1StringView("having")) || t.isWord(k, QLatin1StringView("limit")))) {
            groupEnd = k;
        }
        if (t.isWord(k, QLatin1StringView("limit")))
            limit = k;
    }
    if (groupBy < 0 || groupBy >= groupEnd)
        return;
    const QString order = QStringLiteral(" ORDER BY ") + t.render(groupBy, groupEnd);
    if (limit < 0) {
        out += order;
    } else {
        // Rare: rebuild with the ordering before LIMIT.
        out = t.render(0, limit) + order + QLatin1Char(' ') + t.render(limit, n);
    }
}

// UPDATE A, B SET ... WHERE c -> per table: UPDATE A SET <A's columns> WHERE rowid IN
// (SELECT A.rowid FROM A, B WHERE c).
QStringList splitUpdate(const Tokens& t, const Writes& w, const SqlDialect::ColumnOwner& columnOwner) {
    if (w.assignments.empty())
        syntaxError(QStringLiteral("Syntax error in UPDATE statement"));
    QStringList tables;
    for (int k : w.updateTables)
        tables << t.unbracketed(k);
    std::vector<QStringList> sets(size_t(tables.size()));
    for (const auto& [first, end] : w.assignments) {
        if (!t.isKind(first, Kind::Name))
            syntaxError(QStringLiteral("Syntax error in UPDATE statement"));
        int owner = -1;
        const SqlTokens::Token& name = t[first];
        if (name.qualified) {
            // "[Exercise_Master].[Comments]" -> "Exercise_Master"
            QString qualifier = t.sourceText().mid(name.start, name.lastStart - name.start);
            qualifier.remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char('`'));
            qualifier.chop(1);
            const QString table = qualifier.mid(qualifier.lastIndexOf(QLatin1Char('.')) + 1);
            for (int i = 0; i < tables.size(); ++i)
                if (tables[i].compare(table, Qt::CaseInsensitive) == 0)
                    owner = i;
        } else if (columnOwner) {
            const QString found = columnOwner(tables, t.unbracketed(first));
            for (int i = 0; i < tables.size(); ++i)
                if (tables[i].compare(found, Qt::CaseInsensitive) == 0)
                    owner = i;
        }
        if (owner < 0)
            syntaxError(QStringLiteral("Unknown field name: '%1'").arg(t.unbracketed(first)));
        sets[size_t(owner)] << t.render(first, end);
    }
    const int n = t.size();
    const QString from = t.render(w.updateTables.front(), w.updateTables.back() + 1);
    const QString where = w.where < n ? QStringLiteral(" WHERE ") + t.render(w.where + 1, n) : QString();
    QStringList out;
    for (int i = 0; i < tables.size(); ++i) {
        if (sets[size_t(i)].isEmpty())
            continue;
        const int k = w.updateTables[size_t(i)];
        out << QStringLiteral("UPDATE %1 SET %2 WHERE rowid IN (SELECT %1.rowid FROM %3%4)")
                   .arg(t.render(k, k + 1), sets[size_t(i)].join(QStringLiteral(", ")), from, where);
    }
    return out;
}

} // namespace

namespace SqlDialect {

QStringList translate(const QString& statement, const ColumnOwner& owner, const QSet<QString>* dateColumns) {
    Tokens tokens(statement);
    const Writes writes = findWrites(tokens, dateColumns);
    rewriteWords(tokens, writes.noCompare);
    wrapWrittenDates(tokens, writes);
    wrapComparedDates(tokens, writes, dateColumns);
    if (writes.updateTables.size() > 1)
        return splitUpdate(tokens, writes, owner);
    QString out = tokens.render(0, tokens.size());
    appendGroupOrder(tokens, out);
    return {out};
}

} // namespace SqlDialect
