#include "archive/fresharchives.h"

#include "archive/archiveconnection.h"
#include "archive/archivecontent.h"
#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/demoarchivecontent.h"
#include "archive/fieldvalue.h"
#include "archive/serverstore.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

QAtomicInteger<quint64> connectionSerial;

// Removes the named connection once every handle on it has gone out of scope, also when
// the write throws halfway.
class ConnectionName
{
public:
    ConnectionName()
        : name_(QStringLiteral("fresh-archive-%1").arg(connectionSerial.fetchAndAddRelaxed(1)))
    {
    }
    ~ConnectionName() { QSqlDatabase::removeDatabase(name_); }
    ConnectionName(const ConnectionName &) = delete;
    ConnectionName &operator=(const ConnectionName &) = delete;
    const QString &name() const { return name_; }

private:
    QString name_;
};

// Files built beside the archives; whatever has not been moved into place is removed.
class BuiltFiles
{
public:
    BuiltFiles() = default;
    BuiltFiles(const BuiltFiles &) = delete;
    BuiltFiles &operator=(const BuiltFiles &) = delete;
    ~BuiltFiles()
    {
        for (const QString &path : std::as_const(paths_))
            QFile::remove(path);
    }
    void add(const QString &path) { paths_ << path; }
    void release(const QString &path) { paths_.removeAll(path); }

private:
    QStringList paths_;
};

ArchiveError writeError(const QString &archivePath, const QString &detail)
{
    return ArchiveError(ArchiveError::Reason::Other,
                        QStringLiteral("L'archivio %1 non può essere creato.").arg(archivePath),
                        detail);
}

// A content record naming a table or field the schema does not know would silently lose data.
void checkContent(const ArchiveContent &content)
{
    for (const ArchiveContent::TableRecords &records : content.tables()) {
        const ArchiveSchema::Archive *archive = ArchiveSchema::archive(records.archive);
        const ArchiveSchema::Table *table = archive ? archive->table(records.table) : nullptr;
        if (!table)
            throw ArchiveError(ArchiveError::Reason::MissingTable,
                               QStringLiteral("La tabella %1 non fa parte dell'archivio %2.")
                                   .arg(records.table, records.archive));
        for (const ArchiveContent::Record &record : records.records) {
            for (auto it = record.cbegin(); it != record.cend(); ++it) {
                if (!table->field(it.key()))
                    throw ArchiveError(ArchiveError::Reason::MissingField,
                                       QStringLiteral("Il campo %1 non esiste nella tabella %2 "
                                                      "dell'archivio %3.")
                                           .arg(it.key(), table->name, archive->fileName));
            }
        }
    }
}

QVariant recordValue(const ArchiveContent::Record &record, const QString &field)
{
    for (auto it = record.cbegin(); it != record.cend(); ++it) {
        if (it.key().compare(field, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return QVariant();
}

void writeTable(QSqlDatabase &db, const QString &archivePath, const ArchiveSchema::Table &table,
                const QList<ArchiveContent::Record> &records)
{
    const bool server = ArchivePath::isServer(archivePath);
    const auto stored = [server](const QString &name) {
        return ArchiveConnection::quoted(server ? ServerStore::storedName(name) : name);
    };
    QStringList columns;
    QStringList names;
    if (server)
        columns << ArchiveConnection::quoted(ServerStore::rowOrderColumn())
                       + QStringLiteral(" bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY");
    for (const ArchiveSchema::Field &field : table.fields) {
        columns << stored(field.name) + u' '
                       + (server ? ServerStore::columnType(field.kind)
                                 : declaredTypeOf(field.kind));
        names << stored(field.name);
    }
    QSqlQuery query(db);
    if (!query.exec(
            QStringLiteral("CREATE TABLE %1 (%2)").arg(stored(table.name), columns.join(u", "))))
        throw writeError(archivePath, query.lastError().text());
    if (records.isEmpty())
        return;

    const QStringList placeholders(table.fields.size(), QStringLiteral("?"));
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(stored(table.name), names.join(u", "), placeholders.join(u", "))))
        throw writeError(archivePath, query.lastError().text());
    for (const ArchiveContent::Record &record : records) {
        for (int i = 0; i < table.fields.size(); ++i) {
            const ArchiveSchema::Field &field = table.fields.at(i);
            query.bindValue(
                i, FieldValue::toStorage(field.kind, recordValue(record, field.name), field.name));
        }
        if (!query.exec())
            throw writeError(archivePath, query.lastError().text());
    }
}

// Writes the whole archive into file in one transaction; archivePath names it in messages.
void writeArchive(const QString &file, const QString &archivePath,
                  const ArchiveSchema::Archive &archive, const ArchiveContent &content)
{
    const ConnectionName connection;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection.name());
    db.setDatabaseName(file);
    if (!db.open())
        throw writeError(archivePath, db.lastError().text());
    {
        QSqlQuery pragma(db);
        // The rollback journal, stated explicitly: WAL does not work on network shares.
        if (!pragma.exec(QStringLiteral("PRAGMA journal_mode=DELETE")))
            throw writeError(archivePath, pragma.lastError().text());
    }
    if (!db.transaction())
        throw writeError(archivePath, db.lastError().text());
    for (const ArchiveSchema::Table &table : archive.tables)
        writeTable(db, archivePath, table, content.records(archive.fileName, table.name));
    if (!db.commit())
        throw writeError(archivePath, db.lastError().text());
    db.close();
}

void removeOld(const QString &archivePath)
{
    // A journal left by a crash would be rolled back into the new file.
    for (const QString &path :
         {archivePath, archivePath + QStringLiteral("-journal"),
          archivePath + QStringLiteral("-wal"), archivePath + QStringLiteral("-shm")}) {
        QFile file(path);
        if (file.exists() && !file.remove())
            throw ArchiveError(
                ArchiveError::Reason::ReadOnly,
                QStringLiteral("L'archivio %1 non può essere sostituito.").arg(archivePath),
                file.errorString());
    }
}

// The three archives as schemas of the server's database, made in one transaction.
void createOnServer(const QString &address, const ArchiveContent &records, bool overwrite)
{
    ServerStore server(
        address, QStringLiteral("fresh-archive-%1").arg(connectionSerial.fetchAndAddRelaxed(1)),
        ArchiveConnection::BusyTimeoutMs);
    QSqlDatabase &db = server.database();
    QSqlQuery query(db);
    if (!overwrite) {
        QStringList schemas;
        for (const ArchiveSchema::Archive &archive : ArchiveSchema::archives())
            schemas << u'\'' + ServerStore::schemaOf(archive.fileName) + u'\'';
        if (!query.exec(QStringLiteral("SELECT nspname FROM pg_namespace WHERE nspname IN (%1)")
                            .arg(schemas.join(u','))))
            throw ArchiveError::fromSql(address, query.lastError(), false);
        if (query.next())
            throw ArchiveError(ArchiveError::Reason::Other,
                               QStringLiteral("Lo schema %1 esiste già sul server %2: per "
                                              "sostituirlo usare --force.")
                                   .arg(query.value(0).toString(), ArchivePath::describe(address)));
    }
    if (!db.transaction())
        throw ArchiveError::fromSql(address, db.lastError(), true);
    for (const ArchiveSchema::Archive &archive : ArchiveSchema::archives()) {
        const QString path = ArchivePath::join(address, archive.fileName);
        const QString schema = ServerStore::schemaOf(archive.fileName);
        QStringList statements{QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE")
                                   .arg(ArchiveConnection::quoted(schema))};
        statements
            << ServerStore::schemaStatements(schema)
            << QStringLiteral("SET LOCAL search_path TO %1").arg(ArchiveConnection::quoted(schema));
        for (const QString &statement : std::as_const(statements)) {
            if (!query.exec(statement))
                throw ArchiveError::fromSql(path, query.lastError(), true);
        }
        for (const ArchiveSchema::Table &table : archive.tables)
            writeTable(db, path, table, records.records(archive.fileName, table.name));
    }
    if (!db.commit())
        throw ArchiveError::fromSql(address, db.lastError(), true);
}

} // namespace

void FreshArchives::create(const QString &folder, Content content, bool overwrite)
{
    create(folder, content == Content::Demo ? DemoArchiveContent::build() : ArchiveContent::empty(),
           overwrite);
}

void FreshArchives::create(const QString &folder, const ArchiveContent &records, bool overwrite)
{
    checkContent(records);
    if (ArchivePath::isServer(folder)) {
        createOnServer(ArchivePath::serverOf(folder), records, overwrite);
        return;
    }
    if (folder.trimmed().isEmpty() || !QFileInfo(folder).isDir())
        throw ArchiveError(ArchiveError::Reason::Unreachable,
                           QStringLiteral("La cartella degli archivi %1 non esiste.").arg(folder));

    QStringList targets;
    for (const ArchiveSchema::Archive &archive : ArchiveSchema::archives())
        targets << ArchivePath::join(folder, archive.fileName);
    if (!overwrite) {
        for (const QString &target : std::as_const(targets)) {
            if (QFileInfo::exists(target))
                throw ArchiveError(ArchiveError::Reason::Other,
                                   QStringLiteral("L'archivio %1 esiste già: per sostituirlo "
                                                  "usare --force.")
                                       .arg(target));
        }
    }

    // All three are built beside their final names first, so that a failure leaves the
    // folder as it was.
    BuiltFiles built;
    QStringList files;
    for (qsizetype i = 0; i < targets.size(); ++i) {
        // SQLite makes the file itself, so that it gets the permissions of any new file.
        const QString file = targets.at(i) + QStringLiteral(".nuovo-")
                             + QUuid::createUuid().toString(QUuid::Id128).left(12);
        built.add(file);
        files << file;
        writeArchive(file, targets.at(i), ArchiveSchema::archives().at(i), records);
    }

    for (qsizetype i = 0; i < targets.size(); ++i) {
        if (overwrite)
            removeOld(targets.at(i));
        QFile file(files.at(i));
        if (!file.rename(targets.at(i)))
            throw writeError(targets.at(i), file.errorString());
        built.release(files.at(i));
    }
}
