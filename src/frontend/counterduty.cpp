#include "frontend/counterduty.h"

void CounterDuty::forget()
{
    lastOperator_.fill(0);
    known_ = false;
}

std::array<CounterDuty::Change, CounterDuty::CounterCount>
CounterDuty::apply(const DutyRoster &roster)
{
    known_ = true;
    std::array<Change, CounterCount> changes{};
    if (roster.noOperators) {
        changes.fill(Change::SameOperator);
        return changes;
    }
    for (int i = 0; i < CounterCount; ++i) {
        const qint32 id = roster.operatorIds[i];
        if (id == 0)
            changes[i] = Change::Closed;
        else if (id != lastOperator_[i])
            changes[i] = Change::NewOperator;
        else
            changes[i] = Change::SameOperator;
        lastOperator_[i] = id;
    }
    return changes;
}
