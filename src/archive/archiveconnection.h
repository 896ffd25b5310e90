#pragma once

#include "archive/archivestore.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// One archive opened for one operation and closed when the object goes out of scope, so
// that no connection outlives the operation and every operation sees the archive as the
// other workstations have left it. Opening never creates a missing archive. Inside an
// ArchiveTransaction of the same archive the connection is the transaction's.
// A connection is made, used and removed by the thread that constructs the object, so any
// thread may run operations, each on connections of its own.
class ArchiveConnection
{
public:
    // A write of another workstation makes us wait this long before we give up.
    static constexpr int BusyTimeoutMs = 5000;
    // The wait of the connections that the calling thread opens from now on; a thread that
    // answers a waiting person sets it shorter.
    static void setBusyTimeoutOfThisThread(int milliseconds);

    explicit ArchiveConnection(const QString &path);
    ~ArchiveConnection();
    ArchiveConnection(const ArchiveConnection &) = delete;
    ArchiveConnection &operator=(const ArchiveConnection &) = delete;

    QSqlDatabase &database() { return store_->database(); }
    ArchiveStore &store() { return *store_; }
    const QString &path() const { return store_->path(); }

    // The stored spelling of a table, matched without regard to case (accented letters
    // included, which SQLite itself does not fold).
    QString storedTableName(const QString &name);
    QStringList tableNames() { return store_->tableNames(); }

    static QString quoted(const QString &identifier);

    // Runs with the archive's path before each opening. The program never sets it; the
    // fault runs use it to break the archive folder between two operations of one action,
    // which is where a share that goes away really breaks it.
    using OpeningHook = std::function<void(const QString &path)>;
    static void setOpeningHook(OpeningHook hook);

private:
    friend class ArchiveTransaction;
    // A store of its own, whatever transaction runs.
    static std::shared_ptr<ArchiveStore> openStore(const QString &path);

    std::shared_ptr<ArchiveStore> store_;
};
