#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// What differs between the places an archive can live: a SQLite file in the archive folder,
// or a schema of a PostgreSQL database. Each store holds one open connection of the thread
// that made it, under a name of its own, and removes it when it goes.
class ArchiveStore
{
public:
    struct StoredColumn
    {
        QString name;
        QString declaredType;
    };

    virtual ~ArchiveStore();
    ArchiveStore(const ArchiveStore &) = delete;
    ArchiveStore &operator=(const ArchiveStore &) = delete;

    QSqlDatabase &database() { return db_; }
    const QString &path() const { return path_; }

    // Tables and views in the order they were made.
    virtual QStringList tableNames() = 0;
    // A table's fields in their order, without any column the store keeps for itself.
    virtual QList<StoredColumn> columns(const QString &storedTable) = 0;
    // The declared types of a SELECT's columns, where the store can tell them.
    virtual QStringList declaredTypesOf(const QString &select) = 0;
    // A SELECT as this store runs it.
    virtual QString statement(const QString &select) const { return select; }
    // A SELECT of the row key followed by every field, in natural order.
    virtual QString naturalOrderSelect(const QString &storedTable,
                                       const QList<StoredColumn> &columns) const = 0;
    // The row key as it stands in a WHERE clause.
    virtual QString rowKey() const = 0;
    // A field's name as the installation spells it.
    virtual QString fieldName(const QString &storedName) const { return storedName; }
    // A column the store keeps for itself, which a SELECT * also returns.
    virtual bool isOwnColumn(const QString &column) const
    {
        Q_UNUSED(column);
        return false;
    }

    // Set while an ArchiveTransaction holds this store's connection.
    void setInTransaction(bool running) { inTransaction_ = running; }

protected:
    ArchiveStore(const QString &path, const QString &connectionName);
    // Throws what the driver said about a failed opening, after forgetting the connection.
    [[noreturn]] void openingFailed();

    QString name_;
    QString path_;
    QSqlDatabase db_;
    bool inTransaction_ = false;
};
