#pragma once

#include "monthpane_export.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;

// A month shown as a grid of six weeks by seven days, Sunday first. Each day cell shows its
// day number and up to three short lines supplied by the host; the first line takes a colour
// per day. Above the grid stand a title and the month and year boxes. When the person picks
// another month or year the control redraws the day numbers and emits DateChanged, so the
// host can hand over the new month's lines with AddData. The control never reads any data
// itself.
//
// Child controls (found by objectName): lblTitle, lblNote, cbMonth, cbYear, lblDate1 ... lblDate42 (the
// day numbers; hidden with the text "lblDate" outside the month) and lbl1_1 ... lbl42_3 (the
// three lines of each cell).
class MONTHPANE_EXPORT mossCalendar : public QWidget {
    Q_OBJECT
    // The title above the grid; the host keeps it with its own design.
    Q_PROPERTY(QString CalendarTitle READ CalendarTitle WRITE setCalendarTitle NOTIFY CalendarTitleChanged
                   STORED true)
    // The month shown, as month name, ", " and year: "March, 2004".
    Q_PROPERTY(QString CalendarDate READ CalendarDate STORED false)
    // The host's line under the title; see setCalendarNote.
    Q_PROPERTY(QString CalendarNote READ CalendarNote WRITE setCalendarNote STORED false)

  public:
    // Starts at the month of `today` (the system date when it is not given) with no lines.
    explicit mossCalendar(QWidget* parent = nullptr);
    // Invokable: a host that loads this library when it first needs a calendar makes one
    // through the class's meta-object, and drives it through its properties, DateChanged
    // and AddData.
    Q_INVOKABLE explicit mossCalendar(const QDate& today, QWidget* parent = nullptr);
    ~mossCalendar() override;

    // Hides every line, then shows item i (day Nums[i], lines Data1[i] to Data3[i], line 1 in
    // the colour number Colors[i] = blue * 65536 + green * 256 + red) in the cell of that day.
    // Days are plain decimal texts "1" to "31"; an item whose day the shown month lacks is
    // dropped, and a later item for a day replaces an earlier one. Returns false when one of
    // the other lists is shorter than Nums; the items placed until then stay.
    Q_INVOKABLE bool AddData(const QStringList& Nums, const QStringList& Data1, const QStringList& Data2,
                             const QStringList& Data3, const QList<quint32>& Colors);

    QString CalendarTitle() const;
    void setCalendarTitle(const QString& title);

    QString CalendarDate() const { return m_shownMonth; }

    // A line of the host's under the title (lblNote), hidden while it is empty.
    QString CalendarNote() const;
    void setCalendarNote(const QString& note);

    // Shows the control's About window modally.
    void ShowAbout();

  signals:
    // The person picked another month or year (not raised at creation).
    void DateChanged();
    void CalendarTitleChanged(const QString& title);

  private:
    void build(const QDate& today);
    void cbMonth_Click();
    void cbYear_Click();
    void typedDate();
    void pick();
    void DrawMonth();
    void ShowDayNumber(int cell, int day);
    static QString GetMonthName(int month);

    QLabel* lblTitle = nullptr;
    QLabel* lblNote = nullptr;
    QComboBox* cbMonth = nullptr;
    QComboBox* cbYear = nullptr;
    QLabel* lblDate[42] = {};
    QLabel* lblLine[42][3] = {};
    QString m_shownMonth; // the month shown, as CalendarDate gives it
};
