#include "ui/colorvalue.h"

QColor ColorValue::toColor(qint32 value)
{
    if (!isValid(value))
        return QColor();
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

qint32 ColorValue::fromColor(const QColor &color)
{
    if (!color.isValid())
        return 0;
    const QColor rgb = color.toRgb();
    return qint32(rgb.red()) | qint32(rgb.green()) << 8 | qint32(rgb.blue()) << 16;
}
