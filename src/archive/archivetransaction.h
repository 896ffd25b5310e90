#pragma once

#include <QString>

#include <memory>

class ArchiveStore;

// The operations on one archive that this thread runs while the object lives share one
// connection and one transaction on a server, so that a ticket's number and its record are
// written together or not at all. Files keep their own commit per operation, as the
// installation's other programs expect of them. Destroyed without commit(), it rolls back.
class ArchiveTransaction
{
public:
    explicit ArchiveTransaction(const QString &path);
    ~ArchiveTransaction();
    ArchiveTransaction(const ArchiveTransaction &) = delete;
    ArchiveTransaction &operator=(const ArchiveTransaction &) = delete;

    void commit();
    // True while a server's transaction holds the writes back.
    bool isOpen() const { return bool(store_); }

    // The store of this thread's transaction on path, or nullptr.
    static std::shared_ptr<ArchiveStore> storeOf(const QString &path);

private:
    std::shared_ptr<ArchiveStore> store_;
};
