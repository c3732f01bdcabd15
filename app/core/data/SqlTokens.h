#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// The tokens of one statement in the program's SQL dialect, and what the rewrites of
// SqlDialect.cpp need to read and change them: names, literals, numbers, operators and
// parentheses with their source positions, the matching parenthesis of each, and text written
// around or instead of a token. Text inside literals is never looked into.
namespace SqlTokens {

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

class Tokens {
  public:
    // Reads `source`, which must outlive this object. Throws DbError for a second statement
    // after ";", an unclosed literal or bracketed name, and for an empty statement.
    explicit Tokens(const QString& source);

    int size() const { return int(m_tok.size()); }
    Token& operator[](int k) { return m_tok[size_t(k)]; }
    const Token& operator[](int k) const { return m_tok[size_t(k)]; }
    // The index of the parenthesis matching the one at `k`; -1 when unbalanced or no parenthesis.
    int match(int k) const { return m_match[size_t(k)]; }
    const QString& sourceText() const { return m_src; }

    QStringView source(int k) const;
    // A name's last dotted part, without brackets.
    QStringView lastPart(int k) const;
    QString unbracketed(int k) const { return lastPart(k).toString(); }

    bool isKind(int k, Kind kind) const { return k >= 0 && k < size() && m_tok[size_t(k)].kind == kind; }
    // A plain name spelled `word`, without regard to case.
    bool isWord(int k, QLatin1StringView word) const;
    bool isOp(int k, QLatin1StringView op) const { return isKind(k, Kind::Op) && source(k) == op; }
    bool isComparison(int k) const;
    // Words that may stand before "(" without being a function name.
    bool isKeyword(int k) const;
    // A function name followed by its "(".
    bool isCall(int k) const;

    // Next token from `k` on, at the same parenthesis depth, for which `stop` holds; `limit`
    // when there is none before it.
    template <typename Stop> int nextAtDepth(int k, int limit, Stop stop) const {
        while (k < limit) {
            if (stop(k))
                return k;
            if (m_tok[size_t(k)].kind == Kind::LParen && m_match[size_t(k)] > k)
                k = m_match[size_t(k)] + 1;
            else
                ++k;
        }
        return limit;
    }

    // Writes `text` instead of token `k`.
    void replace(int k, const QString& text);
    // Text of tokens [first, last) with their rewrites, without the blanks before the first.
    QString render(int first, int last) const;

  private:
    void tokenize();
    int literalEnd(int i) const;
    int nameEnd(int i, Token& t) const;
    void matchParens();

    const QString& m_src;
    std::vector<Token> m_tok;
    std::vector<int> m_match;
};

} // namespace SqlTokens
