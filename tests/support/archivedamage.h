#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

// One way an installation's archive may be spoiled: a table gone, a field gone, or a field
// empty in every record. all() walks ArchiveSchema, so a table or field added there is
// damaged too without a test being touched.
class ArchiveDamage
{
public:
    enum class Kind
    {
        MissingTable,
        MissingField,
        EmptyField
    };

    Kind kind = Kind::MissingTable;
    QString archive; // KZ4.mdb, KZ4B.mdb or Totem.mdb
    QString table;
    QString field; // empty for a missing table

    static QList<ArchiveDamage> all();

    // "Totem.mdb Numerazione.P3 assente", unique among all().
    QString name() const;
    // What a report of this damage must name: the field, or the table.
    QString subject() const { return field.isEmpty() ? table : field; }
    // In that table and, when fields are given, in one of them (a missing table is in all).
    bool in(const QString &archiveName, const QString &tableName,
            const QStringList &fields = {}) const;

    // Spoils the archive of that name in folder; false when SQLite refuses.
    bool applyTo(const QString &folder) const;
};

Q_DECLARE_METATYPE(ArchiveDamage)
