#include "ReportLines.h"

#include <algorithm>

ReportLines::ReportLines(const QStringList& lines) {
    m_ends.reserve(lines.size());
    m_records.reserve(lines.size());
    for (const QString& line : lines)
        append(QStringView(line));
}

ReportLines::ReportLines(std::initializer_list<QString> lines) {
    m_ends.reserve(qsizetype(lines.size()));
    for (const QString& line : lines)
        append(QStringView(line));
}

void ReportLines::append(QStringView line, qint64 record) {
    // Report lines are nearly always plain ASCII: those bytes are written straight into the
    // buffer; a line with any other character is encoded as a whole.
    const qsizetype start = m_text.size();
    m_text.resize(start + line.size());
    char* out = m_text.data() + start;
    for (const QChar ch : line) {
        const char16_t c = ch.unicode();
        if (c >= 0x80) {
            m_text.truncate(start);
            m_text += line.toUtf8();
            break;
        }
        *out++ = char(c);
    }
    m_ends.append(m_text.size());
    m_records.append(record);
    m_widest = std::max(m_widest, line.size());
}

void ReportLines::append(const ReportLines& more) {
    const qsizetype offset = m_text.size();
    m_text += more.m_text;
    m_ends.reserve(m_ends.size() + more.m_ends.size());
    for (const qsizetype end : more.m_ends)
        m_ends.append(offset + end);
    m_records.append(more.m_records);
    m_widest = std::max(m_widest, more.m_widest);
}

QString ReportLines::at(qsizetype i) const {
    const qsizetype start = i == 0 ? 0 : m_ends.at(i - 1);
    return QString::fromUtf8(m_text.constData() + start, m_ends.at(i) - start);
}

void ReportLines::clear() {
    // Gives the memory back: a cleared report window holds nothing.
    m_text = QByteArray();
    m_ends = QList<qsizetype>();
    m_records = QList<qint64>();
    m_widest = 0;
}

QStringList ReportLines::toStringList() const {
    QStringList out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        out << at(i);
    return out;
}
