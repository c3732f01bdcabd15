#include "ReportCsv.h"

#include "DateText.h"

#include <QBuffer>
#include <QDate>
#include <optional>

namespace ReportCsv {

namespace {

const QString MonthTotals = QStringLiteral("Month Totals -> ");
const QString ReportTotals = QStringLiteral("Report Totals -> ");

bool isSeparator(const QString& line) {
    return !line.isEmpty() && line.count(QLatin1Char('-')) == line.size();
}

struct Column {
    QString name;
    qsizetype start;
};

// The header's columns: a field starts at a character after two or more blanks (a header
// word such as "AVG TIME" holds one blank, and every header word is shorter than its field,
// so fields are at least two blanks apart).
QList<Column> columnsOf(const QString& header) {
    QList<Column> columns;
    qsizetype i = 0;
    const qsizetype n = header.size();
    while (i < n) {
        while (i < n && header[i] == QLatin1Char(' '))
            ++i;
        if (i >= n)
            break;
        const qsizetype start = i;
        qsizetype end = i;
        while (end < n &&
               !(header[end] == QLatin1Char(' ') && (end + 1 >= n || header[end + 1] == QLatin1Char(' '))))
            ++end;
        columns.push_back({header.mid(start, end - start), start});
        i = end;
    }
    return columns;
}

bool isDateColumn(const QString& name) {
    return name == QLatin1String("DATE") || name == QLatin1String("WEEK") || name == QLatin1String("MONTH") ||
           name == QLatin1String("PURCHASED");
}

const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// "March 2026" (or "March, 2026"): a word of letters, a blank and a four-digit year. Read by
// hand: a full report asks this of every line.
bool isMonthText(QStringView s) {
    const qsizetype blank = s.indexOf(QLatin1Char(' '));
    if (blank < 3 || s.size() - blank - 1 != 4)
        return false;
    for (qsizetype i = 0; i < blank; ++i)
        if (!s[i].isLetter() && !(i == blank - 1 && s[i] == QLatin1Char(',')))
            return false;
    for (qsizetype i = blank + 1; i < s.size(); ++i)
        if (!s[i].isDigit())
            return false;
    return true;
}

int number(QStringView s) {
    int v = 0;
    for (QChar c : s) {
        if (!c.isDigit())
            return -1;
        v = v * 10 + (c.unicode() - '0');
    }
    return s.isEmpty() ? -1 : v;
}

// dd-mmm-yyyy, dd-mmm-yy and "Month yyyy" as ISO text; anything else unchanged.
QString isoDate(const QString& text) {
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    if (dash >= 1 && dash <= 2 && text.size() > dash + 5 && text[dash + 4] == QLatin1Char('-')) {
        const QStringView name = QStringView(text).mid(dash + 1, 3);
        const QStringView yearText = QStringView(text).mid(dash + 5);
        int month = 0;
        for (int i = 0; i < 12; ++i)
            if (name.compare(QLatin1String(Months[i]), Qt::CaseInsensitive) == 0)
                month = i + 1;
        int year = number(yearText);
        const int day = number(QStringView(text).left(dash));
        if (month == 0 || day < 0 || year < 0 || (yearText.size() != 2 && yearText.size() != 4))
            return text;
        if (yearText.size() == 2)
            year += year < 50 ? 2000 : 1900; // two-digit years as the report window reads them
        const QDate d(year, month, day);
        return d.isValid() ? DateText::iso(d) : text;
    }
    if (isMonthText(text)) {
        if (const auto d = DateText::parse(text))
            return d->toString(QStringLiteral("yyyy-MM"));
    }
    return text;
}

} // namespace

namespace {

// One row of the table: a record or a total line, with the header section it belongs to.
struct Row {
    int section;
    QStringList fields; // the report's own columns
    QString id, comments, totals, detail;
};

// Which extra columns the table has; known only once every line has been read.
struct Extras {
    bool ids = false, comments = false, totals = false;
};

// Reads the lines and hands each row to `sink` once it is whole (a record's comment line
// follows it), in order. `sections` receives the columns of each header met.
template <typename Sink> void walk(const ReportLines& lines, QList<QList<Column>>& sections, Sink sink) {
    QList<Column> columns;
    bool fullReport = false; // records start with a date and end with their number
    std::optional<Row> pending;
    const auto flush = [&] {
        if (pending)
            sink(*pending);
        pending.reset();
    };
    enum class Last { None, Record, Totals } last = Last::None;
    QString lastTotals;

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i];
        if (i + 1 < lines.size() && !isSeparator(line) && isSeparator(lines[i + 1])) {
            columns = columnsOf(line);
            if (sections.isEmpty() || [&] {
                    const auto& prev = sections.last();
                    if (prev.size() != columns.size())
                        return true;
                    for (qsizetype c = 0; c < prev.size(); ++c)
                        if (prev[c].name != columns[c].name || prev[c].start != columns[c].start)
                            return true;
                    return false;
                }())
                sections.push_back(columns);
            fullReport = !columns.isEmpty() && columns.first().name == QLatin1String("DATE");
            last = Last::None;
            ++i; // the separator
            continue;
        }
        if (line.trimmed().isEmpty() || isSeparator(line) || columns.isEmpty())
            continue;
        const int section = int(sections.size() - 1);
        if (line.startsWith(MonthTotals) || line.startsWith(ReportTotals)) {
            lastTotals = line.startsWith(MonthTotals) ? QStringLiteral("Month Totals")
                                                      : QStringLiteral("Report Totals");
            flush();
            pending = Row{section, {},         {},
                          {},      lastTotals, line.mid(line.indexOf(QLatin1String("-> ")) + 3).trimmed()};
            last = Last::Totals;
            continue;
        }
        if (line.startsWith(QLatin1String("     "))) {
            if (last == Last::Totals) {
                flush();
                pending = Row{section, {}, {}, {}, lastTotals, line.trimmed()};
            } else if (last == Last::Record && pending) {
                pending->comments = line.mid(5);
            }
            continue;
        }
        // A record. In a full report it ends with its number, after a blank; a line of a full
        // report without a number is a month heading.
        QString body = line;
        QString id;
        if (fullReport) {
            if (isMonthText(QStringView(line).trimmed()))
                continue;
            // The number follows a blank, or directly a text too long for its field.
            const QString trimmed = line.trimmed();
            qsizetype digits = trimmed.size();
            while (digits > 0 && trimmed[digits - 1].isDigit())
                --digits;
            if (digits == trimmed.size() || digits == 0)
                continue;
            id = trimmed.mid(digits);
            body = trimmed.left(digits);
        }
        QStringList fields;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const qsizetype start = columns[c].start;
            const qsizetype end = c + 1 < columns.size() ? columns[c + 1].start : body.size();
            QString value = start < body.size() ? body.mid(start, end - start).trimmed() : QString();
            if (isDateColumn(columns[c].name))
                value = isoDate(value);
            fields << value;
        }
        flush();
        pending = Row{section, fields, id, {}, {}, {}};
        last = Last::Record;
    }
    flush();
}

// The extra columns the rows of `lines` need.
Extras extrasOf(const ReportLines& lines) {
    Extras extras;
    QList<QList<Column>> sections;
    walk(lines, sections, [&](const Row& r) {
        extras.ids = extras.ids || !r.id.isEmpty();
        extras.comments = extras.comments || !r.comments.isEmpty();
        extras.totals = extras.totals || !r.totals.isEmpty();
    });
    return extras;
}

QStringList headerOf(const QList<Column>& section, const Extras& extras) {
    QStringList h;
    for (const Column& c : section)
        h << c.name;
    if (extras.ids)
        h << QStringLiteral("ID");
    if (extras.comments)
        h << QStringLiteral("COMMENTS");
    if (extras.totals)
        h << QStringLiteral("TOTALS") << QStringLiteral("TOTALS DETAIL");
    return h;
}

QStringList fieldsOf(const Row& r, const QList<Column>& section, const Extras& extras) {
    QStringList out = r.fields;
    while (out.size() < section.size())
        out << QString();
    if (extras.ids)
        out << r.id;
    if (extras.comments)
        out << r.comments;
    if (extras.totals)
        out << r.totals << r.detail;
    return out;
}

// The table's rows in order, the header rows of later sections among them, each handed to
// `sink`; the first header comes first. Nothing when the lines hold no report.
template <typename Sink> void rowsOf(const ReportLines& lines, Sink sink) {
    const Extras extras = extrasOf(lines);
    QList<QList<Column>> sections;
    bool started = false;
    int section = 0;
    walk(lines, sections, [&](const Row& r) {
        if (!started)
            sink(headerOf(sections.first(), extras));
        started = true;
        if (r.section != section) {
            section = r.section;
            sink(headerOf(sections[section], extras));
        }
        sink(fieldsOf(r, sections[section], extras));
    });
    if (!started && !sections.isEmpty())
        sink(headerOf(sections.first(), extras));
}

void appendRow(QByteArray& out, const QStringList& fields) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            out += ',';
        out += field(fields[i]);
    }
    out += "\r\n";
}

// A number as a spreadsheet reads it: an optional sign, digits with at most one point.
bool isNumber(const QString& text) {
    qsizetype i = text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() >= '0' && c.unicode() <= '9')
            digits = true;
        else if (c == QLatin1Char('.') && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

} // namespace

Table parse(const ReportLines& lines) {
    Table table;
    rowsOf(lines, [&](const QStringList& row) {
        if (table.header.isEmpty())
            table.header = row;
        else
            table.rows.push_back(row);
    });
    return table;
}

bool write(const ReportLines& lines, QIODevice& out) {
    QByteArray buffer;
    bool ok = true;
    rowsOf(lines, [&](const QStringList& row) {
        appendRow(buffer, row);
        if (buffer.size() >= (1 << 16)) {
            ok = ok && out.write(buffer) == buffer.size();
            buffer.clear();
        }
    });
    return ok && out.write(buffer) == buffer.size();
}

QByteArray field(const QString& text) {
    // A text that a spreadsheet would take for a formula is written as text: a quote first.
    static const QString FormulaStarts = QStringLiteral("=+-@\t\r");
    QByteArray bytes = !text.isEmpty() && FormulaStarts.contains(text.front()) && !isNumber(text)
                           ? "'" + text.toUtf8()
                           : text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\n') || bytes.contains('\r'))
        return '"' + bytes.replace("\"", "\"\"") + '"';
    return bytes;
}

QByteArray toCsv(const Table& table) {
    QByteArray out;
    if (table.header.isEmpty())
        return out;
    appendRow(out, table.header);
    for (const QStringList& r : table.rows)
        appendRow(out, r);
    return out;
}

QByteArray fromLines(const ReportLines& lines) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    write(lines, buffer);
    return out;
}

} // namespace ReportCsv
