#include "archive/archivestore.h"

#include "archive/archiveerror.h"

#include <QSqlError>

ArchiveStore::ArchiveStore(const QString &path, const QString &connectionName)
    : name_(connectionName), path_(path)
{
}

ArchiveStore::~ArchiveStore()
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

void ArchiveStore::openingFailed()
{
    const ArchiveError error = ArchiveError::fromSql(path_, db_.lastError(), false);
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
    throw error;
}
