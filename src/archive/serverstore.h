#pragma once

#include "archive/archivestore.h"
#include "archive/fieldkind.h"

// An archive kept on a PostgreSQL server: KZ4.mdb, KZ4B.mdb and Totem.mdb are the schemas
// kz4, kz4b and totem of the database that the address names. The server folds names to
// lower case, as PostgreSQL does with unquoted names, so that statements written for the
// files run unchanged; an explicit column keeps the order in which rows were added, which
// the files keep by themselves. The password never comes from the address: libpq finds it
// in PGPASSWORD or ~/.pgpass.
class ServerStore : public ArchiveStore
{
public:
    // The archive's schema on the search path when path names an archive; the bare database
    // when it is the server's address alone.
    ServerStore(const QString &path, const QString &connectionName, int busyTimeoutMs);

    QStringList tableNames() override;
    QList<StoredColumn> columns(const QString &storedTable) override;
    QStringList declaredTypesOf(const QString &select) override;
    QString statement(const QString &select) const override;
    QString naturalOrderSelect(const QString &storedTable,
                               const QList<StoredColumn> &columns) const override;
    QString rowKey() const override;
    bool isOwnColumn(const QString &column) const override;
    // The spelling of the files, where the kiosk knows the field: a ticket's data items are
    // named after the fields, and the designer shows those names.
    QString fieldName(const QString &storedName) const override;

    // The schema of an archive file: "Totem.mdb" is totem.
    static QString schemaOf(const QString &fileName);
    static QString storedName(const QString &name) { return name.toLower(); }
    static QString rowOrderColumn() { return QStringLiteral("ordine_inserimento"); }
    // The column type of a kind: a domain named after the kind where PostgreSQL has no type
    // of that name, so that the kind reads back as it was declared.
    static QString columnType(FieldKind kind);
    // The statements that make an archive's schema with its domains, in an empty database.
    static QStringList schemaStatements(const QString &schema);

private:
    QString schema_;
};
