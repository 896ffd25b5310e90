#include "archive/archiveconnection.h"

#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archivetransaction.h"
#include "archive/serverstore.h"
#include "archive/sqlitestore.h"

#include <QAtomicInteger>
#include <QMutex>

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

std::shared_ptr<ArchiveStore> ArchiveConnection::openStore(const QString &path)
{
    if (const OpeningHook hook = currentOpeningHook())
        hook(path);
    const QString name = QStringLiteral("archive-%1").arg(connectionSerial.fetchAndAddRelaxed(1));
    if (ArchivePath::isServer(path))
        return std::make_shared<ServerStore>(path, name, busyTimeoutMs);
    return std::make_shared<SqliteStore>(path, name, busyTimeoutMs);
}

ArchiveConnection::ArchiveConnection(const QString &path)
    : store_(ArchiveTransaction::storeOf(path))
{
    if (!store_)
        store_ = openStore(path);
}

ArchiveConnection::~ArchiveConnection() = default;

QString ArchiveConnection::storedTableName(const QString &name)
{
    const QString wanted = name.trimmed();
    for (const QString &stored : tableNames()) {
        if (stored.compare(wanted, Qt::CaseInsensitive) == 0)
            return stored;
    }
    throw ArchiveError(ArchiveError::Reason::MissingTable,
                       QStringLiteral("La tabella %1 non esiste nell'archivio %2.")
                           .arg(wanted, ArchivePath::fileName(path())),
                       path());
}

QString ArchiveConnection::quoted(const QString &identifier)
{
    QString escaped = identifier;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}
