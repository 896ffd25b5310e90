#include "ui/fontsubstitutes.h"

#include <QFont>
#include <QStringList>

void FontSubstitutes::install()
{
    const QStringList narrowSans{QStringLiteral("Liberation Sans"),
                                 QStringLiteral("DejaVu Sans Condensed"),
                                 QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), narrowSans);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), narrowSans);
    QFont::insertSubstitutions(
        QStringLiteral("Palatino Linotype"),
        {QStringLiteral("TeX Gyre Pagella"), QStringLiteral("DejaVu Serif")});
}
