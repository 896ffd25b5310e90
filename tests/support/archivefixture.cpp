#include "support/archivefixture.h"

#include "archive/archiveconnection.h"
#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/fresharchives.h"
#include "archive/recordset.h"
#include "archive/serverstore.h"
#include "support/testserver.h"

#include <QDir>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

ArchiveFixture::ArchiveFixture(bool demo)
{
    if (TestServer::wanted()) {
        TestServer *server = TestServer::instance();
        if (!server) {
            qWarning("no test server: %s", qPrintable(TestServer::unavailableReason()));
            return;
        }
        location_ = server->newDatabase();
    } else if (dir_.isValid() && QDir(dir_.path()).mkdir(QStringLiteral("archivi"))) {
        location_ = dir_.filePath(QStringLiteral("archivi"));
    }
    if (location_.isEmpty())
        return;
    try {
        FreshArchives::create(folder(),
                              demo ? FreshArchives::Content::Demo : FreshArchives::Content::Empty);
        valid_ = true;
    } catch (const ArchiveError &error) {
        qWarning("%s", error.what());
    }
}

bool ArchiveFixture::onServer() const
{
    return ArchivePath::isServer(location_);
}

QString ArchiveFixture::path(const QString &archive) const
{
    return onServer() ? ArchivePath::join(location_, archive) : QDir(folder()).filePath(archive);
}

bool ArchiveFixture::run(const QString &archive, const QStringList &statements) const
{
    if (!onServer())
        return SqliteFile::run(path(archive), statements);
    ArchiveConnection connection(path(archive));
    QSqlQuery query(connection.database());
    for (QString statement : statements) {
        // The tests write in the files' dialect; the server folds names and keeps its own
        // row order column.
        static const QRegularExpression quotedName(QStringLiteral("\"[^\"]*\""));
        for (const QRegularExpressionMatch &name : quotedName.globalMatch(statement))
            statement.replace(name.captured(), name.captured().toLower());
        statement.replace(QRegularExpression(QStringLiteral("\\browid\\b")),
                          ServerStore::rowOrderColumn());
        if (!query.exec(statement)) {
            qWarning() << statement << query.lastError().text();
            return false;
        }
    }
    return true;
}

bool ArchiveFixture::remove(const QString &archive) const
{
    if (!onServer())
        return QDir(folder()).remove(archive);
    return run(ArchivePath::kz4(),
               {QStringLiteral("DROP SCHEMA %1 CASCADE").arg(ServerStore::schemaOf(archive))});
}

bool ArchiveFixture::addOperator(qint32 id, const QString &name) const
{
    return run(QStringLiteral("KZ4.mdb"),
               {QStringLiteral("INSERT INTO Utenti(ID, Nominativo) VALUES(%1, '%2')")
                    .arg(id)
                    .arg(QString(name).replace(u'\'', QStringLiteral("''")))});
}

bool ArchiveFixture::setDuty(const QString &dayTable, int counter, const QString &hourField,
                             qint32 id) const
{
    try {
        RecordSet day;
        day.bind(path(QStringLiteral("Totem.mdb")), dayTable);
        day.open();
        for (int i = 1; i < counter; ++i)
            day.moveNext();
        day.edit();
        day.setValue(hourField, id);
        day.update();
        return true;
    } catch (const ArchiveError &error) {
        qWarning("%s", error.what());
        return false;
    }
}

QString ArchiveFixture::firstValue(const QString &archive, const QString &table,
                                   const QString &field) const
{
    RecordSet set;
    set.bind(path(archive), table);
    set.open();
    return set.text(field);
}

QList<QVariantList> ArchiveFixture::dayRows(const QString &dayTable) const
{
    RecordSet set;
    set.bind(path(QStringLiteral("Totem.mdb")), dayTable);
    set.open();
    QList<QVariantList> rows;
    for (; !set.isEof(); set.moveNext()) {
        QVariantList row;
        for (const QString &field : ArchiveSchema::hourFields())
            row << set.value(field);
        rows << row;
    }
    return rows;
}

namespace {
// Runs `use` on a connection of its own to the file, closed again before it returns.
template <typename F> void withConnection(const QString &path, F &&use)
{
    static int serial = 0;
    const QString name = QStringLiteral("test-sqlitefile-%1").arg(++serial);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        use(db);
    }
    QSqlDatabase::removeDatabase(name);
}
} // namespace

bool SqliteFile::run(const QString &path, const QStringList &statements)
{
    bool ok = false;
    withConnection(path, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        ok = db.open();
        for (auto it = statements.begin(); ok && it != statements.end(); ++it) {
            if (!query.exec(*it))
                qWarning() << *it << query.lastError().text();
            ok = !query.lastError().isValid();
        }
        if (!db.isOpen())
            qWarning() << "cannot open" << path << db.lastError().text();
    });
    return ok;
}

QString SqliteFile::integrity(const QString &path)
{
    QString verdict;
    withConnection(path, [&](QSqlDatabase &db) {
        QSqlQuery check(db);
        verdict = !db.open() ? db.lastError().text()
                  : check.exec(QStringLiteral("PRAGMA integrity_check")) && check.next()
                      ? check.value(0).toString()
                      : check.lastError().text();
    });
    return verdict;
}

QStringList SqliteFile::rows(const QString &path, const QString &select)
{
    QStringList rows;
    withConnection(path, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (!db.open() || !query.exec(select))
            qWarning() << "cannot read" << path << select;
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i) {
                const QVariant v = query.value(i);
                fields << (v.isNull() ? u"NULL"_qs : v.typeName() + u":"_qs + v.toString());
            }
            rows << fields.join(u' ');
        }
    });
    return rows;
}
