#include "archive/sqlitestore.h"

#include "archive/archiveconnection.h"
#include "archive/archiveerror.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

SqliteStore::SqliteStore(const QString &path, const QString &connectionName, int busyTimeoutMs)
    : ArchiveStore(path, connectionName)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        const QString detail = info.dir().exists()
                                   ? QStringLiteral("il file non esiste")
                                   : QStringLiteral("la cartella %1 non esiste").arg(info.path());
        throw ArchiveError(ArchiveError::Reason::Unreachable,
                           QStringLiteral("Archivio non raggiungibile: %1").arg(path), detail);
    }
    if (!info.isFile())
        throw ArchiveError(ArchiveError::Reason::NotAnArchive,
                           QStringLiteral("Il file %1 non è un archivio valido.").arg(path),
                           QStringLiteral("non è un file"));

    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(path);
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    if (!db_.open())
        openingFailed();
}

QStringList SqliteStore::tableNames()
{
    QSqlQuery query(db_);
    // Reading the schema is also the first read of the file: a file that is not an
    // archive fails here.
    if (!query.exec(QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type IN ('table','view') ORDER BY rowid")))
        throw ArchiveError::fromSql(path_, query.lastError(), false);
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

QList<ArchiveStore::StoredColumn> SqliteStore::columns(const QString &storedTable)
{
    QSqlQuery info(db_);
    if (!info.exec(
            QStringLiteral("PRAGMA table_info(%1)").arg(ArchiveConnection::quoted(storedTable))))
        throw ArchiveError::fromSql(path_, info.lastError(), false);
    QList<StoredColumn> columns;
    while (info.next())
        columns << StoredColumn{info.value(1).toString(), info.value(2).toString()};
    return columns;
}

QStringList SqliteStore::declaredTypesOf(const QString &select)
{
    // A temporary view reports the declared types of the statement's columns, which the
    // driver itself does not pass on.
    QSqlQuery info(db_);
    QStringList types;
    if (info.exec(QStringLiteral("CREATE TEMP VIEW kiosk_record_source AS ") + select)
        && info.exec(QStringLiteral("PRAGMA temp.table_info(kiosk_record_source)"))) {
        while (info.next())
            types << info.value(2).toString();
    }
    return types;
}

QString SqliteStore::naturalOrderSelect(const QString &storedTable,
                                        const QList<StoredColumn> &columns) const
{
    Q_UNUSED(columns);
    return QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid")
        .arg(ArchiveConnection::quoted(storedTable));
}
