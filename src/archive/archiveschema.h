#pragma once

#include "archive/fieldkind.h"
#include "core/office.h"

#include <QList>
#include <QString>
#include <QStringList>

// Every table and field of the three archives that the kiosk reads or writes, with the
// column types that a fresh archive declares. The kiosk matches names without regard to
// case; the spellings here are the stored ones. Tables may hold further fields that the
// kiosk ignores, so this describes what must be there, not all that may be there.
class ArchiveSchema
{
public:
    struct Field
    {
        QString name;
        FieldKind kind = FieldKind::Long;
    };

    struct Table
    {
        QString name;
        QList<Field> fields;

        QStringList fieldNames() const;
        // The field spelled so without regard to case, or nullptr.
        const Field *field(const QString &fieldName) const;
    };

    struct Archive
    {
        QString fileName; // KZ4.mdb, KZ4B.mdb or Totem.mdb
        QList<Table> tables;

        const Table *table(const QString &tableName) const;
    };

    static constexpr int CounterCount = Office::CounterCount;
    static constexpr int LineCount = Office::LineCount;
    static constexpr int FirstHour = 7; // the hour field `sette`
    static constexpr int LastHour = 20; // the hour field `venti`
    static constexpr int HourCount = LastHour - FirstHour + 1;
    static constexpr int DayCount = 7;
    static constexpr int LayoutRecordCount = 14;
    static constexpr int DefaultLabelSet = 1;

    // The three archives in the order KZ4.mdb, KZ4B.mdb, Totem.mdb; KZ4.mdb carries the
    // label table of the default label set.
    static const QList<Archive> &archives();
    static const Archive &kz4();
    static const Archive &kz4b();
    static const Archive &totem();
    // The archive of that file name, without regard to case, or nullptr.
    static const Archive *archive(const QString &fileName);

    // KZ4.mdb
    static QString configurationTable() { return QStringLiteral("configurazione"); }
    static QString labelSetField() { return QStringLiteral("qualelayout"); }
    // "Layout" followed by the label set number: the table of the counter names.
    static QString labelTable(qint32 labelSet);
    static QString labelKeyField() { return QStringLiteral("DescCampo"); }
    static QString labelTextField() { return QStringLiteral("Testo"); }
    // "Postazione1" to "Postazione10": the label keys of the counter names.
    static QString counterLabelKey(int counter);
    static QString operatorsTable() { return QStringLiteral("Utenti"); }
    static QString operatorIdField() { return QStringLiteral("ID"); }
    static QString operatorNameField() { return QStringLiteral("Nominativo"); }

    // KZ4B.mdb: "NumeriCode1" to "NumeriCode10", the number being served at a counter.
    static QString servedNumberTable(int counter);
    static QString servedNumberField() { return QStringLiteral("NumeroA1"); }

    // Totem.mdb
    static QString currentNumbersTable() { return QStringLiteral("Numerazione"); }
    // "P1" to "P11" for numbering lines 1 to 11 (line 11 is the single queue).
    static QString currentNumberField(int line);
    static QString singleQueueCopyField() { return QStringLiteral("P11Q"); }
    static QString initialNumbersTable() { return QStringLiteral("NumerazioneIniziale"); }
    // "P11" to "P21" for numbering lines 1 to 11.
    static QString initialNumberField(int line);
    static QString ticketTable() { return QStringLiteral("DatiDaStampare"); }
    static QStringList ticketFields();
    static QString screenLayoutTable() { return QStringLiteral("Layout1"); }
    static QStringList screenLayoutFields();

    // The seven schedule tables, Monday first; a day's ten records are the ten counters.
    static const QStringList &dayTables();
    // The schedule table of a weekday as Qt numbers them (1 = Monday .. 7 = Sunday).
    static QString dayTable(int weekday);
    // `sette` .. `venti`, in the order of the hours 07 to 20.
    static const QStringList &hourFields();
    // The field of the hour that begins at hour:00, or an empty text outside 07..20.
    static QString hourField(int hour);
};
