#include "frontend/archivereader.h"

#include "archive/archiveerror.h"
#include "frontend/operatorlookup.h"

std::optional<DutyRoster> ArchiveReader::readDuty(const QString &archiveFolder,
                                                  const QDateTime &now)
{
    try {
        return OperatorLookup::read(archiveFolder, now);
    } catch (const ArchiveError &) {
        return std::nullopt;
    }
}

void ArchiveReader::readServed(quint64 activation, const QString &archiveFolder)
{
    emit servedRead(activation, ServedNumbers::read(archiveFolder));
}

void ArchiveReader::readDutyFor(quint64 activation, const QString &archiveFolder,
                                const QDateTime &now)
{
    emit dutyRead(activation, readDuty(archiveFolder, now));
}
