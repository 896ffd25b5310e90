#include "frontend/numericvalue.h"

#include <cmath>

namespace {
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
} // namespace

double NumericValue::of(const QString &text)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;
    const bool negative = i < size && text.at(i) == u'-';
    if (i < size && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    const qsizetype integerStart = i;
    while (i < size && isDigit(text.at(i)))
        ++i;
    const QString integer = text.mid(integerStart, i - integerStart);
    QString fraction;
    if (i < size && text.at(i) == u'.') {
        qsizetype j = i + 1;
        while (j < size && isDigit(text.at(j)))
            ++j;
        fraction = text.mid(i + 1, j - i - 1);
    }
    // A sign or a point alone is no number.
    if (integer.isEmpty() && fraction.isEmpty())
        return 0;
    const QString normalised = (integer.isEmpty() ? QStringLiteral("0") : integer) + u'.'
                               + (fraction.isEmpty() ? QStringLiteral("0") : fraction);
    bool ok = false;
    double value = normalised.toDouble(&ok);
    // Only a number too long for a double fails here: it is far beyond any ticket number.
    if (!ok || !std::isfinite(value))
        value = HUGE_VAL;
    return negative ? -value : value;
}

double NumericValue::rounded(const QString &text)
{
    // nearbyint follows the current rounding mode, which is to nearest, ties to even.
    return std::nearbyint(of(text));
}
