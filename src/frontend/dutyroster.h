#pragma once

#include "core/office.h"

#include <QString>

#include <array>

// Who is on duty at each of the ten counters in one hour of one weekday, as the schedule
// and the operators' table say it.
struct DutyRoster
{
    static constexpr int CounterCount = Office::CounterCount;

    // Nobody is registered in the system at all: the counters are left as they are.
    bool noOperators = false;
    std::array<qint32, CounterCount> operatorIds{}; // 0 = nobody on duty
    std::array<QString, CounterCount> operatorNames;
};
