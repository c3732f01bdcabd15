#include "DatePicker.h"

#include "Clock.h"
#include "DateText.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("M/d/yyyy"));
    setDateRange(DateText::firstPickable(), DateText::lastPickable());
    setDate(Clock::today());
    lineEdit()->installEventFilter(this);
}

void DatePicker::focusInEvent(QFocusEvent* event) {
    m_typed.clear();
    QDateEdit::focusInEvent(event);
}

bool DatePicker::eventFilter(QObject* watched, QEvent* event) {
    // A click puts the cursor somewhere else: what follows is typed afresh.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress)
        m_typed.clear();
    return QDateEdit::eventFilter(watched, event);
}

void DatePicker::takeWholeDate() {
    static const QRegularExpression partial(QStringLiteral("^\\d{1,2}(/(\\d{1,2}(/\\d{0,4})?)?)?$"));
    static const QRegularExpression whole(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    if (!partial.match(m_typed).hasMatch()) {
        // Not the start of a date: the last key may begin one.
        m_typed = m_typed.right(1);
        if (!partial.match(m_typed).hasMatch())
            m_typed.clear();
        return;
    }
    const QRegularExpressionMatch m = whole.match(m_typed);
    if (!m.hasMatch())
        return;
    m_typed.clear();
    const int year = m.captured(3).toInt();
    const int month = m.captured(1).toInt();
    const int day = m.captured(2).toInt();
    if (month < 1 || month > 12 || day < 1)
        return;
    // A day past the end of its month is its last day, as the edit does with any date.
    const QDate first(year, month, 1);
    const QDate d(year, month, std::min(day, first.daysInMonth()));
    if (d < minimumDate() || d > maximumDate())
        return;
    setDate(d);
    lineEdit()->setCursorPosition(lineEdit()->text().size());
}

bool DatePicker::setValueText(const QString& text) {
    const auto d = DateText::parse(text);
    if (!d)
        return false;
    setDate(*d);
    return true;
}

QString DatePicker::statementText() const {
    const QDate d = date();
    return QStringLiteral("%1/%2/%3").arg(d.month()).arg(d.day()).arg(d.year());
}

// 29 February is typed against the year shown, which need not be a leap year: the edit then
// settles the day on the 28th as soon as it is whole. A day typed as 29 in February is
// remembered, and a leap year typed after it gives back the 29th.
void DatePicker::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    QLineEdit* edit = lineEdit();
    const bool datePart = typed.size() == 1 && (typed.front().isDigit() || typed == QLatin1String("/"));
    if (datePart)
        m_typed += typed;
    else
        m_typed.clear();
    if (typed == QLatin1String("/") && m_afterDigit) {
        const int at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        if (at > 0 && edit->text().at(at - 1) == u'/') {
            m_afterDigit = false;
            event->accept();
            takeWholeDate();
            return;
        }
    }
    // The day typed "2", "9": the text is "2/2/yyyy" with the cursor after the day's 2.
    static const QRegularExpression februarySecond(QStringLiteral("^0?2/2/"));
    const QRegularExpressionMatch second = februarySecond.match(edit->text());
    const bool dayTwentyNine = typed == QLatin1String("9") && m_afterDigit && second.hasMatch() &&
                               edit->cursorPosition() == second.capturedEnd() - 1;
    const bool inYear = edit->cursorPosition() > edit->text().lastIndexOf(QLatin1Char('/')) ||
                        (edit->hasSelectedText() && edit->selectionStart() > edit->text().lastIndexOf(u'/'));
    m_afterDigit = typed.size() == 1 && typed.front().isDigit();
    if (!dayTwentyNine && !(m_afterDigit && inYear))
        m_leapDayTyped = false;
    QDateEdit::keyPressEvent(event);
    if (datePart)
        takeWholeDate();
    if (dayTwentyNine)
        m_leapDayTyped = true;
    const QDate shown = date();
    if (m_leapDayTyped && shown.month() == 2 && shown.day() == 28 && QDate::isLeapYear(shown.year()) &&
        text().endsWith(QString::number(shown.year())))
        setDate(QDate(shown.year(), 2, 29));
}
