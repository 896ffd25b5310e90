#include "report/cupsqueue.h"

#include <cups/cups.h>

#include <cmath>

namespace {
// Sizes a spooler reports from a driver's points differ from ours in the last digits.
constexpr qreal ToleranceMm = 0.5;

// A printer state reason names a bad condition when it carries no suffix or "-error";
// "-report" and "-warning" only inform.
bool reasonIsBad(const QString &reason, const QString &keyword)
{
    return reason == keyword || reason == keyword + QStringLiteral("-error");
}
} // namespace

QString CupsQueue::problem() const
{
    static const struct
    {
        const char16_t *keyword;
        const char16_t *message;
    } causes[] = {
        {u"media-empty", u"Carta esaurita nella stampante «%1»."},
        {u"media-jam", u"Carta inceppata nella stampante «%1»."},
        {u"door-open", u"Sportello aperto nella stampante «%1»."},
        {u"offline", u"Stampante non raggiungibile «%1»."},
    };
    for (const auto &cause : causes) {
        for (const QString &reason : reasons) {
            if (reasonIsBad(reason, QString::fromUtf16(cause.keyword)))
                return QString::fromUtf16(cause.message).arg(name);
        }
    }
    if (!accepting)
        return QStringLiteral("La stampante «%1» non accetta lavori.").arg(name);
    if (state == State::Stopped)
        return QStringLiteral("La stampante «%1» è ferma.").arg(name);
    return QString();
}

QString CupsQueue::stateText() const
{
    switch (state) {
    case State::Idle:
        return QStringLiteral("pronta");
    case State::Processing:
        return QStringLiteral("occupata");
    case State::Stopped:
        break;
    }
    return QStringLiteral("ferma");
}

CupsMedium CupsQueue::mediumFor(const QSizeF &ticket) const
{
    const auto fits = [&](const QSizeF &low, const QSizeF &high) {
        return ticket.width() >= low.width() - ToleranceMm
               && ticket.height() >= low.height() - ToleranceMm
               && ticket.width() <= high.width() + ToleranceMm
               && ticket.height() <= high.height() + ToleranceMm;
    };
    if ((!customMaximum.isEmpty() && fits(customMinimum, customMaximum)) || media.isEmpty())
        return {media.isEmpty() && customMaximum.isEmpty() ? QString() : customName(ticket), ticket,
                QMarginsF()};

    // Of two media wide enough, the narrower; of one width, the shortest that is long enough
    // for the ticket, else the longest.
    const auto better = [&](const CupsMedium &a, const CupsMedium &b) {
        if (std::abs(a.size.width() - b.size.width()) > ToleranceMm)
            return a.size.width() < b.size.width();
        const bool aLong = a.size.height() >= ticket.height() - ToleranceMm;
        const bool bLong = b.size.height() >= ticket.height() - ToleranceMm;
        if (aLong != bLong)
            return aLong;
        return aLong ? a.size.height() < b.size.height() : a.size.height() > b.size.height();
    };
    const CupsMedium *narrowest = nullptr;
    const CupsMedium *widest = &media.first();
    for (const CupsMedium &medium : media) {
        if (medium.size.width() > widest->size.width())
            widest = &medium;
        if (medium.size.width() < ticket.width() - ToleranceMm)
            continue;
        if (!narrowest || better(medium, *narrowest))
            narrowest = &medium;
    }
    return narrowest ? *narrowest : *widest;
}

QString CupsQueue::customName(const QSizeF &millimetres)
{
    char keyword[128];
    pwgFormatSizeName(keyword, sizeof keyword, "custom", nullptr,
                      int(std::lround(millimetres.width() * 100)),
                      int(std::lround(millimetres.height() * 100)), "mm");
    return QString::fromUtf8(keyword);
}
