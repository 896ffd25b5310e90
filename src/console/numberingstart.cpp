#include "console/numberingstart.h"

#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"

NumberingStart::Numbers NumberingStart::loadCurrent(const QString &archiveFolder)
{
    RecordSet data2;
    data2.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()),
               ArchiveSchema::currentNumbersTable());
    data2.open();
    Numbers numbers{};
    for (int line = 1; line <= Office::LineCount; ++line)
        numbers[line - 1] = data2.toInt32(ArchiveSchema::currentNumberField(line));
    return numbers;
}

NumberingStart::Numbers NumberingStart::startFromInitial(const QString &archiveFolder)
{
    const QString totem = ArchivePath::join(archiveFolder, ArchivePath::totem());
    RecordSet data2;
    data2.bind(totem, ArchiveSchema::initialNumbersTable());
    data2.open();
    // Every initial number is read before anything is written, so that a bad one stops
    // the start with the archive untouched.
    Numbers numbers{};
    for (int line = 1; line <= Office::LineCount; ++line)
        numbers[line - 1] = data2.toInt32(ArchiveSchema::initialNumberField(line));
    const qint32 singleQueue = numbers[Office::LineCount - 1];

    RecordSet data1;
    data1.bind(totem, ArchiveSchema::currentNumbersTable());
    data1.open();
    data1.edit();
    data1.setValue(ArchiveSchema::currentNumberField(Office::LineCount), singleQueue);
    data1.setValue(ArchiveSchema::singleQueueCopyField(), singleQueue);
    data1.update();
    return numbers;
}
