#pragma once

#include "archive/archivestore.h"

// An archive file in the archive folder. Opening never creates a missing file.
class SqliteStore : public ArchiveStore
{
public:
    SqliteStore(const QString &path, const QString &connectionName, int busyTimeoutMs);

    QStringList tableNames() override;
    QList<StoredColumn> columns(const QString &storedTable) override;
    QStringList declaredTypesOf(const QString &select) override;
    QString naturalOrderSelect(const QString &storedTable,
                               const QList<StoredColumn> &columns) const override;
    QString rowKey() const override { return QStringLiteral("rowid"); }
};
