#pragma once

#include "core/office.h"

#include <QString>

#include <array>
#include <optional>

// The eleven numbering lines of the public screen (counters 1 to 10, then the single
// queue): the last number issued on each and the number each restarts from. A line may
// have no number shown (nobody has told the screen who is on duty yet): it issues from 0
// and never overwrites its stored number.
class Numbering
{
public:
    static constexpr int LineCount = Office::LineCount;

    void setStartingNumbers(const std::array<qint32, LineCount> &numbers) { starting_ = numbers; }
    void restart(int line) { current_[line] = starting_[line]; }
    void set(int line, std::optional<qint32> number) { current_[line] = number; }

    std::optional<qint32> current(int line) const { return current_[line]; }
    // What the line's box shows: the number in decimal, or nothing.
    QString text(int line) const;
    // The number the line's next ticket gets; none past the largest 32-bit number.
    std::optional<qint32> next(int line) const;

private:
    std::array<qint32, LineCount> starting_{};
    std::array<std::optional<qint32>, LineCount> current_{};
};
