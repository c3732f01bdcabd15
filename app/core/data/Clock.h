#pragma once

#include <QDate>
#include <QDateTime>

// The one clock of the program. Everything that asks for "today" or "now" (windows, the
// SQL word Now) asks here, so tests can fix the date.
namespace Clock {
QDateTime now();
QDate today();
void setFixed(const QDateTime& when); // tests only
void reset();
} // namespace Clock
