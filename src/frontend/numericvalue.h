#pragma once

#include <QString>

// The numeric value of a number box's text, the way the kiosk has always read it: the
// longest leading decimal number after leading blanks, so "41" is 41, "12abc" is 12 and
// an empty or non-numeric text is 0.
class NumericValue
{
public:
    static double of(const QString &text);
    // The value rounded to a whole number, a half to the even one.
    static double rounded(const QString &text);
};
