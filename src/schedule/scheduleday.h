#pragma once

#include "archive/archiveschema.h"

#include <QString>

#include <array>

// One weekday of the schedule: for each of the ten counters, the operator on duty in each
// of the fourteen hours from 07:00 to 20:00, by identifier (0 = nobody). Read from and
// written back to that day's table of Totem.mdb, whose first ten records are the counters.
class ScheduleDay
{
public:
    static constexpr int CounterCount = ArchiveSchema::CounterCount;
    static constexpr int HourCount = ArchiveSchema::HourCount;

    // counter 0..9 is counter 1..10; hour 0..13 is 07:00..20:00.
    qint32 operatorAt(int counter, int hour) const { return ids_.at(counter).at(hour); }
    void setOperator(int counter, int hour, qint32 id) { ids_.at(counter).at(hour) = id; }
    int filledCount() const;

    bool operator==(const ScheduleDay &) const = default;

    // Both throw ArchiveError. A day table must hold a value in every hour of its first ten
    // records: a shorter table or an empty field is refused as a whole, so that nothing is
    // shown or saved as if it were the day's schedule. Records after the tenth are neither
    // read nor written.
    static ScheduleDay read(const QString &archiveFolder, const QString &dayTable);
    void write(const QString &archiveFolder, const QString &dayTable) const;

private:
    std::array<std::array<qint32, HourCount>, CounterCount> ids_{};
};
