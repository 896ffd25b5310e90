#pragma once

#include "archive/fieldkind.h"
#include "archive/issuerecord.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

class RecordSet;

// The ticket record as the printer gets it: each column of DatiDaStampare with its kind and
// value, in the table's order. A plain value, so that it can be read on one thread and
// printed on another, or made from the columns last seen when the archive is out of reach.
struct TicketRecord
{
    struct Column
    {
        QString name;
        FieldKind kind = FieldKind::Text;
    };

    QList<Column> columns;
    QList<QVariant> values;

    // The current record of an opened record set.
    static TicketRecord current(const RecordSet &record);
    // ID 1 of DatiDaStampare; none when the table holds no such record. Throws ArchiveError.
    static std::optional<TicketRecord> read(const QString &archiveFolder);
    // The columns that a fresh Totem.mdb has, as record ID 1.
    static TicketRecord standard();

    // The same columns holding a press's ticket, as the archive would after writing it.
    TicketRecord with(const IssueRecord::Ticket &ticket) const;
};
