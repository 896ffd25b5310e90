#pragma once

#include <QRect>

// Positions and sizes of the screens are kept in twips (1/1440 inch), as the installation
// stores them; this is the one place that turns them into pixels of the screen in use.
class Twips
{
public:
    static constexpr int PerInch = 1440;

    static qreal logicalDpi();
    static int toPixels(qreal twips);
    static qreal fromPixels(int pixels);
    static QRect rect(qreal left, qreal top, qreal width, qreal height);
};
