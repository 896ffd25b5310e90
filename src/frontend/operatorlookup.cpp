#include "frontend/operatorlookup.h"

#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"

DutyRoster OperatorLookup::read(const QString &archiveFolder, const QDateTime &now)
{
    DutyRoster roster;

    // The weekday itself picks the table, never its name in the machine's language.
    RecordSet schedule;
    schedule.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()),
                  ArchiveSchema::dayTable(now.date().dayOfWeek()));
    schedule.open();

    // The operators are read once per lookup, not once per counter: the table does not
    // change within the few milliseconds the lookup takes.
    RecordSet operators;
    operators.bind(ArchivePath::join(archiveFolder, ArchivePath::kz4()),
                   ArchiveSchema::operatorsTable());
    operators.open();
    if (operators.recordCount() == 0) {
        roster.noOperators = true;
        return roster;
    }

    const QString hourField = ArchiveSchema::hourField(now.time().hour());
    for (int i = 0; i < DutyRoster::CounterCount; ++i) {
        // A day table with fewer rows than counters leaves the rest unstaffed.
        if (hourField.isEmpty() || schedule.isEof())
            break;
        const qint32 id = schedule.isNull(hourField) ? 0 : schedule.toInt32(hourField);
        // An identifier with no operator behind it is nobody on duty.
        if (id != 0
            && operators.findFirst(
                QStringLiteral("[%1]=%2").arg(ArchiveSchema::operatorIdField()).arg(id))) {
            roster.operatorIds[i] = id;
            roster.operatorNames[i] = operators.text(ArchiveSchema::operatorNameField());
        }
        schedule.moveNext();
    }
    return roster;
}
