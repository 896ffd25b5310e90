#include "archive/archivetransaction.h"

#include "archive/archiveconnection.h"
#include "archive/archiveerror.h"
#include "archive/archivepath.h"

#include <QSqlError>

namespace {
thread_local std::shared_ptr<ArchiveStore> running;
}

ArchiveTransaction::ArchiveTransaction(const QString &path)
{
    if (!ArchivePath::isServer(path) || running)
        return;
    store_ = ArchiveConnection::openStore(path);
    if (!store_->database().transaction())
        throw ArchiveError::fromSql(path, store_->database().lastError(), true);
    store_->setInTransaction(true);
    running = store_;
}

ArchiveTransaction::~ArchiveTransaction()
{
    if (!store_)
        return;
    running.reset();
    if (store_->database().isOpen())
        store_->database().rollback();
}

void ArchiveTransaction::commit()
{
    if (!store_)
        return;
    running.reset();
    QSqlDatabase &db = store_->database();
    const bool committed = db.commit();
    const QSqlError error = db.lastError();
    const QString path = store_->path();
    store_.reset();
    if (!committed)
        throw ArchiveError::fromSql(path, error, true);
}

std::shared_ptr<ArchiveStore> ArchiveTransaction::storeOf(const QString &path)
{
    if (running && running->path() == path)
        return running;
    return nullptr;
}
