#pragma once

// The size of an office: ten service counters and one single queue. Numbering line k
// (1 to 11) is counter k, the eleventh the single queue; the screens' indexed elements run
// from 0, so the single queue's element has index CounterCount.
namespace Office {
inline constexpr int CounterCount = 10;
inline constexpr int LineCount = CounterCount + 1;
inline constexpr int SingleQueueIndex = CounterCount;
} // namespace Office
