#include "frontend/numbering.h"

#include <limits>

QString Numbering::text(int line) const
{
    return current_[line] ? QString::number(*current_[line]) : QString();
}

std::optional<qint32> Numbering::next(int line) const
{
    const qint32 last = current_[line].value_or(0);
    if (last == std::numeric_limits<qint32>::max())
        return std::nullopt;
    return last + 1;
}
