#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

qreal Twips::logicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

int Twips::toPixels(qreal twips)
{
    return int(std::lround(twips * logicalDpi() / PerInch));
}

qreal Twips::fromPixels(int pixels)
{
    return pixels * PerInch / logicalDpi();
}

QRect Twips::rect(qreal left, qreal top, qreal width, qreal height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
