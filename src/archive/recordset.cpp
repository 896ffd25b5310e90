#include "archive/recordset.h"

#include "archive/archiveconnection.h"
#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/fieldvalue.h"
#include "archive/findcriteria.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>
#include <limits>

namespace {

bool isSelectStatement(const QString &source)
{
    return source.trimmed().startsWith(QStringLiteral("select"), Qt::CaseInsensitive)
           && source.trimmed().size() > 6 && source.trimmed().at(6).isSpace();
}

} // namespace

void RecordSet::bind(const QString &archivePath, const QString &recordSource)
{
    path_ = archivePath;
    source_ = recordSource;
    clear();
}

void RecordSet::clear()
{
    table_.clear();
    columns_.clear();
    rows_.clear();
    position_ = 0;
    opened_ = false;
    editing_ = false;
}

void RecordSet::open()
{
    // Opening replaces the previous record set, even when it fails.
    clear();

    ArchiveConnection connection(path_);
    ArchiveStore &store = connection.store();
    const bool select = isSelectStatement(source_);

    QStringList declaredTypes;
    QString sql;
    if (select) {
        declaredTypes = store.declaredTypesOf(source_);
        sql = store.statement(source_);
    } else {
        table_ = connection.storedTableName(source_);
        const QList<ArchiveStore::StoredColumn> stored = store.columns(table_);
        for (const ArchiveStore::StoredColumn &column : stored)
            declaredTypes << column.declaredType;
        sql = store.naturalOrderSelect(table_, stored);
    }

    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
        const ArchiveError error = ArchiveError::fromSql(path_, query.lastError(), false);
        // A statement that names a missing table or field is the caller's mistake, not a
        // sick archive: say which selection could not be read.
        if (select && error.reason() == ArchiveError::Reason::Other)
            throw ArchiveError(ArchiveError::Reason::MissingTable,
                               QStringLiteral("La selezione «%1» non può essere letta "
                                              "dall'archivio %2.")
                                   .arg(source_, ArchivePath::fileName(path_)),
                               error.detail());
        throw error;
    }

    const QSqlRecord record = query.record();
    const int first = select ? 0 : 1; // the table form carries the row key first
    QList<int> shown;
    for (int i = first; i < record.count(); ++i) {
        if (select && store.isOwnColumn(record.fieldName(i)))
            continue;
        Column column;
        column.storedName = record.fieldName(i);
        column.name = store.fieldName(column.storedName);
        const qsizetype j = shown.size();
        column.declaredType = j < declaredTypes.size() ? declaredTypes.at(j) : QString();
        column.kind = fieldKindFromDeclaredType(column.declaredType);
        columns_ << column;
        shown << i;
    }
    while (query.next()) {
        Row row;
        if (!select)
            row.rowid = query.value(0).toLongLong();
        row.values.reserve(columns_.size());
        for (qsizetype i = 0; i < columns_.size(); ++i)
            row.values << FieldValue::fromStorage(columns_.at(i).kind, query.value(shown.at(i)));
        rows_ << row;
    }
    if (query.lastError().isValid())
        throw ArchiveError::fromSql(path_, query.lastError(), false);
    opened_ = true;
}

void RecordSet::moveFirst()
{
    position_ = 0;
    editing_ = false;
}

void RecordSet::moveNext()
{
    if (isEof())
        throw ArchiveError(ArchiveError::Reason::NoCurrentRecord,
                           QStringLiteral("Non ci sono altri record (%1).").arg(describe()));
    ++position_;
    editing_ = false;
}

double RecordSet::percentPosition() const
{
    if (rows_.isEmpty() || isEof())
        return 100.0;
    return 100.0 * double(position_) / double(rows_.size());
}

bool RecordSet::findFirst(const QString &criteria)
{
    const FindCriteria condition = FindCriteria::parse(criteria);
    const int field = requireField(condition.field());
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        if (condition.matches(rows_.at(i).values.at(field))) {
            position_ = i;
            editing_ = false;
            return true;
        }
    }
    return false;
}

int RecordSet::fieldIndex(const QString &field) const
{
    const QString wanted = field.trimmed();
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_.at(i).name.compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int RecordSet::requireField(const QString &field) const
{
    const int index = fieldIndex(field);
    if (index < 0)
        throw ArchiveError(ArchiveError::Reason::MissingField,
                           QStringLiteral("Campo %1 non trovato (%2).").arg(field, describe()));
    return index;
}

const RecordSet::Row &RecordSet::currentRow() const
{
    if (!opened_ || isEof())
        throw ArchiveError(ArchiveError::Reason::NoCurrentRecord,
                           QStringLiteral("Il record richiesto non esiste (%1).").arg(describe()));
    return rows_.at(position_);
}

QVariant RecordSet::value(int index) const
{
    if (index < 0 || index >= columns_.size())
        throw ArchiveError(
            ArchiveError::Reason::MissingField,
            QStringLiteral("Campo numero %1 non trovato (%2).").arg(index + 1).arg(describe()));
    if (editing_)
        return editBuffer_.at(index);
    return currentRow().values.at(index);
}

QVariant RecordSet::value(const QString &field) const
{
    return value(requireField(field));
}

QString RecordSet::text(const QString &field) const
{
    return FieldValue::toDisplayText(value(field));
}

qint32 RecordSet::toInt32(const QString &field) const
{
    const QVariant v = value(field);
    bool ok = false;
    const double number = v.toDouble(&ok);
    if (v.isNull() || !ok || !std::isfinite(number)
        || std::nearbyint(number) < std::numeric_limits<qint32>::min()
        || std::nearbyint(number) > std::numeric_limits<qint32>::max())
        throw ArchiveError(ArchiveError::Reason::BadValue,
                           QStringLiteral("Il campo %1 non contiene un numero valido (%2).")
                               .arg(field, describe()),
                           v.toString());
    return qint32(std::nearbyint(number));
}

float RecordSet::toSingle(const QString &field) const
{
    const QVariant v = value(field);
    bool ok = false;
    const double number = v.toDouble(&ok);
    if (v.isNull() || !ok || !std::isfinite(number))
        throw ArchiveError(ArchiveError::Reason::BadValue,
                           QStringLiteral("Il campo %1 non contiene un numero valido (%2).")
                               .arg(field, describe()),
                           v.toString());
    return float(number);
}

bool RecordSet::isTrue(const QString &field) const
{
    const QVariant v = value(field);
    return v.typeId() == QMetaType::Bool && v.toBool();
}

void RecordSet::edit()
{
    if (table_.isEmpty())
        throw ArchiveError(
            ArchiveError::Reason::NotUpdatable,
            QStringLiteral("I record di questa selezione non possono essere modificati (%1).")
                .arg(describe()));
    editBuffer_ = currentRow().values;
    dirty_ = QList<bool>(columns_.size(), false);
    editing_ = true;
}

void RecordSet::setValue(const QString &field, const QVariant &value)
{
    const int index = requireField(field);
    if (!editing_)
        throw ArchiveError(ArchiveError::Reason::NotUpdatable,
                           QStringLiteral("Scrittura del campo %1 senza modifica in corso (%2).")
                               .arg(field, describe()));
    const FieldKind kind = columns_.at(index).kind;
    editBuffer_[index] = FieldValue::fromStorage(kind, FieldValue::toStorage(kind, value, field));
    dirty_[index] = true;
}

void RecordSet::update()
{
    if (!editing_)
        throw ArchiveError(
            ArchiveError::Reason::NotUpdatable,
            QStringLiteral("Aggiornamento senza modifica in corso (%1).").arg(describe()));
    QStringList assignments;
    QList<QVariant> bound;
    for (int i = 0; i < columns_.size(); ++i) {
        if (!dirty_.at(i))
            continue;
        assignments << ArchiveConnection::quoted(columns_.at(i).storedName) + QStringLiteral("=?");
        bound << FieldValue::toStorage(columns_.at(i).kind, editBuffer_.at(i), columns_.at(i).name);
    }
    if (!assignments.isEmpty()) {
        ArchiveConnection connection(path_);
        QSqlQuery query(connection.database());
        // A file swapped for something else since open() fails here; its error, not the
        // binding's that would follow, says what happened.
        if (!query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3=?")
                               .arg(ArchiveConnection::quoted(table_), assignments.join(u','),
                                    connection.store().rowKey())))
            throw ArchiveError::fromSql(path_, query.lastError(), true);
        for (const QVariant &v : std::as_const(bound))
            query.addBindValue(v);
        query.addBindValue(rows_.at(position_).rowid);
        if (!query.exec())
            throw ArchiveError::fromSql(path_, query.lastError(), true);
        if (query.numRowsAffected() != 1)
            throw ArchiveError(
                ArchiveError::Reason::NoCurrentRecord,
                QStringLiteral("Il record da aggiornare non esiste più (%1).").arg(describe()));
    }
    rows_[position_].values = editBuffer_;
    editing_ = false;
}

void RecordSet::cancelUpdate()
{
    editing_ = false;
}

QString RecordSet::describe() const
{
    const QString file = ArchivePath::fileName(path_);
    if (table_.isEmpty() && isSelectStatement(source_))
        return QStringLiteral("selezione «%1», archivio %2").arg(source_, file);
    return QStringLiteral("tabella %1, archivio %2").arg(table_.isEmpty() ? source_ : table_, file);
}
