#include "SqlDialect.h"

#include "DbError.h"

#include <vector>

// The windows compose their statements in a small dialect: Format, Year, Month and Now, dates
// written as short date texts (12/5/2026, 05-Dec-2026, March 2004), UPDATE over two tables,
// Distinct(x), "= True". This file turns one such statement into SQLite text with the same
// meaning:
//  - Format(, Year(, Month( and the word Now call the functions of SqlFunctions;
//  - a date written into a date column, or compared with one, goes through tb_cdate, so dates
//    are stored and compared as ISO text whatever form the window wrote;
//  - UPDATE over two tables becomes one UPDATE per table;
//  - GROUP BY without ORDER BY returns its groups in ascending order;
//  - Distinct(x) names its column x; "= True" finds any non-zero flag.
// One tokenizer pass and a few linear passes over the tokens; text inside literals is never
// touched.

namespace {

enum class Kind { Name, String, Number, Op, LParen, RParen, Comma };

struct Token {
    Kind kind;
    int wsStart; // blanks before the token start here
    int start;   // the token's source text is [start, end)
    int end;
    int lastStart; // Name: the last dotted part, without brackets, is [lastStart, lastEnd)
    int lastEnd;
    bool plain;     // Name: one part, not bracketed: a keyword or function name can only be plain
    bool qualified; // Name: has dotted parts before the last
    bool wrapped = false;
    bool replaced = false;
    QString text;   // the replacement when `replaced`
    QString prefix; // written before the token
    QString suffix; // written after the token
};

bool isNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('[') || c == QLatin1Char('`');
}
bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}
bool isDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

const QString NoCase = QStringLiteral(" COLLATE NOCASE");

[[noreturn]] void syntaxError(const QString& what) {
    throw DbError(what);
}

class Translator {
  public:
    Translator(const QString& sql, const SqlDialect::ColumnOwner& owner, const QSet<QString>* dateColumns)
        : m_src(sql), m_owner(owner), m_dateColumns(dateColumns) {}

    QStringList run() {
        tokenize();
        if (m_tok.empty())
            syntaxError(QStringLiteral("The statement is empty"));
        matchParens();
        analyse();
        rewriteWords();
        wrapWrittenDates();
        wrapComparedDates();
        if (m_updateTables.size() > 1)
            return splitUpdate();
        QString out = render(0, int(m_tok.size()));
        appendGroupOrder(out);
        return {out};
    }

  private:
    // --- Tokens ---------------------------------------------------------------------------

    void tokenize() {
        const int n = int(m_src.size());
        m_tok.reserve(size_t(n / 4 + 8));
        int i = 0;
        while (i < n) {
            const int ws = i;
            while (i < n && m_src.at(i).isSpace())
                ++i;
            if (i == n)
                break;
            const QChar c = m_src.at(i);
            Token t{};
            t.wsStart = ws;
            t.start = i;
            if (c == QLatin1Char(';')) {
                for (int j = i + 1; j < n; ++j)
                    if (!m_src.at(j).isSpace())
                        syntaxError(QStringLiteral("Only one statement may be run at a time"));
                break;
            } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                i = literalEnd(i);
                t.kind = Kind::String;
                if (c == QLatin1Char('"')) {
                    // In the dialect "text" is a literal like 'text'; SQLite would read a name.
                    QString body = m_src.mid(t.start + 1, i - t.start - 2);
                    body.replace(QLatin1String("\"\""), QLatin1String("\""));
                    body.replace(QLatin1String("'"), QLatin1String("''"));
                    t.replaced = true;
                    t.text = QLatin1Char('\'') + body + QLatin1Char('\'');
                }
            } else if (isDigit(c) || (c == QLatin1Char('.') && i + 1 < n && isDigit(m_src.at(i + 1)))) {
                t.kind = Kind::Number;
                while (i < n && (isDigit(m_src.at(i)) || m_src.at(i) == QLatin1Char('.')))
                    ++i;
                if (i + 1 < n && (m_src.at(i) == QLatin1Char('e') || m_src.at(i) == QLatin1Char('E'))) {
                    int j = i + 1;
                    if (j < n && (m_src.at(j) == QLatin1Char('+') || m_src.at(j) == QLatin1Char('-')))
                        ++j;
                    if (j < n && isDigit(m_src.at(j))) {
                        while (j < n && isDigit(m_src.at(j)))
                            ++j;
                        i = j;
                    }
                }
            } else if (isNameStart(c)) {
                t.kind = Kind::Name;
                i = nameEnd(i, t);
            } else if (c == QLatin1Char('(')) {
                t.kind = Kind::LParen;
                ++i;
            } else if (c == QLatin1Char(')')) {
                t.kind = Kind::RParen;
                ++i;
            } else if (c == QLatin1Char(',')) {
                t.kind = Kind::Comma;
                ++i;
            } else {
                t.kind = Kind::Op;
                static const char* const pairs[] = {"<=", ">=", "<>", "!=", "==", "||", "<<", ">>"};
                bool two = false;
                if (i + 1 < n)
                    for (const char* p : pairs)
                        if (c == QLatin1Char(p[0]) && m_src.at(i + 1) == QLatin1Char(p[1]))
                            two = true;
                i += two ? 2 : 1;
                // "--" and "/*" start comments in SQLite but are two operators in the dialect;
                // a blank keeps them operators, so nothing after them can be commented out.
                if (!m_tok.empty() && ws == t.start && m_tok.back().kind == Kind::Op) {
                    const QChar prev = m_src.at(m_tok.back().end - 1);
                    if ((prev == QLatin1Char('-') && c == QLatin1Char('-')) ||
                        (prev == QLatin1Char('/') && c == QLatin1Char('*')))
                        t.prefix = QStringLiteral(" ");
                }
            }
            t.end = i;
            m_tok.push_back(std::move(t));
        }
    }

    // End of the literal starting at `i` (its quote doubled inside is part of it).
    int literalEnd(int i) const {
        const QChar q = m_src.at(i);
        const int n = int(m_src.size());
        for (int j = i + 1; j < n; ++j) {
            if (m_src.at(j) == q) {
                if (j + 1 < n && m_src.at(j + 1) == q) {
                    ++j;
                    continue;
                }
                return j + 1;
            }
        }
        syntaxError(QStringLiteral("Syntax error: a text literal is not closed"));
    }

    // Reads a possibly dotted, possibly bracketed name: Exercise_Date, [Exercise_Date],
    // Running_Shoes.Shoe, [Bikes].[Bike].
    int nameEnd(int i, Token& t) const {
        const int n = int(m_src.size());
        int parts = 0;
        bool lastBracketed = false;
        for (;;) {
            const QChar c = m_src.at(i);
            ++parts;
            if (c == QLatin1Char('[') || c == QLatin1Char('`')) {
                const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('`');
                const int j = int(m_src.indexOf(close, i + 1));
                if (j < 0)
                    syntaxError(QStringLiteral("Syntax error: a bracketed name is not closed"));
                t.lastStart = i + 1;
                t.lastEnd = j;
                i = j + 1;
                lastBracketed = true;
            } else {
                t.lastStart = i;
                while (i < n && isNameChar(m_src.at(i)))
                    ++i;
                t.lastEnd = i;
                lastBracketed = false;
            }
            if (i + 1 < n && m_src.at(i) == QLatin1Char('.') && isNameStart(m_src.at(i + 1)))
                ++i;
            else
                break;
        }
        t.qualified = parts > 1;
        t.plain = parts == 1 && !lastBracketed;
        return i;
    }

    void matchParens() {
        m_match.assign(m_tok.size(), -1);
        std::vector<int> open;
        for (int k = 0; k < int(m_tok.size()); ++k) {
            if (m_tok[k].kind == Kind::LParen) {
                open.push_back(k);
            } else if (m_tok[k].kind == Kind::RParen && !open.empty()) {
                m_match[k] = open.back();
                m_match[open.back()] = k;
                open.pop_back();
            }
        }
        // Unbalanced parentheses are left for the engine to report.
    }

    QStringView source(int k) const {
        return QStringView(m_src).mid(m_tok[k].start, m_tok[k].end - m_tok[k].start);
    }
    QStringView lastPart(int k) const {
        return QStringView(m_src).mid(m_tok[k].lastStart, m_tok[k].lastEnd - m_tok[k].lastStart);
    }
    bool isWord(int k, QLatin1StringView word) const {
        return k >= 0 && k < int(m_tok.size()) && m_tok[k].kind == Kind::Name && m_tok[k].plain &&
               source(k).compare(word, Qt::CaseInsensitive) == 0;
    }
    bool isKind(int k, Kind kind) const { return k >= 0 && k < int(m_tok.size()) && m_tok[k].kind == kind; }
    bool isOp(int k, QLatin1StringView op) const { return isKind(k, Kind::Op) && source(k) == op; }
    bool isComparison(int k) const {
        if (!isKind(k, Kind::Op))
            return false;
        const QStringView s = source(k);
        return s == u"=" || s == u"<>" || s == u"<" || s == u"<=" || s == u">" || s == u">=" || s == u"!=" ||
               s == u"==";
    }
    bool isDateColumn(int k) const {
        if (!isKind(k, Kind::Name))
            return false;
        return m_dateColumns && m_dateColumns->contains(lastPart(k).toString().toLower());
    }
    // Words that may stand before "(" without being a function name.
    bool isKeyword(int k) const {
        static const char* const words[] = {"and",      "or",     "not",    "in",      "exists", "where",
                                            "on",       "having", "select", "between", "values", "when",
                                            "then",     "else",   "as",     "by",      "union",  "all",
                                            "distinct", "from",   "is",     "like",    "set",    "case"};
        for (const char* w : words)
            if (isWord(k, QLatin1StringView(w)))
                return true;
        return false;
    }
    bool isCall(int k) const {
        return isKind(k, Kind::Name) && m_tok[k].plain && isKind(k + 1, Kind::LParen) && !isKeyword(k);
    }

    // Next token at the same parenthesis depth as `k` whose kind passes `stop`, or `limit`.
    template <typename Stop> int nextAtDepth(int k, int limit, Stop stop) const {
        while (k < limit) {
            if (stop(k))
                return k;
            if (m_tok[k].kind == Kind::LParen && m_match[k] > k)
                k = m_match[k] + 1;
            else
                ++k;
        }
        return limit;
    }

    // --- Statement structure ----------------------------------------------------------------

    // Finds the parts of INSERT ... VALUES and UPDATE ... SET that hold written values.
    void analyse() {
        m_noCompare.assign(m_tok.size(), false);
        const int n = int(m_tok.size());
        if (isWord(0, QLatin1StringView("insert")) && isWord(1, QLatin1StringView("into")) &&
            isKind(2, Kind::Name) && isKind(3, Kind::LParen) && m_match[3] > 3) {
            std::vector<bool> dateColumns;
            for (int k = 4; k < m_match[3]; ++k)
                if (m_tok[k].kind == Kind::Name)
                    dateColumns.push_back(isDateColumn(k));
            int k = m_match[3] + 1;
            if (!isWord(k, QLatin1StringView("values")))
                return;
            for (++k; isKind(k, Kind::LParen) && m_match[k] > k;) {
                const int close = m_match[k];
                for (int j = k; j <= close; ++j)
                    m_noCompare[j] = true;
                size_t column = 0;
                for (int item = k + 1; item < close; ++column) {
                    const int end =
                        nextAtDepth(item, close, [this](int j) { return m_tok[j].kind == Kind::Comma; });
                    if (column < dateColumns.size() && dateColumns[column] && end > item)
                        m_writtenDates.push_back({item, end - 1});
                    item = end + 1;
                }
                k = close + 1;
                if (!isKind(k, Kind::Comma))
                    break;
                ++k; // several rows: VALUES (...), (...)
            }
            return;
        }
        if (!isWord(0, QLatin1StringView("update")))
            return;
        int k = 1;
        for (;;) {
            if (!isKind(k, Kind::Name) || isWord(k, QLatin1StringView("set"))) {
                m_updateTables.clear();
                return;
            }
            m_updateTables.push_back(k);
            if (!isKind(k + 1, Kind::Comma))
                break;
            k += 2;
        }
        if (!isWord(k + 1, QLatin1StringView("set"))) {
            m_updateTables.clear();
            return;
        }
        m_set = k + 2;
        m_where = nextAtDepth(m_set, n, [this](int j) { return isWord(j, QLatin1StringView("where")); });
        for (int j = m_set - 1; j < m_where; ++j)
            m_noCompare[j] = true;
        for (int item = m_set; item < m_where;) {
            const int end =
                nextAtDepth(item, m_where, [this](int j) { return m_tok[j].kind == Kind::Comma; });
            if (isKind(item, Kind::Name) && isOp(item + 1, QLatin1StringView("="))) {
                if (m_tok[item].qualified) {
                    // SQLite names only the column on the left of "=".
                    m_tok[item].replaced = true;
                    m_tok[item].text =
                        m_src.mid(m_tok[item].lastStart, m_tok[item].lastEnd - m_tok[item].lastStart);
                    if (m_tok[item].lastEnd < m_src.size() &&
                        m_src.at(m_tok[item].lastEnd) == QLatin1Char(']'))
                        m_tok[item].text = QLatin1Char('[') + m_tok[item].text + QLatin1Char(']');
                }
                if (isDateColumn(item) && end > item + 2)
                    m_writtenDates.push_back({item + 2, end - 1});
            }
            m_assignments.push_back({item, end});
            item = end + 1;
        }
    }

    // --- Rewrites -----------------------------------------------------------------------------

    void replace(int k, const QString& text) {
        m_tok[k].replaced = true;
        m_tok[k].text = text;
    }

    void rewriteWords() {
        const int n = int(m_tok.size());
        for (int k = 0; k < n; ++k) {
            const Token& t = m_tok[k];
            if (t.kind != Kind::Name || !t.plain || (k > 0 && isWord(k - 1, QLatin1StringView("as"))))
                continue;
            const QStringView word = source(k);
            const bool call = isKind(k + 1, Kind::LParen);
            if (call && word.compare(u"Format", Qt::CaseInsensitive) == 0) {
                replace(k, QStringLiteral("tb_format"));
                // Texts compare without regard to case in the dialect. Only where Format is
                // compared: grouping and sorting by its text stay cheap binary comparisons.
                const int close = m_match[k + 1];
                if (close > 0 && (isComparison(k - 1) || isComparison(close + 1)))
                    m_tok[close].suffix = NoCase;
            } else if (call && word.compare(u"Year", Qt::CaseInsensitive) == 0) {
                replace(k, QStringLiteral("tb_year"));
            } else if (call && word.compare(u"Month", Qt::CaseInsensitive) == 0) {
                replace(k, QStringLiteral("tb_month"));
            } else if (word.compare(u"Now", Qt::CaseInsensitive) == 0) {
                replace(k, call ? QStringLiteral("tb_now") : QStringLiteral("tb_now()"));
            } else if (call && word.compare(u"Distinct", Qt::CaseInsensitive) == 0) {
                // Distinct(Course) -> DISTINCT Course, so the column is named Course.
                const int open = k + 1;
                if (m_match[open] == open + 2 && isKind(open + 1, Kind::Name)) {
                    replace(open, QStringLiteral(" "));
                    replace(open + 2, QString());
                }
            } else if (word.compare(u"True", Qt::CaseInsensitive) == 0 && !m_noCompare[k] && k > 0) {
                // A flag is true when it is not zero, whatever number wrote it.
                const QStringView op = isKind(k - 1, Kind::Op) ? source(k - 1) : QStringView();
                if (op == u"=" || op == u"==") {
                    replace(k - 1, QStringLiteral("<>"));
                    replace(k, QStringLiteral("0"));
                } else if (op == u"<>" || op == u"!=") {
                    replace(k - 1, QStringLiteral("="));
                    replace(k, QStringLiteral("0"));
                }
            }
        }
    }

    void wrap(int first, int last) {
        if (first < 0 || last < first || m_tok[first].wrapped)
            return;
        m_tok[first].wrapped = true;
        // A COLLATE inside the argument would carry over to the comparison and keep SQLite
        // from using the index on the date column; dates need no case rule.
        for (int k = first; k <= last; ++k)
            if (m_tok[k].suffix == NoCase)
                m_tok[k].suffix.clear();
        m_tok[first].prefix = QStringLiteral("tb_cdate(") + m_tok[first].prefix;
        m_tok[last].suffix += QLatin1Char(')');
    }

    void wrapWrittenDates() {
        for (const auto& [first, last] : m_writtenDates)
            wrap(first, last);
    }

    // Last token of the operand that starts at `k`, when it is a value to convert (a literal,
    // a call or a parenthesised expression); -1 for a column, Now or anything else.
    int operandForward(int k) const {
        if ((isOp(k, QLatin1StringView("-")) || isOp(k, QLatin1StringView("+"))) &&
            (isKind(k + 1, Kind::Number) || isKind(k + 1, Kind::String)))
            return k + 1;
        if (isKind(k, Kind::String) || isKind(k, Kind::Number))
            return k;
        if (isKind(k, Kind::LParen))
            return m_match[k];
        if (isCall(k) && !isWord(k, QLatin1StringView("now")))
            return m_match[k + 1];
        return -1;
    }

    // First token of the operand that ends at `k`; -1 when it is not a value to convert.
    int operandBackward(int k) const {
        if (isKind(k, Kind::String) || isKind(k, Kind::Number))
            return k;
        if (!isKind(k, Kind::RParen) || m_match[k] < 0)
            return -1;
        const int open = m_match[k];
        if (isCall(open - 1))
            return isWord(open - 1, QLatin1StringView("now")) ? -1 : open - 1;
        return open;
    }

    // A date column compared with a date text or month text compares as dates.
    void wrapComparedDates() {
        const int n = int(m_tok.size());
        for (int k = 0; k < n; ++k) {
            if (m_noCompare[k] || !isDateColumn(k))
                continue;
            if (isComparison(k + 1)) {
                wrap(k + 2, operandForward(k + 2));
            } else if (isWord(k + 1, QLatin1StringView("between")) ||
                       (isWord(k + 1, QLatin1StringView("not")) &&
                        isWord(k + 2, QLatin1StringView("between")))) {
                const int low = isWord(k + 1, QLatin1StringView("not")) ? k + 3 : k + 2;
                const int lowEnd = operandForward(low);
                wrap(low, lowEnd);
                if (lowEnd > 0 && isWord(lowEnd + 1, QLatin1StringView("and")))
                    wrap(lowEnd + 2, operandForward(lowEnd + 2));
            }
            if (k >= 2 && isComparison(k - 1))
                wrap(operandBackward(k - 2), k - 2);
        }
    }

    // --- Output ------------------------------------------------------------------------------

    // Text of tokens [first, last), without the blanks before the first.
    QString render(int first, int last) const {
        QString out;
        if (first >= last)
            return out;
        out.reserve(m_tok[last - 1].end - m_tok[first].start + 32);
        for (int k = first; k < last; ++k) {
            const Token& t = m_tok[k];
            if (k > first)
                out += QStringView(m_src).mid(t.wsStart, t.start - t.wsStart);
            out += t.prefix;
            if (t.replaced)
                out += t.text;
            else
                out += QStringView(m_src).mid(t.start, t.end - t.start);
            out += t.suffix;
        }
        return out;
    }

    // GROUP BY without ORDER BY: the groups come in ascending order of the grouping
    // expressions, which is the order the charts draw them in. Only for a single SELECT: in a
    // UNION an ORDER BY must name result columns.
    void appendGroupOrder(QString& out) const {
        if (!isWord(0, QLatin1StringView("select")))
            return;
        const int n = int(m_tok.size());
        int groupBy = -1;
        int groupEnd = n;
        int limit = -1;
        int depth = 0;
        for (int k = 0; k < n; ++k) {
            if (m_tok[k].kind == Kind::LParen)
                ++depth;
            else if (m_tok[k].kind == Kind::RParen)
                --depth;
            if (depth != 0 || m_tok[k].kind != Kind::Name)
                continue;
            if (isWord(k, QLatin1StringView("union")) || isWord(k, QLatin1StringView("intersect")) ||
                isWord(k, QLatin1StringView("except")) ||
                (isWord(k, QLatin1StringView("order")) && isWord(k + 1, QLatin1StringView("by"))))
                return;
            if (isWord(k, QLatin1StringView("group")) && isWord(k + 1, QLatin1StringView("by"))) {
                groupBy = k + 2;
            } else if (groupBy >= 0 && groupEnd == n &&
                       (isWord(k, QLatin1StringView("having")) || isWord(k, QLatin1StringView("limit")))) {
                groupEnd = k;
            }
            if (isWord(k, QLatin1StringView("limit")))
                limit = k;
        }
        if (groupBy < 0 || groupBy >= groupEnd)
            return;
        const QString order = QStringLiteral(" ORDER BY ") + render(groupBy, groupEnd);
        if (limit < 0) {
            out += order;
        } else {
            // Rare: rebuild with the ordering before LIMIT.
            out = render(0, limit) + order + QLatin1Char(' ') + render(limit, n);
        }
    }

    QString unbracketed(int k) const {
        return m_src.mid(m_tok[k].lastStart, m_tok[k].lastEnd - m_tok[k].lastStart);
    }

    // UPDATE A, B SET ... WHERE c -> per table: UPDATE A SET <A's columns> WHERE rowid IN
    // (SELECT A.rowid FROM A, B WHERE c).
    QStringList splitUpdate() const {
        if (m_assignments.empty())
            syntaxError(QStringLiteral("Syntax error in UPDATE statement"));
        QStringList tables;
        for (int k : m_updateTables)
            tables << unbracketed(k);
        std::vector<QStringList> sets(tables.size());
        for (const auto& [first, end] : m_assignments) {
            if (!isKind(first, Kind::Name))
                syntaxError(QStringLiteral("Syntax error in UPDATE statement"));
            int owner = -1;
            const Token& t = m_tok[first];
            if (t.qualified) {
                // "[Exercise_Master].[Comments]" -> "Exercise_Master"
                QString qualifier = m_src.mid(t.start, t.lastStart - t.start);
                qualifier.remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char('`'));
                qualifier.chop(1);
                const QString table = qualifier.mid(qualifier.lastIndexOf(QLatin1Char('.')) + 1);
                for (int i = 0; i < tables.size(); ++i)
                    if (tables[i].compare(table, Qt::CaseInsensitive) == 0)
                        owner = i;
            } else if (m_owner) {
                const QString found = m_owner(tables, unbracketed(first));
                for (int i = 0; i < tables.size(); ++i)
                    if (tables[i].compare(found, Qt::CaseInsensitive) == 0)
                        owner = i;
            }
            if (owner < 0)
                syntaxError(QStringLiteral("Unknown field name: '%1'").arg(unbracketed(first)));
            sets[size_t(owner)] << render(first, end);
        }
        const int n = int(m_tok.size());
        const QString from = render(m_updateTables.front(), m_updateTables.back() + 1);
        const QString where = m_where < n ? QStringLiteral(" WHERE ") + render(m_where + 1, n) : QString();
        QStringList out;
        for (int i = 0; i < tables.size(); ++i) {
            if (sets[size_t(i)].isEmpty())
                continue;
            const QString table = render(m_updateTables[size_t(i)], m_updateTables[size_t(i)] + 1);
            out << QStringLiteral("UPDATE %1 SET %2 WHERE rowid IN (SELECT %1.rowid FROM %3%4)")
                       .arg(table, sets[size_t(i)].join(QStringLiteral(", ")), from, where);
        }
        return out;
    }

    const QString& m_src;
    const SqlDialect::ColumnOwner& m_owner;
    const QSet<QString>* m_dateColumns;
    std::vector<Token> m_tok;
    std::vector<int> m_match;
    std::vector<bool> m_noCompare;                   // tokens of SET lists and VALUES rows
    std::vector<std::pair<int, int>> m_writtenDates; // values written into date columns
    std::vector<int> m_updateTables;
    std::vector<std::pair<int, int>> m_assignments; // [first, end) of each SET item
    int m_set = 0;
    int m_where = 0;
};

} // namespace

namespace SqlDialect {

QStringList translate(const QString& statement, const ColumnOwner& owner, const QSet<QString>* dateColumns) {
    return Translator(statement, owner, dateColumns).run();
}

} // namespace SqlDialect
