#include "frontend/ticketrecord.h"

#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"

TicketRecord TicketRecord::current(const RecordSet &record)
{
    TicketRecord ticket;
    for (int j = 0; j < record.fieldCount(); ++j) {
        ticket.columns << Column{record.fieldName(j), record.fieldKind(j)};
        ticket.values << record.value(j);
    }
    return ticket;
}

std::optional<TicketRecord> TicketRecord::read(const QString &archiveFolder)
{
    RecordSet record;
    record.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()),
                QStringLiteral("select * from DatiDaStampare where [ID]=1"));
    record.open();
    if (record.recordCount() == 0)
        return std::nullopt;
    return current(record);
}

TicketRecord TicketRecord::standard()
{
    TicketRecord ticket;
    for (const ArchiveSchema::Field &field :
         ArchiveSchema::totem().table(ArchiveSchema::ticketTable())->fields) {
        ticket.columns << Column{field.name, field.kind};
        ticket.values << QVariant();
    }
    ticket.values[0] = 1; // ID
    return ticket;
}

TicketRecord TicketRecord::with(const IssueRecord::Ticket &ticket) const
{
    TicketRecord record = *this;
    const auto set = [&record](const QString &name, const QVariant &value) {
        for (int j = 0; j < record.columns.size(); ++j) {
            if (record.columns[j].name.compare(name, Qt::CaseInsensitive) == 0)
                record.values[j] = value;
        }
    };
    set(QStringLiteral("Titolo"), ticket.title);
    set(QStringLiteral("QualeUtente"), ticket.operatorName);
    set(QStringLiteral("QualePostazione"), ticket.counterName);
    set(QStringLiteral("QualeData"), ticket.date);
    set(QStringLiteral("QualeOra"), ticket.time);
    set(QStringLiteral("NumeroDaStampare"), ticket.number);
    return record;
}
