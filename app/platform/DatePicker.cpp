#include "DatePicker.h"

#include "Clock.h"
#include "DateText.h"

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("M/d/yyyy"));
    setDate(Clock::today());
}

bool DatePicker::setValueText(const QString& text)
{
    const auto d = DateText::parse(text);
    if (!d)
        return false;
    setDate(*d);
    return true;
}

QString DatePicker::statementText() const
{
    const QDate d = date();
    return QStringLiteral("%1/%2/%3").arg(d.month()).arg(d.day()).arg(d.year());
}
