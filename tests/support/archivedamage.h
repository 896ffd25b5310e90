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

    // Every table missing in turn, then every field missing in turn, then every field empty.
    static QList<ArchiveDamage> all();
    // Adds one QTest row per damage, named by it, with the column "damage".
    static void addRows();

    // "Totem.mdb Numerazione.P3 assente", unique among all().
    QString name() const;
    // What a report of this damage must name: the field, or the table.
    QString subject() const { return field.isEmpty() ? table : field; }

    bool inArchive(const QString &archiveName) const;
    bool inTable(const QString &archiveName, const QString &tableName) const;
    // In one of the fields of that table (a missing table counts as in every field).
    bool inFields(const QString &archiveName, const QString &tableName,
                  const QStringList &fields) const;

    // Spoils the archive of that name in folder; fails the test when SQLite refuses.
    bool applyTo(const QString &folder) const;
};

Q_DECLARE_METATYPE(ArchiveDamage)
