#include "report/testticket.h"

#include "core/clock.h"

QList<DataItem> TestTicket::items(const Clock &clock)
{
    const QDateTime now = clock.now();
    return {
        {QStringLiteral("Titolo"), QStringLiteral("Stampa di prova"), DataItem::Text},
        {QStringLiteral("NumeroDaStampare"), QStringLiteral("0"), DataItem::Number},
        {QStringLiteral("QualePostazione"), QStringLiteral("Prova"), DataItem::Text},
        {QStringLiteral("QualeUtente"), QStringLiteral("Tecnico"), DataItem::Text},
        {QStringLiteral("QualeData"), now.toString(QStringLiteral("dd/MM/yyyy")), DataItem::Text},
        {QStringLiteral("QualeOra"), now.toString(QStringLiteral("HH.mm")), DataItem::Text}};
}
