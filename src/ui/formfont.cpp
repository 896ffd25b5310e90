#include "ui/formfont.h"

QFont FormFont::standard()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    return font;
}

QFont FormFont::heading()
{
    QFont font(QStringLiteral("Palatino Linotype"));
    font.setPointSizeF(14);
    font.setBold(true);
    return font;
}
