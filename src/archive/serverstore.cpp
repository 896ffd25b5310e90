#include "archive/serverstore.h"

#include "archive/archiveconnection.h"
#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <libpq-fe.h>

#include <atomic>
#include <memory>

namespace {

QString literal(QString text)
{
    return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\'';
}

// A value as libpq's connection strings quote it.
QString conninfoValue(QString value)
{
    value.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + value + u'\'';
}

// The column names and type names of a relation, in their order, from the catalogue rather
// than information_schema, which costs a server several times as much.
QString attributesOf(const QString &relation)
{
    return QStringLiteral("SELECT a.attname, t.typname FROM pg_attribute a "
                          "JOIN pg_type t ON t.oid = a.atttypid "
                          "WHERE a.attrelid = %1::regclass AND a.attnum > 0 "
                          "AND NOT a.attisdropped ORDER BY a.attnum")
        .arg(literal(relation));
}

// The address sits in a plain file that every workstation can read: a password there is not
// used, and the log says so once.
void passwordIgnored()
{
    static std::atomic_bool told = false;
    if (!told.exchange(true))
        qWarning("La password scritta nell'indirizzo del server non viene usata: scriverla in "
                 "~/.pgpass o in PGPASSWORD.");
}

} // namespace

ServerStore::ServerStore(const QString &path, const QString &connectionName, int busyTimeoutMs)
    : ArchiveStore(path, connectionName)
{
    const QString address = ArchivePath::serverOf(path);
    if (address != path.trimmed())
        schema_ = schemaOf(ArchivePath::fileName(path));

    char *failure = nullptr;
    const std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> parsed(
        PQconninfoParse(address.toUtf8().constData(), &failure), &PQconninfoFree);
    if (!parsed) {
        const QString detail = failure ? QString::fromUtf8(failure) : QString();
        PQfreemem(failure);
        throw ArchiveError(ArchiveError::Reason::Unreachable,
                           QStringLiteral("L'indirizzo del server %1 non è valido.").arg(address),
                           detail);
    }

    db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
    if (!db_.isValid()) {
        QSqlDatabase::removeDatabase(name_);
        throw ArchiveError(ArchiveError::Reason::Unreachable,
                           QStringLiteral("Il driver PostgreSQL di Qt non è installato: gli "
                                          "archivi sul server non possono essere aperti."),
                           QStringLiteral("manca il pacchetto libqt6sql6-psql"));
    }
    QStringList options;
    QString serverOptions;
    for (const PQconninfoOption *option = parsed.get(); option->keyword; ++option) {
        if (!option->val)
            continue;
        const QString keyword = QString::fromUtf8(option->keyword);
        const QString value = QString::fromUtf8(option->val);
        if (keyword == u"host")
            db_.setHostName(value);
        else if (keyword == u"port")
            db_.setPort(value.toInt());
        else if (keyword == u"user")
            db_.setUserName(value);
        else if (keyword == u"dbname")
            db_.setDatabaseName(value);
        else if (keyword == u"options")
            serverOptions = value;
        else if (keyword == u"password")
            passwordIgnored();
        else if (keyword != u"connect_timeout")
            options << keyword + u'=' + conninfoValue(value);
    }
    // A lock of another client makes us wait as long as a lock on a file would; a server
    // that does not answer is given the same time to say so.
    QString settings =
        QStringLiteral("-c lock_timeout=%1 -c client_min_messages=warning").arg(busyTimeoutMs);
    if (!schema_.isEmpty())
        settings += QStringLiteral(" -c search_path=") + schema_;
    options << QStringLiteral("options=") + conninfoValue(serverOptions + u' ' + settings)
            << QStringLiteral("connect_timeout=%1").arg(qMax(2, (busyTimeoutMs + 999) / 1000))
            // A server that stops answering in the middle of a statement fails it within
            // seconds, rather than after the system's minutes of retransmission.
            << QStringLiteral("tcp_user_timeout=10000");
    db_.setConnectOptions(options.join(u';'));
    if (!db_.open())
        openingFailed();
}

QString ServerStore::schemaOf(const QString &fileName)
{
    return QFileInfo(fileName).completeBaseName().toLower();
}

QString ServerStore::columnType(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Boolean:
        return QStringLiteral("yesno");
    case FieldKind::Integer:
        return QStringLiteral("smallint");
    case FieldKind::Long:
        return QStringLiteral("long");
    case FieldKind::Single:
        return QStringLiteral("single");
    case FieldKind::Double:
        return QStringLiteral("double precision");
    case FieldKind::DateTime:
        return QStringLiteral("datetime");
    case FieldKind::Currency:
        return QStringLiteral("currency");
    case FieldKind::Byte:
        return QStringLiteral("byte");
    case FieldKind::Text:
        return QStringLiteral("text");
    case FieldKind::Memo:
        return QStringLiteral("memo");
    }
    return QStringLiteral("text");
}

QStringList ServerStore::schemaStatements(const QString &schema)
{
    const QString s = ArchiveConnection::quoted(schema);
    // Yes/no is kept as -1 and 0, as in the files, so that the counters' workstations read
    // and write it the same way in both.
    return {QStringLiteral("CREATE SCHEMA %1").arg(s),
            QStringLiteral("CREATE DOMAIN %1.yesno AS smallint").arg(s),
            QStringLiteral("CREATE DOMAIN %1.byte AS smallint").arg(s),
            QStringLiteral("CREATE DOMAIN %1.long AS integer").arg(s),
            QStringLiteral("CREATE DOMAIN %1.single AS real").arg(s),
            QStringLiteral("CREATE DOMAIN %1.datetime AS timestamp(0)").arg(s),
            QStringLiteral("CREATE DOMAIN %1.currency AS numeric(19,4)").arg(s),
            QStringLiteral("CREATE DOMAIN %1.memo AS text").arg(s)};
}

QStringList ServerStore::tableNames()
{
    QSqlQuery query(db_);
    // current_schema() is null when the archive's schema is not there: the archive is
    // missing, as a file can be.
    if (!query.exec(QStringLiteral(
            "SELECT s.name, c.relname FROM (SELECT current_schema() AS name) s "
            "LEFT JOIN pg_namespace n ON n.nspname = s.name "
            "LEFT JOIN pg_class c ON c.relnamespace = n.oid AND c.relkind IN ('r', 'v', 'p') "
            "ORDER BY c.oid")))
        throw ArchiveError::fromSql(path_, query.lastError(), false);
    QStringList names;
    while (query.next()) {
        if (query.isNull(0))
            throw ArchiveError(
                ArchiveError::Reason::Unreachable,
                QStringLiteral("Archivio non raggiungibile: %1").arg(ArchivePath::describe(path_)),
                QStringLiteral("lo schema %1 non esiste sul server").arg(schema_));
        if (!query.isNull(1))
            names << query.value(1).toString();
    }
    return names;
}

QList<ArchiveStore::StoredColumn> ServerStore::columns(const QString &storedTable)
{
    QSqlQuery query(db_);
    if (!query.exec(attributesOf(ArchiveConnection::quoted(storedTable))))
        throw ArchiveError::fromSql(path_, query.lastError(), false);
    QList<StoredColumn> columns;
    while (query.next()) {
        if (!isOwnColumn(query.value(0).toString()))
            columns << StoredColumn{query.value(0).toString(), query.value(1).toString()};
    }
    return columns;
}

QStringList ServerStore::declaredTypesOf(const QString &select)
{
    // A view keeps the domain of each column it passes on; the result itself carries only
    // the type beneath. A savepoint keeps a failing statement from spoiling a transaction
    // the statement runs in: its own failure is reported by the SELECT that follows.
    QSqlQuery info(db_);
    QStringList types;
    const bool inTransaction = inTransaction_ && info.exec(QStringLiteral("SAVEPOINT kiosk_types"));
    if (info.exec(QStringLiteral("CREATE OR REPLACE TEMP VIEW kiosk_record_source AS ")
                  + statement(select))
        && info.exec(attributesOf(QStringLiteral("pg_temp.kiosk_record_source")))) {
        while (info.next()) {
            if (!isOwnColumn(info.value(0).toString()))
                types << info.value(1).toString();
        }
    }
    if (inTransaction)
        info.exec(QStringLiteral("ROLLBACK TO SAVEPOINT kiosk_types"));
    return types;
}

QString ServerStore::statement(const QString &select) const
{
    // [Name] quotes a name in the files' dialect; here it becomes the folded name quoted.
    QString sql;
    sql.reserve(select.size());
    QChar quote;
    for (qsizetype i = 0; i < select.size(); ++i) {
        const QChar c = select.at(i);
        if (!quote.isNull()) {
            sql += c;
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
            sql += c;
        } else if (c == u'[') {
            const qsizetype close = select.indexOf(u']', i + 1);
            if (close < 0) {
                sql += select.mid(i);
                break;
            }
            sql += ArchiveConnection::quoted(storedName(select.mid(i + 1, close - i - 1)));
            i = close;
        } else {
            sql += c;
        }
    }
    return sql;
}

QString ServerStore::naturalOrderSelect(const QString &storedTable,
                                        const QList<StoredColumn> &columns) const
{
    QStringList names{rowKey()};
    for (const StoredColumn &column : columns)
        names << ArchiveConnection::quoted(column.name);
    return QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
        .arg(names.join(u", "), ArchiveConnection::quoted(storedTable), rowKey());
}

QString ServerStore::rowKey() const
{
    return ArchiveConnection::quoted(rowOrderColumn());
}

bool ServerStore::isOwnColumn(const QString &column) const
{
    return column == rowOrderColumn();
}

QString ServerStore::fieldName(const QString &storedName) const
{
    if (const ArchiveSchema::Archive *archive =
            ArchiveSchema::archive(ArchivePath::fileName(path_))) {
        for (const ArchiveSchema::Table &table : archive->tables) {
            if (const ArchiveSchema::Field *field = table.field(storedName))
                return field->name;
        }
    }
    return storedName;
}
