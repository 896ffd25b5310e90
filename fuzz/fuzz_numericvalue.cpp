// The numeric value of a number box's text decides the next ticket number.
#include "frontend/numericvalue.h"

#include <QString>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double rounded = NumericValue::rounded(text);
    if (std::isnan(rounded) || rounded != std::nearbyint(rounded))
        __builtin_trap();
    return 0;
}
