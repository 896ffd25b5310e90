#include "numbering/numberingtables.h"

#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"

namespace {

using Numbers = NumberingTables::Numbers;
using FieldOfLine = QString (*)(int);

RecordSet openFirstRecord(const QString &archiveFolder, const QString &table)
{
    RecordSet record;
    record.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()), table);
    record.open();
    return record;
}

Numbers readAll(const QString &archiveFolder, const QString &table, FieldOfLine field)
{
    const RecordSet record = openFirstRecord(archiveFolder, table);
    Numbers numbers{};
    for (int line = 1; line <= Office::LineCount; ++line)
        numbers[line - 1] = record.toInt32(field(line));
    return numbers;
}

void writeAll(const QString &archiveFolder, const QString &table, FieldOfLine field,
              const Numbers &numbers)
{
    RecordSet record = openFirstRecord(archiveFolder, table);
    record.edit();
    for (int line = 1; line <= Office::LineCount; ++line)
        record.setValue(field(line), numbers[line - 1]);
    record.update();
}

} // namespace

Numbers NumberingTables::readCurrent(const QString &archiveFolder)
{
    return readAll(archiveFolder, ArchiveSchema::currentNumbersTable(),
                   &ArchiveSchema::currentNumberField);
}

Numbers NumberingTables::readInitial(const QString &archiveFolder)
{
    return readAll(archiveFolder, ArchiveSchema::initialNumbersTable(),
                   &ArchiveSchema::initialNumberField);
}

void NumberingTables::writeCurrent(const QString &archiveFolder, int line, qint32 number)
{
    RecordSet record = openFirstRecord(archiveFolder, ArchiveSchema::currentNumbersTable());
    record.edit();
    record.setValue(ArchiveSchema::currentNumberField(line), number);
    record.update();
}

void NumberingTables::writeAllCurrent(const QString &archiveFolder, const Numbers &numbers)
{
    writeAll(archiveFolder, ArchiveSchema::currentNumbersTable(),
             &ArchiveSchema::currentNumberField, numbers);
}

void NumberingTables::writeAllInitial(const QString &archiveFolder, const Numbers &numbers)
{
    writeAll(archiveFolder, ArchiveSchema::initialNumbersTable(),
             &ArchiveSchema::initialNumberField, numbers);
}
