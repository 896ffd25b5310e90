#pragma once

#include <QDateTime>

#include <cmath>

// Dates as the archives and the ticket engine keep them: days since 30 December 1899, the
// time of day as the fraction. Only the calendar date and the wall-clock time count, in both
// directions, so a ticket reads the same whatever the machine's time zone or its daylight
// saving: 4 December 2026 12:00 is 46360.5 everywhere. Before the epoch the sign belongs to
// the day alone: -1.25 is 29 December 1899 at 06:00.
namespace DayNumber {

inline QDate epoch()
{
    return QDate(1899, 12, 30);
}

inline double from(const QDate &date, const QTime &time)
{
    const double days = double(epoch().daysTo(date));
    const double fraction = time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0;
    return days < 0 ? days - fraction : days + fraction;
}

inline double from(const QDateTime &when)
{
    return from(when.date(), when.time());
}

// The wall-clock date and time of a day number, to the millisecond, as a local time.
inline QDateTime toDateTime(double dayNumber)
{
    const double whole = std::trunc(dayNumber);
    qint64 msecs = std::llround(std::abs(dayNumber - whole) * 86400000.0);
    qint64 days = qint64(whole);
    // A time that rounds up to midnight is the start of the next day, before the epoch too.
    if (msecs >= 86400000) {
        msecs -= 86400000;
        days += 1;
    }
    return QDateTime(epoch().addDays(days), QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

} // namespace DayNumber
