#include "DatePicker.h"

#include "Clock.h"
#include "DateText.h"

#include <QKeyEvent>
#include <QLineEdit>

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("M/d/yyyy"));
    setDateRange(DateText::firstPickable(), DateText::lastPickable());
    setDate(Clock::today());
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

void DatePicker::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (typed == QLatin1String("/") && m_afterDigit) {
        const QLineEdit* edit = lineEdit();
        const int at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        if (at > 0 && edit->text().at(at - 1) == u'/') {
            m_afterDigit = false;
            event->accept();
            return;
        }
    }
    m_afterDigit = typed.size() == 1 && typed.front().isDigit();
    QDateEdit::keyPressEvent(event);
}
