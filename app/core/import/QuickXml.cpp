#include "QuickXml.h"

#include <cstring>

namespace {

// The first `c` from `from` to `end`, or null (also for no text at all).
const char* find(const char* from, const char* end, char c) {
    return from < end ? static_cast<const char*>(std::memchr(from, c, size_t(end - from))) : nullptr;
}

bool isSpace(char c) {
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

bool isNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ':';
}

// Characters XML allows in a document.
bool isXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Strict UTF-8 (no overlong forms, no surrogates) of characters XML allows.
bool isXmlText(QByteArrayView data) {
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    const auto* end = p + data.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
                return false;
            ++p;
            continue;
        }
        int more = 0;
        char32_t cp = 0, least = 0;
        if ((c & 0xE0) == 0xC0)
            more = 1, cp = c & 0x1F, least = 0x80;
        else if ((c & 0xF0) == 0xE0)
            more = 2, cp = c & 0x0F, least = 0x800;
        else if ((c & 0xF8) == 0xF0)
            more = 3, cp = c & 0x07, least = 0x10000;
        else
            return false;
        if (end - p <= more)
            return false;
        for (int i = 1; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if (cp < least || !isXmlChar(cp))
            return false;
        p += more + 1;
    }
    return true;
}

void appendUtf8(QByteArray& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The reference at `p` (after its '&', up to and without its ';') as the character it stands
// for; 0 for one this reader does not know.
char32_t reference(QByteArrayView ref) {
    static const struct {
        const char* name;
        char value;
    } named[] = {{"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& n : named)
        if (ref == n.name)
            return char32_t(n.value);
    if (ref.size() < 2 || ref[0] != '#' || ref.size() > 10)
        return 0;
    const bool hex = ref[1] == 'x';
    if (ref.size() < (hex ? 3 : 2))
        return 0;
    char32_t c = 0;
    for (qsizetype i = hex ? 2 : 1; i < ref.size(); ++i) {
        const char d = ref[i];
        int v;
        if (d >= '0' && d <= '9')
            v = d - '0';
        else if (hex && d >= 'a' && d <= 'f')
            v = d - 'a' + 10;
        else if (hex && d >= 'A' && d <= 'F')
            v = d - 'A' + 10;
        else
            return 0;
        c = c * (hex ? 16 : 10) + char32_t(v);
        if (c > 0x10FFFF)
            return 0;
    }
    return isXmlChar(c) ? c : 0;
}

QByteArrayView localName(QByteArrayView qualified) {
    const qsizetype colon = qualified.indexOf(':');
    return colon < 0 ? qualified : qualified.sliced(colon + 1);
}

QByteArrayView prefixOf(QByteArrayView qualified) {
    const qsizetype colon = qualified.indexOf(':');
    return colon < 0 ? QByteArrayView() : qualified.first(colon);
}

// The pseudo-attributes of an XML declaration this reader takes: version 1.0, UTF-8 if an
// encoding is named, and a standalone yes or no, in that order.
bool plainDeclaration(QByteArrayView inner) {
    static const char* const names[] = {"version", "encoding", "standalone"};
    int next = 0;
    qsizetype i = 0;
    bool sawVersion = false;
    while (true) {
        const qsizetype start = i;
        while (i < inner.size() && isSpace(inner[i]))
            ++i;
        if (i == inner.size())
            return sawVersion;
        if (i == start)
            return false;
        qsizetype nameEnd = i;
        while (nameEnd < inner.size() && isNameChar(inner[nameEnd]))
            ++nameEnd;
        const QByteArrayView name = inner.sliced(i, nameEnd - i);
        i = nameEnd;
        while (i < inner.size() && isSpace(inner[i]))
            ++i;
        if (i == inner.size() || inner[i] != '=')
            return false;
        ++i;
        while (i < inner.size() && isSpace(inner[i]))
            ++i;
        if (i == inner.size() || (inner[i] != '"' && inner[i] != '\''))
            return false;
        const char quote = inner[i++];
        const qsizetype close = inner.indexOf(quote, i);
        if (close < 0)
            return false;
        const QByteArrayView value = inner.sliced(i, close - i);
        i = close + 1;
        while (next < 3 && name != names[next])
            ++next;
        if (next == 3)
            return false;
        if (next == 0 && value != "1.0")
            return false;
        if (next == 1 && value.toByteArray().toLower() != "utf-8")
            return false;
        if (next == 2 && value != "yes" && value != "no")
            return false;
        if (next == 0)
            sawVersion = true;
        else if (!sawVersion)
            return false;
        ++next;
    }
}

} // namespace

QuickXml::QuickXml(QByteArrayView data) : m_p(data.data()), m_end(data.data() + data.size()) {
    if (!isXmlText(data)) {
        fail();
        return;
    }
    if (data.startsWith("\xEF\xBB\xBF"))
        m_p += 3;
    if (QByteArrayView(m_p, m_end).startsWith("<?xml")) {
        const QByteArrayView rest(m_p + 5, m_end);
        const qsizetype close = rest.indexOf("?>");
        if (close < 0 || !plainDeclaration(rest.first(close))) {
            fail();
            return;
        }
        m_p = rest.data() + close + 2;
    }
}

QuickXml::Token QuickXml::fail() {
    m_unsupported = true;
    m_finished = true;
    return Finished;
}

// Checks the text up to the next '<' and moves past it, gathering it when readElementText
// asks for it.
bool QuickXml::skipText() {
    const char* lt = find(m_p, m_end, '<');
    const char* stop = lt ? lt : m_end;
    const QByteArrayView run(m_p, stop);
    m_p = stop;
    if (run.isEmpty())
        return true;
    if (m_open.empty()) {
        for (char c : run)
            if (!isSpace(c))
                return false;
        return true;
    }
    if (m_collect && (m_collectChildren || m_open.size() == m_collectDepth))
        return appendText(run);
    if (run.contains("]]>"))
        return false;
    for (qsizetype amp = run.indexOf('&'); amp >= 0; amp = run.indexOf('&', amp + 1)) {
        const qsizetype semi = run.indexOf(';', amp);
        if (semi < 0 || reference(run.sliced(amp + 1, semi - amp - 1)) == 0)
            return false;
    }
    return true;
}

// Text with its references replaced and its line ends made '\n', as XML reads them.
bool QuickXml::appendText(QByteArrayView run) {
    if (run.contains("]]>"))
        return false;
    for (qsizetype i = 0; i < run.size(); ++i) {
        const char c = run[i];
        if (c == '&') {
            const qsizetype semi = run.indexOf(';', i);
            const char32_t ch = semi < 0 ? 0 : reference(run.sliced(i + 1, semi - i - 1));
            if (ch == 0)
                return false;
            appendUtf8(m_text, ch);
            i = semi;
        } else if (c == '\r') {
            if (i + 1 < run.size() && run[i + 1] == '\n')
                continue;
            m_text += '\n';
        } else {
            m_text += c;
        }
    }
    return true;
}

bool QuickXml::readName(QByteArrayView& name) {
    const char* start = m_p;
    if (m_p == m_end || !isNameStart(*m_p))
        return false;
    int colons = 0;
    while (m_p < m_end && isNameChar(*m_p))
        colons += *m_p++ == ':';
    name = QByteArrayView(start, m_p);
    return colons == 0 || (colons == 1 && name.back() != ':');
}

bool QuickXml::declared(QByteArrayView qualified) const {
    const QByteArrayView prefix = prefixOf(qualified);
    if (prefix.isEmpty() || prefix == "xml")
        return true;
    for (const QByteArrayView& p : m_prefixes)
        if (p == prefix)
            return true;
    return false;
}

// After the '<' of a start tag: its name and attributes, to and past its '>' or "/>".
bool QuickXml::readStartTag() {
    QByteArrayView name;
    if (!readName(name))
        return false;
    m_attributes.clear();
    m_prefixCount.push_back(m_prefixes.size());
    m_open.push_back(name);
    bool empty = false;
    while (true) {
        const char* before = m_p;
        while (m_p < m_end && isSpace(*m_p))
            ++m_p;
        if (m_p == m_end)
            return false;
        if (*m_p == '>') {
            ++m_p;
            break;
        }
        if (*m_p == '/') {
            if (m_p + 1 == m_end || m_p[1] != '>')
                return false;
            m_p += 2;
            empty = true;
            break;
        }
        if (m_p == before)
            return false;
        Attribute a;
        if (!readName(a.name))
            return false;
        while (m_p < m_end && isSpace(*m_p))
            ++m_p;
        if (m_p == m_end || *m_p != '=')
            return false;
        ++m_p;
        while (m_p < m_end && isSpace(*m_p))
            ++m_p;
        if (m_p == m_end || (*m_p != '"' && *m_p != '\''))
            return false;
        const char quote = *m_p++;
        const char* close = find(m_p, m_end, quote);
        if (!close)
            return false;
        a.value = QByteArrayView(m_p, close);
        m_p = close + 1;
        // Values with references or line breaks (which XML turns into blanks) are left to the
        // general reader.
        for (char c : a.value)
            if (c == '<' || c == '&' || c == '\n' || c == '\t' || c == '\r')
                return false;
        // Two attributes of one local name may be one attribute under two prefixes.
        for (const Attribute& other : m_attributes)
            if (localName(other.name) == localName(a.name))
                return false;
        if (a.name.startsWith("xmlns:")) {
            if (a.value.isEmpty())
                return false;
            m_prefixes.push_back(a.name.sliced(6));
        }
        m_attributes.push_back(a);
    }
    if (!declared(name) || prefixOf(name) == "xmlns")
        return false;
    for (const Attribute& a : m_attributes)
        if (prefixOf(a.name) != "xmlns" && !declared(a.name))
            return false;
    m_name = localName(name);
    m_pendingEnd = empty;
    return true;
}

QuickXml::Token QuickXml::readNext() {
    if (m_finished)
        return Finished;
    if (m_pendingEnd) {
        m_pendingEnd = false;
        m_open.pop_back();
        m_prefixes.resize(m_prefixCount.back());
        m_prefixCount.pop_back();
        m_rootClosed = m_open.empty();
        return EndElement;
    }
    while (true) {
        if (!skipText())
            return fail();
        if (m_p == m_end) {
            if (!m_rootClosed || !m_open.empty())
                return fail();
            m_finished = true;
            return Finished;
        }
        const QByteArrayView rest(m_p, m_end);
        if (rest.startsWith("<!--")) {
            const qsizetype dashes = rest.indexOf("--", 4);
            if (dashes < 0 || dashes + 2 >= rest.size() || rest[dashes + 2] != '>')
                return fail();
            m_p += dashes + 3;
            continue;
        }
        if (rest.size() < 2 || rest[1] == '!' || rest[1] == '?')
            return fail();
        if (rest[1] == '/') {
            m_p += 2;
            QByteArrayView name;
            if (!readName(name))
                return fail();
            while (m_p < m_end && isSpace(*m_p))
                ++m_p;
            if (m_p == m_end || *m_p != '>' || m_open.empty() || m_open.back() != name)
                return fail();
            ++m_p;
            m_name = localName(name);
            m_open.pop_back();
            m_prefixes.resize(m_prefixCount.back());
            m_prefixCount.pop_back();
            m_rootClosed = m_open.empty();
            return EndElement;
        }
        if (m_rootClosed)
            return fail();
        ++m_p;
        if (!readStartTag())
            return fail();
        return StartElement;
    }
}

bool QuickXml::isName(const char* name) const {
    return m_name == name;
}

QByteArrayView QuickXml::attribute(const char* name) const {
    for (const Attribute& a : m_attributes)
        if (a.name == name)
            return a.value;
    return {};
}

QByteArrayView QuickXml::readElementText(bool children) {
    m_text.resize(0); // keeps its capacity for the next element
    if (m_finished)
        return {};
    if (m_pendingEnd) {
        readNext();
        return {};
    }
    // Most often: plain text, then this element's end.
    const char* lt = find(m_p, m_end, '<');
    if (lt && lt + 1 < m_end && lt[1] == '/') {
        const QByteArrayView run(m_p, lt);
        if (!run.contains('&') && !run.contains('\r') && !run.contains("]]>")) {
            m_p = lt;
            return readNext() == EndElement ? run : QByteArrayView();
        }
    }
    m_collect = true;
    m_collectDepth = m_open.size();
    m_collectChildren = children;
    Token t;
    do {
        t = readNext();
    } while (t != Finished && !(t == EndElement && m_open.size() + 1 == m_collectDepth));
    m_collect = false;
    return t == Finished ? QByteArrayView() : QByteArrayView(m_text);
}
