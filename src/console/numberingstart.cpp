#include "console/numberingstart.h"

#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/issuejournal.h"
#include "archive/issuestore.h"
#include "archive/recordset.h"

namespace {

NumberingStart::Numbers readCurrent(const QString &archiveFolder)
{
    RecordSet currentNumbers;
    currentNumbers.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()),
                        ArchiveSchema::currentNumbersTable());
    currentNumbers.open();
    NumberingStart::Numbers numbers{};
    for (int line = 1; line <= Office::LineCount; ++line)
        numbers[line - 1] = currentNumbers.toInt32(ArchiveSchema::currentNumberField(line));
    return numbers;
}

// The archive's numbers as the journal's entries will leave them.
NumberingStart::Numbers readThrough(const QString &archiveFolder, const IssueJournal &journal)
{
    NumberingStart::Numbers numbers{};
    try {
        numbers = readCurrent(archiveFolder);
    } catch (const ArchiveError &) {
        // Lines that no entry names start from 0 until the archive is back.
    }
    for (const IssueJournal::Entry &entry : journal.entries()) {
        for (int line = 0; line < Office::LineCount; ++line) {
            if (entry.record.numbers[line])
                numbers[line] = *entry.record.numbers[line];
        }
    }
    return numbers;
}

} // namespace

NumberingStart::Numbers NumberingStart::loadCurrent(const QString &archiveFolder)
{
    // Numbers the kiosk issued while the share was gone are the current ones: they go into
    // the archive first or, while it is still out of reach, the kiosk carries on from them.
    IssueJournal journal;
    if (IssueStore::writeBack(archiveFolder, journal) > 0)
        return readThrough(archiveFolder, journal);
    return readCurrent(archiveFolder);
}

NumberingStart::Numbers NumberingStart::startFromInitial(const QString &archiveFolder)
{
    IssueJournal journal;
    if (const int entries = IssueStore::writeBack(archiveFolder, journal))
        throw ArchiveError(ArchiveError::Reason::Other, IssueStore::journalPendingMessage(entries));
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
