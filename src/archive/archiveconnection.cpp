#include "archive/archiveconnection.h"

#include "archive/archiveerror.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSqlError>
#include <QSqlQuery>

namespace {
// Connections are opened on the public screen's reader thread too: names stay unique
// across threads, and the hook is read under a lock.
QAtomicInteger<quint64> connectionSerial;
QMutex openingHookLock;
ArchiveConnection::OpeningHook openingHook;
thread_local int busyTimeoutMs = ArchiveConnection::BusyTimeoutMs;

ArchiveConnection::OpeningHook currentOpeningHook()
{
    const QMutexLocker locker(&openingHookLock);
    return openingHook;
}
} // namespace

void ArchiveConnection::setBusyTimeoutOfThisThread(int milliseconds)
{
    busyTimeoutMs = milliseconds;
}

void ArchiveConnection::setOpeningHook(OpeningHook hook)
{
    const QMutexLocker locker(&openingHookLock);
    openingHook = std::move(hook);
}

ArchiveConnection::ArchiveConnection(const QString &path)
    : name_(QStringLiteral("archive-%1").arg(connectionSerial.fetchAndAddRelaxed(1))), path_(path)
{
    if (const OpeningHook hook = currentOpeningHook())
        hook(path);
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
    if (!db_.open()) {
        const ArchiveError error = ArchiveError::fromSql(path, db_.lastError(), false);
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
        throw error;
    }
}

ArchiveConnection::~ArchiveConnection()
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

QStringList ArchiveConnection::tableNames()
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

QString ArchiveConnection::storedTableName(const QString &name)
{
    const QString wanted = name.trimmed();
    for (const QString &stored : tableNames()) {
        if (stored.compare(wanted, Qt::CaseInsensitive) == 0)
            return stored;
    }
    throw ArchiveError(ArchiveError::Reason::MissingTable,
                       QStringLiteral("La tabella %1 non esiste nell'archivio %2.")
                           .arg(wanted, QFileInfo(path_).fileName()),
                       path_);
}

QString ArchiveConnection::quoted(const QString &identifier)
{
    QString escaped = identifier;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}
