#include "frontend/servednumbers.h"

#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"

ServedNumbers ServedNumbers::read(const QString &archiveFolder)
{
    ServedNumbers served;
    RecordSet data77;
    const QString path = ArchivePath::join(archiveFolder, ArchivePath::kz4b());
    try {
        for (int counter = 1; counter <= ArchiveSchema::CounterCount; ++counter) {
            data77.bind(path, ArchiveSchema::servedNumberTable(counter));
            data77.open();
            served.texts << data77.text(ArchiveSchema::servedNumberField());
        }
    } catch (const ArchiveError &) {
        served.failed = true;
    }
    return served;
}
