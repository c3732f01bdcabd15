#include "ReportCsv.h"

#include "DateText.h"

#include <QDate>

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

Table parse(const ReportLines& lines) {
    Table table;
    QList<Column> columns;
    bool fullReport = false; // records start with a date and end with their number
    bool hasComments = false;
    // Rows as they are found, with the header they belong to; the extra columns are known
    // only at the end.
    struct Row {
        int section;
        QStringList fields; // the report's own columns
        QString id, comments, totals, detail;
    };
    QList<Row> rows;
    QList<QList<Column>> sections;
    enum class Last { None, Record, Totals } last = Last::None;
    QString lastTotals;

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i];
        if (i + 1 < lines.size() && isSeparator(lines[i + 1]) && !isSeparator(line)) {
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
        if (line.startsWith(MonthTotals) || line.startsWith(ReportTotals)) {
            lastTotals = line.startsWith(MonthTotals) ? QStringLiteral("Month Totals")
                                                      : QStringLiteral("Report Totals");
            rows.push_back({int(sections.size() - 1),
                            {},
                            {},
                            {},
                            lastTotals,
                            line.mid(line.indexOf(QLatin1String("-> ")) + 3).trimmed()});
            last = Last::Totals;
            continue;
        }
        if (line.startsWith(QLatin1String("     "))) {
            if (last == Last::Totals) {
                rows.push_back({int(sections.size() - 1), {}, {}, {}, lastTotals, line.trimmed()});
            } else if (last == Last::Record) {
                hasComments = true;
                rows.last().comments = line.mid(5);
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
        rows.push_back({int(sections.size() - 1), fields, id, {}, {}, {}});
        last = Last::Record;
    }

    bool hasIds = false, hasTotals = false;
    for (const Row& r : rows) {
        hasIds = hasIds || !r.id.isEmpty();
        hasTotals = hasTotals || !r.totals.isEmpty();
    }
    auto headerOf = [&](int section) {
        QStringList h;
        for (const Column& c : sections[section])
            h << c.name;
        if (hasIds)
            h << QStringLiteral("ID");
        if (hasComments)
            h << QStringLiteral("COMMENTS");
        if (hasTotals)
            h << QStringLiteral("TOTALS") << QStringLiteral("TOTALS DETAIL");
        return h;
    };
    if (sections.isEmpty())
        return table;
    table.header = headerOf(0);
    int section = 0;
    for (const Row& r : rows) {
        if (r.section != section) {
            section = r.section;
            table.rows.push_back(headerOf(section));
        }
        QStringList out = r.fields;
        while (out.size() < sections[section].size())
            out << QString();
        if (hasIds)
            out << r.id;
        if (hasComments)
            out << r.comments;
        if (hasTotals)
            out << r.totals << r.detail;
        table.rows.push_back(out);
    }
    return table;
}

QByteArray field(const QString& text) {
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\n') || bytes.contains('\r'))
        return '"' + bytes.replace("\"", "\"\"") + '"';
    return bytes;
}

QByteArray toCsv(const Table& table) {
    QByteArray out;
    auto row = [&out](const QStringList& fields) {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i)
                out += ',';
            out += field(fields[i]);
        }
        out += "\r\n";
    };
    if (table.header.isEmpty())
        return out;
    out.reserve(qsizetype(table.rows.size()) * 64);
    row(table.header);
    for (const QStringList& r : table.rows)
        row(r);
    return out;
}

QByteArray fromLines(const ReportLines& lines) {
    return toCsv(parse(lines));
}

} // namespace ReportCsv
