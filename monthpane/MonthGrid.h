#pragma once

#include <QDate>
#include <QString>

// Which cell of the six-by-seven month grid holds which day. Cells are numbered 1 to 42,
// row by row, each row running Sunday to Saturday. Day 1 sits in the column of its weekday in
// the first row, the days follow left to right, and every cell before day 1 or after the
// month's last day is empty. The month's length comes from asking the calendar whether each
// day is a valid date, so leap years follow the Gregorian rules.
//
// Header-only and free of widgets, so the placement can be checked on its own.
class MonthGrid {
  public:
    static constexpr int Rows = 6;
    static constexpr int Columns = 7;
    static constexpr int Cells = Rows * Columns;

    // A grid for `month` (1 to 12) of `year`. A month or year that gives no valid first day
    // (a bad month number) gives a grid of empty cells.
    MonthGrid(int year, int month) {
        if (!QDate::isValid(year, month, 1))
            return;
        // dayOfWeek() counts Monday = 1 ... Sunday = 7; the grid's first column is Sunday.
        m_firstCell = QDate(year, month, 1).dayOfWeek() % 7 + 1;
        int day = 1;
        while (day < 31 && QDate::isValid(year, month, day + 1))
            ++day;
        m_days = day;
    }

    int daysInMonth() const { return m_days; }
    // The cell that holds day 1; 0 for an empty grid.
    int firstCell() const { return m_days ? m_firstCell : 0; }
    // The day shown in `cell` (1 to 42), or 0 when the cell lies outside the month.
    int dayInCell(int cell) const {
        if (!m_days || cell < m_firstCell || cell >= m_firstCell + m_days || cell > Cells)
            return 0;
        return cell - m_firstCell + 1;
    }
    // The cell that shows `day`, or 0 when the month has no such day.
    int cellOfDay(int day) const { return day >= 1 && day <= m_days ? m_firstCell + day - 1 : 0; }

    // Row and column of a cell, both counted from 0.
    static int row(int cell) { return (cell - 1) / Columns; }
    static int column(int cell) { return (cell - 1) % Columns; }

    // The English name of month 1 to 12; "Bad Month" for any other number.
    static QString monthName(int month) {
        static const char* const names[] = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};
        if (month < 1 || month > 12)
            return QStringLiteral("Bad Month");
        return QString::fromLatin1(names[month - 1]);
    }
    // The number of an English month name, without regard to case; 0 when it is none.
    static int monthNumber(const QString& name) {
        for (int m = 1; m <= 12; ++m)
            if (name.trimmed().compare(monthName(m), Qt::CaseInsensitive) == 0)
                return m;
        return 0;
    }

  private:
    int m_firstCell = 0;
    int m_days = 0;
};
