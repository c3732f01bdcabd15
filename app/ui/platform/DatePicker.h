#pragma once

#include <QDate>
#include <QDateEdit>

// The date picker the windows use: a QDateEdit with a calendar pop-up, holding a date
// without time of day, between DateText::firstPickable() and lastPickable().
class DatePicker : public QDateEdit {
    Q_OBJECT
  public:
    explicit DatePicker(QWidget* parent = nullptr);

    QDate value() const { return date(); }
    void setValue(const QDate& d) { setDate(d); }
    // Reads a stored date text ("05-Dec-2026", "12/5/2026", ISO); false if not a date.
    bool setValueText(const QString& text);
    int day() const { return date().day(); }
    int month() const { return date().month(); }
    int year() const { return date().year(); }
    // The date as written into statements: M/d/yyyy, no leading zeros (5/17/2026).
    QString statementText() const;

  protected:
    // A date typed whole, "5/17/2026": a month or day that completes its section moves on
    // by itself, so the "/" typed right after it is swallowed instead of skipping the next
    // section as well.
    void keyPressEvent(QKeyEvent* event) override;

    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Takes the keys typed since the field was entered or clicked as a whole date
    // ("5/17/2026") once they spell one, whichever section the cursor was in.
    void takeWholeDate();

    QString m_typed; // digits and slashes typed in a row
    bool m_afterDigit = false;
    bool m_leapDayTyped = false; // 29 typed as the day of February, the year still to come
};
