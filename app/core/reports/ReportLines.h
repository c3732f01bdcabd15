#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <iterator>

// The lines of a text report, kept compactly: the text of every line one after another in
// one UTF-8 buffer, and where each line ends. A report of a million workouts has well over a
// million lines; kept as separate strings they take about three times the memory. A line is
// made a QString again when it is shown, printed or exported.
//
// Beside each line is the record number of the workout or race it belongs to (its record line
// and its comment line), 0 for any other line: a double-click opens that record without reading
// the number back out of the text, which a long course or name may have run into.
class ReportLines {
  public:
    ReportLines() = default;
    ReportLines(const QStringList& lines); // implicit: a list of lines is a report's lines
    ReportLines(std::initializer_list<QString> lines);

    void append(QStringView line, qint64 record = 0);
    void append(const ReportLines& more);
    ReportLines& operator<<(const QString& line) {
        append(QStringView(line));
        return *this;
    }
    ReportLines& operator<<(QStringView line) {
        append(line);
        return *this;
    }

    qsizetype size() const { return m_ends.size(); }
    bool isEmpty() const { return m_ends.isEmpty(); }
    QString at(qsizetype i) const;
    QString operator[](qsizetype i) const { return at(i); }
    QString last() const { return at(size() - 1); }
    // The record number beside line i; 0 when the line belongs to no record.
    qint64 record(qsizetype i) const { return m_records.at(i); }
    // Characters (UTF-16 code units, as QString counts them) in the longest line.
    qsizetype widest() const { return m_widest; }

    void clear();
    QStringList toStringList() const;

    // Reads the lines in order, each as a QString.
    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QString;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = QString;

        const_iterator() = default;
        const_iterator(const ReportLines* lines, qsizetype i) : m_lines(lines), m_i(i) {}
        QString operator*() const { return m_lines->at(m_i); }
        const_iterator& operator++() {
            ++m_i;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++m_i;
            return before;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.m_i == b.m_i; }

      private:
        const ReportLines* m_lines = nullptr;
        qsizetype m_i = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Equal texts, line by line (the record numbers are not compared).
    friend bool operator==(const ReportLines& a, const ReportLines& b) {
        return a.m_ends == b.m_ends && a.m_text == b.m_text;
    }

  private:
    QByteArray m_text;       // every line in UTF-8, one after another
    QList<qsizetype> m_ends; // where each line ends in m_text
    QList<qint64> m_records; // the record number of each line, 0 for none
    qsizetype m_widest = 0;
};
