#pragma once

#include "frontend/dutyroster.h"

#include <array>
#include <utility>

// Who the public screen last saw on duty at each counter. A lookup's roster becomes one
// change per counter: the same operator goes on counting, another one (or the first after
// nobody) restarts the counter's numbering, nobody closes the counter.
class CounterDuty
{
public:
    static constexpr int CounterCount = Office::CounterCount;

    enum class Change
    {
        SameOperator,
        NewOperator,
        Closed
    };

    // A new activation: nobody seen, and no lookup has succeeded yet.
    void forget();
    std::array<Change, CounterCount> apply(const DutyRoster &roster);
    // Every counter closed, as when the schedule cannot be read before any lookup worked.
    void closeAll() { lastOperator_.fill(0); }
    bool known() const { return known_; }

    // The notice that nobody is registered is asked again at every lookup, never stacked:
    // begin returns false while one is still open.
    bool beginNoOperatorsNotice() { return !std::exchange(noticeOpen_, true); }
    void endNoOperatorsNotice() { noticeOpen_ = false; }

private:
    std::array<qint32, CounterCount> lastOperator_{};
    bool known_ = false;
    bool noticeOpen_ = false;
};
