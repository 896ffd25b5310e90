#pragma once

#include <QList>
#include <QString>
#include <Qt>

// The words Ticket.lbl uses, shared by its reader and its writer.
namespace TicketProjectFormat {

inline QString name()
{
    return QStringLiteral("totem-ticket");
}

struct AlignmentName
{
    Qt::Alignment flag;
    QString name;
};

const QList<AlignmentName> &horizontalNames();
const QList<AlignmentName> &verticalNames();
// The name of the first flag of names set in alignment, or fallback.
QString alignmentName(const QList<AlignmentName> &names, Qt::Alignment alignment,
                      const QString &fallback);

} // namespace TicketProjectFormat
