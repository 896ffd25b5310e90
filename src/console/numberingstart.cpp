#include "console/numberingstart.h"

#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"

NumberingStart::Numbers NumberingStart::loadCurrent(const QString &archiveFolder)
{
    RecordSet currentNumbers;
    currentNumbers.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()),
                        ArchiveSchema::currentNumbersTable());
    currentNumbers.open();
    Numbers numbers{};
    for (int line = 1; line <= Office::LineCount; ++line)
        numbers[line - 1] = currentNumbers.toInt32(ArchiveSchema::currentNumberField(line));
    return numbers;
}

NumberingStart::Numbers NumberingStart::startFromInitial(const QString &archiveFolder)
{
    const QString totem = ArchivePath::join(archiveFolder, ArchivePath::totem());
    RecordSet initialNumbers;
    initialNumbers.bind(totem, ArchiveSchema::initialNumbersTable());
    initialNumbers.open();
    // Every initial number is read before anything is written, so that a bad one stops
    // the start with the archive untouched.
    Numbers numbers{};
    for (int line = 1; line <= Office::LineCount; ++line)
        numbers[line - 1] = initialNumbers.toInt32(ArchiveSchema::initialNumberField(line));
    const qint32 singleQueue = numbers[Office::LineCount - 1];

    RecordSet currentNumbers;
    currentNumbers.bind(totem, ArchiveSchema::currentNumbersTable());
    currentNumbers.open();
    currentNumbers.edit();
    currentNumbers.setValue(ArchiveSchema::currentNumberField(Office::LineCount), singleQueue);
    currentNumbers.setValue(ArchiveSchema::singleQueueCopyField(), singleQueue);
    currentNumbers.update();
    return numbers;
}
