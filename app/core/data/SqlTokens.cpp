#include "SqlTokens.h"

#include "DbError.h"

namespace SqlTokens {

namespace {

bool isNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('[') || c == QLatin1Char('`');
}
bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}
bool isDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

[[noreturn]] void syntaxError(const QString& what) {
    throw DbError(what);
}

} // namespace

Tokens::Tokens(const QString& source) : m_src(source) {
    tokenize();
    if (m_tok.empty())
        syntaxError(QStringLiteral("The statement is empty"));
    matchParens();
}

void Tokens::tokenize() {
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
int Tokens::literalEnd(int i) const {
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
int Tokens::nameEnd(int i, Token& t) const {
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

void Tokens::matchParens() {
    m_match.assign(m_tok.size(), -1);
    std::vector<int> open;
    for (int k = 0; k < size(); ++k) {
        if (m_tok[size_t(k)].kind == Kind::LParen) {
            open.push_back(k);
        } else if (m_tok[size_t(k)].kind == Kind::RParen && !open.empty()) {
            m_match[size_t(k)] = open.back();
            m_match[size_t(open.back())] = k;
            open.pop_back();
        }
    }
    // Unbalanced parentheses are left for the engine to report.
}

QStringView Tokens::source(int k) const {
    const Token& t = m_tok[size_t(k)];
    return QStringView(m_src).mid(t.start, t.end - t.start);
}

QStringView Tokens::lastPart(int k) const {
    const Token& t = m_tok[size_t(k)];
    return QStringView(m_src).mid(t.lastStart, t.lastEnd - t.lastStart);
}

bool Tokens::isWord(int k, QLatin1StringView word) const {
    return isKind(k, Kind::Name) && m_tok[size_t(k)].plain &&
           source(k).compare(word, Qt::CaseInsensitive) == 0;
}

bool Tokens::isComparison(int k) const {
    if (!isKind(k, Kind::Op))
        return false;
    const QStringView s = source(k);
    return s == u"=" || s == u"<>" || s == u"<" || s == u"<=" || s == u">" || s == u">=" || s == u"!=" ||
           s == u"==";
}

bool Tokens::isKeyword(int k) const {
    static const char* const words[] = {"and",      "or",     "not",    "in",      "exists", "where",
                                        "on",       "having", "select", "between", "values", "when",
                                        "then",     "else",   "as",     "by",      "union",  "all",
                                        "distinct", "from",   "is",     "like",    "set",    "case"};
    for (const char* w : words)
        if (isWord(k, QLatin1StringView(w)))
            return true;
    return false;
}

bool Tokens::isCall(int k) const {
    return isKind(k, Kind::Name) && m_tok[size_t(k)].plain && isKind(k + 1, Kind::LParen) && !isKeyword(k);
}

void Tokens::replace(int k, const QString& text) {
    m_tok[size_t(k)].replaced = true;
    m_tok[size_t(k)].text = text;
}

QString Tokens::render(int first, int last) const {
    QString out;
    if (first >= last)
        return out;
    out.reserve(m_tok[size_t(last - 1)].end - m_tok[size_t(first)].start + 32);
    for (int k = first; k < last; ++k) {
        const Token& t = m_tok[size_t(k)];
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

} // namespace SqlTokens
