#include "numbering/numberingtables.h"

#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"

namespace {

using Numbers = NumberingTables::Numbers;
using FieldOfLine = QString (*)(int);

RecordSet openFirstRecord(const QString &archiveFolder, const QString &table)
{
    RecordSet data1;
    data1.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()), table);
    data1.open();
    return data1;
}

Numbers readAll(const QString &archiveFolder, const QString &table, FieldOfLine field)
{
    const RecordSet data1 = openFirstRecord(archiveFolder, table);
    Numbers numbers{};
    for (int line = 1; line <= KioskState::LineCount; ++line)
        numbers[line - 1] = data1.toInt32(field(line));
    return numbers;
}

void writeAll(const QString &archiveFolder, const QString &table, FieldOfLine field,
              const Numbers &numbers)
{
    RecordSet data1 = openFirstRecord(archiveFolder, table);
    data1.edit();
    for (int line = 1; line <= KioskState::LineCount; ++line)
        data1.setValue(field(line), numbers[line - 1]);
    data1.update();
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
    RecordSet data1 = openFirstRecord(archiveFolder, ArchiveSchema::currentNumbersTable());
    data1.edit();
    data1.setValue(ArchiveSchema::currentNumberField(line), number);
    data1.update();
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
