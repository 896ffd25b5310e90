#include "schedule/scheduleday.h"

#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/recordset.h"

namespace {

void openDay(RecordSet &records, const QString &archiveFolder, const QString &dayTable)
{
    records.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()), dayTable);
    records.open();
    // The kiosk never adds records, and writing fewer than ten would leave the public
    // screen reading counters from a table that does not hold them.
    if (records.recordCount() < ScheduleDay::CounterCount)
        throw ArchiveError(ArchiveError::Reason::NoCurrentRecord,
                           QStringLiteral("La tabella %1 dell'archivio %2 contiene %3 record: "
                                          "ne servono %4, uno per postazione.")
                               .arg(records.tableName(), ArchivePath::totem())
                               .arg(records.recordCount())
                               .arg(ScheduleDay::CounterCount));
}

} // namespace

int ScheduleDay::filledCount() const
{
    int filled = 0;
    for (const auto &hours : ids_) {
        for (const qint32 id : hours)
            filled += id != 0 ? 1 : 0;
    }
    return filled;
}

ScheduleDay ScheduleDay::read(const QString &archiveFolder, const QString &dayTable)
{
    RecordSet data2;
    openDay(data2, archiveFolder, dayTable);
    const QStringList &fields = ArchiveSchema::hourFields();
    ScheduleDay day;
    for (int counter = 0; counter < CounterCount; ++counter) {
        for (int hour = 0; hour < HourCount; ++hour) {
            // An empty field is not "nobody": it is a table nobody has filled, and saving
            // it back as 0 would pass for a decision.
            if (data2.isNull(fields.at(hour)))
                throw ArchiveError(
                    ArchiveError::Reason::BadValue,
                    QStringLiteral("Nella tabella %1 dell'archivio %2 il campo %3 "
                                   "della postazione %4 è vuoto.")
                        .arg(data2.tableName(), ArchivePath::totem(), fields.at(hour))
                        .arg(counter + 1));
            day.ids_[counter][hour] = data2.toInt32(fields.at(hour));
        }
        data2.moveNext();
    }
    return day;
}

void ScheduleDay::write(const QString &archiveFolder, const QString &dayTable) const
{
    RecordSet data3;
    openDay(data3, archiveFolder, dayTable);
    const QStringList &fields = ArchiveSchema::hourFields();
    for (int counter = 0; counter < CounterCount; ++counter) {
        try {
            data3.edit();
            for (int hour = 0; hour < HourCount; ++hour)
                data3.setValue(fields.at(hour), ids_[counter][hour]);
            data3.update();
        } catch (const ArchiveError &error) {
            if (counter == 0)
                throw;
            // Each record is its own write: the user must learn which counters are saved.
            throw ArchiveError(error.reason(),
                               QStringLiteral("Il salvataggio si è interrotto alla postazione "
                                              "%1: le postazioni da 1 a %2 sono state salvate, "
                                              "le altre no. %3")
                                   .arg(counter + 1)
                                   .arg(counter)
                                   .arg(error.message()),
                               error.detail());
        }
        data3.moveNext();
    }
}
