#include "support/archivedamage.h"

#include "archive/archiveconnection.h"
#include "archive/archiveschema.h"
#include "support/sqlitefile.h"

#include <QDir>

QList<ArchiveDamage> ArchiveDamage::all()
{
    QList<ArchiveDamage> damages;
    for (const Kind kind : {Kind::MissingTable, Kind::MissingField, Kind::EmptyField}) {
        for (const ArchiveSchema::Archive &archive : ArchiveSchema::archives()) {
            for (const ArchiveSchema::Table &table : archive.tables) {
                if (kind == Kind::MissingTable) {
                    damages << ArchiveDamage{kind, archive.fileName, table.name, QString()};
                    continue;
                }
                for (const QString &field : table.fieldNames())
                    damages << ArchiveDamage{kind, archive.fileName, table.name, field};
            }
        }
    }
    return damages;
}

QString ArchiveDamage::name() const
{
    switch (kind) {
    case Kind::MissingTable:
        return QStringLiteral("%1 %2 assente").arg(archive, table);
    case Kind::MissingField:
        return QStringLiteral("%1 %2.%3 assente").arg(archive, table, field);
    case Kind::EmptyField:
        break;
    }
    return QStringLiteral("%1 %2.%3 vuoto").arg(archive, table, field);
}

bool ArchiveDamage::in(const QString &archiveName, const QString &tableName,
                       const QStringList &fields) const
{
    return archive.compare(archiveName, Qt::CaseInsensitive) == 0
           && table.compare(tableName, Qt::CaseInsensitive) == 0
           && (fields.isEmpty() || kind == Kind::MissingTable
               || fields.contains(field, Qt::CaseInsensitive));
}

bool ArchiveDamage::applyTo(const QString &folder) const
{
    const QString quotedTable = ArchiveConnection::quoted(table);
    QString statement;
    switch (kind) {
    case Kind::MissingTable:
        statement = QStringLiteral("DROP TABLE %1").arg(quotedTable);
        break;
    case Kind::MissingField:
        // Renamed rather than dropped: SQLite will not drop the only column of a table, and
        // to the kiosk a field under another name is as missing as a dropped one.
        statement = QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO %3")
                        .arg(quotedTable, ArchiveConnection::quoted(field),
                             ArchiveConnection::quoted(field + QStringLiteral("_perso")));
        break;
    case Kind::EmptyField:
        statement = QStringLiteral("UPDATE %1 SET %2 = NULL")
                        .arg(quotedTable, ArchiveConnection::quoted(field));
        break;
    }
    // A throwaway copy needs no durability: without the journal's syncs a damage costs
    // microseconds instead of a disk flush, which adds up over every row of every flow.
    return SqliteFile::run(QDir(folder).filePath(archive),
                           {QStringLiteral("PRAGMA synchronous = OFF"),
                            QStringLiteral("PRAGMA journal_mode = MEMORY"), statement});
}
