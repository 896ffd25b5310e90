#include "report/ticketprojectformat.h"

namespace TicketProjectFormat {

const QList<AlignmentName> &horizontalNames()
{
    static const QList<AlignmentName> names = {{Qt::AlignLeft, QStringLiteral("left")},
                                               {Qt::AlignHCenter, QStringLiteral("center")},
                                               {Qt::AlignRight, QStringLiteral("right")}};
    return names;
}

const QList<AlignmentName> &verticalNames()
{
    static const QList<AlignmentName> names = {{Qt::AlignTop, QStringLiteral("top")},
                                               {Qt::AlignVCenter, QStringLiteral("center")},
                                               {Qt::AlignBottom, QStringLiteral("bottom")}};
    return names;
}

QString alignmentName(const QList<AlignmentName> &names, Qt::Alignment alignment,
                      const QString &fallback)
{
    for (const AlignmentName &n : names) {
        if (alignment & n.flag)
            return n.name;
    }
    return fallback;
}

} // namespace TicketProjectFormat
