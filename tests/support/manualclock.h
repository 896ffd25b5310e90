#pragma once

#include "core/clock.h"

// A clock that stands where the test puts it.
class ManualClock final : public Clock
{
public:
    explicit ManualClock(QDateTime at = QDateTime(QDate(2026, 12, 7), QTime(9, 40)))
        : current(std::move(at))
    {
    }
    QDateTime now() const override { return current; }

    QDateTime current;
};
