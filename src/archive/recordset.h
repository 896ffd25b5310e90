#pragma once

#include "archive/fieldkind.h"

#include <QList>
#include <QString>
#include <QVariant>

// A record-set binding (Data1, Data2, ...): an archive path and a record source (a table
// name or a SELECT statement). open() reads the whole record set in one operation and
// closes the archive again; update() writes the current record back in another. Between
// operations no connection is held, so each operation sees the archive as it is now.
//
// Values come back typed by the column's kind (bool, qint32, float, double, QDateTime,
// QString); an empty field is a null QVariant. Every failure is an ArchiveError.
class RecordSet
{
public:
    struct Column
    {
        QString name;
        QString storedName; // as the store spells it in its statements
        QString declaredType;
        FieldKind kind = FieldKind::Text;
    };

    void bind(const QString &archivePath, const QString &recordSource);
    void open();

    const QString &archivePath() const { return path_; }
    const QString &recordSource() const { return source_; }
    // The table's stored name for a table source; empty for a SELECT.
    const QString &tableName() const { return table_; }

    int recordCount() const { return int(rows_.size()); }
    bool isEof() const { return position_ >= rows_.size(); }
    int position() const { return int(position_); }
    void moveFirst();
    void moveNext();
    // Where the current record lies in the set, 0 to 100.
    double percentPosition() const;
    // Positions on the first matching record; a failed search leaves the position alone.
    bool findFirst(const QString &criteria);

    int fieldCount() const { return int(columns_.size()); }
    const Column &column(int index) const { return columns_.at(index); }
    QString fieldName(int index) const { return columns_.at(index).name; }
    FieldKind fieldKind(int index) const { return columns_.at(index).kind; }
    int fieldIndex(const QString &field) const; // -1 when absent
    bool hasField(const QString &field) const { return fieldIndex(field) >= 0; }

    QVariant value(int index) const;
    QVariant value(const QString &field) const;
    bool isNull(const QString &field) const { return value(field).isNull(); }
    // The value appended to an empty text: an empty field reads as "".
    QString text(const QString &field) const;
    // A field that must hold a number: an empty or non-numeric value is an error.
    qint32 toInt32(const QString &field) const;
    float toSingle(const QString &field) const;
    // Yes/no tested for being true: an empty field is false.
    bool isTrue(const QString &field) const;

    void edit();
    void setValue(const QString &field, const QVariant &value);
    void update();
    void cancelUpdate();
    bool isEditing() const { return editing_; }

private:
    struct Row
    {
        qint64 rowid = -1;
        QList<QVariant> values;
    };

    void clear();
    int requireField(const QString &field) const;
    const Row &currentRow() const;
    QString describe() const;

    QString path_;
    QString source_;
    QString table_;
    QList<Column> columns_;
    QList<Row> rows_;
    qsizetype position_ = 0;
    bool opened_ = false;
    bool editing_ = false;
    QList<QVariant> editBuffer_;
    QList<bool> dirty_;
};
