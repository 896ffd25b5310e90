// The numeric value of a number box's text decides the next ticket number.
#include "frontend/numericvalue.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double rounded = NumericValue::rounded(text);
    if (std::isnan(rounded) || rounded != std::nearbyint(rounded))
        __builtin_trap();
    // The range check of FrontEnd::issueTicket: the press takes rounded + 1 as a 32-bit
    // number, and giving the number back converts rounded itself. Both conversions must be
    // defined behaviour for every text the check lets through, which UBSan's
    // float-cast-overflow check watches here.
    const double next = rounded + 1;
    if (next <= std::numeric_limits<qint32>::max() && next > std::numeric_limits<qint32>::min()) {
        volatile qint32 number = qint32(next);
        volatile qint32 previous = qint32(rounded);
        if (number != previous + 1LL)
            __builtin_trap();
    }
    return 0;
}
