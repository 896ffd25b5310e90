#include "archive/archiveschema.h"

#include "archive/archivepath.h"

namespace {

using Field = ArchiveSchema::Field;
using Table = ArchiveSchema::Table;
using Archive = ArchiveSchema::Archive;

Table uniformTable(const QString &name, const QStringList &fields, FieldKind kind)
{
    Table t{name, {}};
    for (const QString &field : fields)
        t.fields << Field{field, kind};
    return t;
}

QStringList numbered(const QString &prefix, int first, int last)
{
    QStringList names;
    for (int n = first; n <= last; ++n)
        names << prefix + QString::number(n);
    return names;
}

Archive makeKz4()
{
    Archive a{ArchivePath::kz4(), {}};
    a.tables << Table{ArchiveSchema::configurationTable(),
                      {{ArchiveSchema::labelSetField(), FieldKind::Long}}};
    a.tables << Table{ArchiveSchema::labelTable(ArchiveSchema::DefaultLabelSet),
                      {{ArchiveSchema::labelKeyField(), FieldKind::Text},
                       {ArchiveSchema::labelTextField(), FieldKind::Text}}};
    a.tables << Table{ArchiveSchema::operatorsTable(),
                      {{ArchiveSchema::operatorIdField(), FieldKind::Long},
                       {ArchiveSchema::operatorNameField(), FieldKind::Text}}};
    return a;
}

Archive makeKz4b()
{
    Archive a{ArchivePath::kz4b(), {}};
    for (int counter = 1; counter <= ArchiveSchema::CounterCount; ++counter)
        a.tables << Table{ArchiveSchema::servedNumberTable(counter),
                          {{ArchiveSchema::servedNumberField(), FieldKind::Long}}};
    return a;
}

Archive makeTotem()
{
    Archive a{ArchivePath::totem(), {}};
    a.tables << uniformTable(ArchiveSchema::currentNumbersTable(),
                             numbered(QStringLiteral("P"), 1, ArchiveSchema::LineCount)
                                 << ArchiveSchema::singleQueueCopyField(),
                             FieldKind::Long);
    a.tables << uniformTable(
        ArchiveSchema::initialNumbersTable(),
        numbered(QStringLiteral("P"), ArchiveSchema::LineCount, 2 * ArchiveSchema::LineCount - 1),
        FieldKind::Long);
    a.tables << Table{ArchiveSchema::ticketTable(),
                      {{QStringLiteral("ID"), FieldKind::Long},
                       {QStringLiteral("Titolo"), FieldKind::Text},
                       {QStringLiteral("QualeUtente"), FieldKind::Text},
                       {QStringLiteral("QualePostazione"), FieldKind::Text},
                       {QStringLiteral("QualeData"), FieldKind::Text},
                       {QStringLiteral("QualeOra"), FieldKind::Text},
                       {QStringLiteral("NumeroDaStampare"), FieldKind::Long}}};
    for (const QString &day : ArchiveSchema::dayTables())
        a.tables << uniformTable(day, ArchiveSchema::hourFields(), FieldKind::Long);
    // The union of what the fourteen records use; a record leaves empty what it has no
    // use for (the bar has no font, the screen record no position).
    a.tables << Table{ArchiveSchema::screenLayoutTable(),
                      {{QStringLiteral("top"), FieldKind::Single},
                       {QStringLiteral("left"), FieldKind::Single},
                       {QStringLiteral("TestoTitolo"), FieldKind::Text},
                       {QStringLiteral("NomeFont"), FieldKind::Text},
                       {QStringLiteral("DimFont"), FieldKind::Single},
                       {QStringLiteral("FontBold"), FieldKind::Boolean},
                       {QStringLiteral("FontItalic"), FieldKind::Boolean},
                       {QStringLiteral("Visibile"), FieldKind::Boolean},
                       {QStringLiteral("ColoreSfondo"), FieldKind::Long},
                       {QStringLiteral("ColoreTesto"), FieldKind::Long},
                       {QStringLiteral("ColoreTestiFissi"), FieldKind::Long},
                       {QStringLiteral("Appearance"), FieldKind::Long},
                       {QStringLiteral("ColoreSfondoPannello"), FieldKind::Long},
                       {QStringLiteral("TestoPulsante"), FieldKind::Text},
                       {QStringLiteral("PercorsoImmagine"), FieldKind::Text}}};
    return a;
}

} // namespace

QStringList ArchiveSchema::Table::fieldNames() const
{
    QStringList names;
    for (const Field &f : fields)
        names << f.name;
    return names;
}

const ArchiveSchema::Field *ArchiveSchema::Table::field(const QString &fieldName) const
{
    for (const Field &f : fields) {
        if (f.name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return &f;
    }
    return nullptr;
}

const ArchiveSchema::Table *ArchiveSchema::Archive::table(const QString &tableName) const
{
    for (const Table &t : tables) {
        if (t.name.compare(tableName, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

const QList<ArchiveSchema::Archive> &ArchiveSchema::archives()
{
    static const QList<Archive> all{makeKz4(), makeKz4b(), makeTotem()};
    return all;
}

const ArchiveSchema::Archive &ArchiveSchema::kz4()
{
    return archives().at(0);
}

const ArchiveSchema::Archive &ArchiveSchema::kz4b()
{
    return archives().at(1);
}

const ArchiveSchema::Archive &ArchiveSchema::totem()
{
    return archives().at(2);
}

const ArchiveSchema::Archive *ArchiveSchema::archive(const QString &fileName)
{
    for (const Archive &a : archives()) {
        if (a.fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return &a;
    }
    return nullptr;
}

QString ArchiveSchema::labelTable(qint32 labelSet)
{
    return QStringLiteral("Layout") + QString::number(labelSet);
}

QString ArchiveSchema::counterLabelKey(int counter)
{
    return QStringLiteral("Postazione") + QString::number(counter);
}

QString ArchiveSchema::servedNumberTable(int counter)
{
    return QStringLiteral("NumeriCode") + QString::number(counter);
}

QString ArchiveSchema::currentNumberField(int line)
{
    return QStringLiteral("P") + QString::number(line);
}

QString ArchiveSchema::initialNumberField(int line)
{
    return QStringLiteral("P") + QString::number(line + LineCount - 1);
}

QStringList ArchiveSchema::ticketFields()
{
    return totem().table(ticketTable())->fieldNames();
}

QStringList ArchiveSchema::screenLayoutFields()
{
    return totem().table(screenLayoutTable())->fieldNames();
}

const QStringList &ArchiveSchema::dayTables()
{
    static const QStringList days{QStringLiteral("TotemLunedì"),    QStringLiteral("TotemMartedì"),
                                  QStringLiteral("TotemMercoledì"), QStringLiteral("TotemGiovedì"),
                                  QStringLiteral("TotemVenerdì"),   QStringLiteral("TotemSabato"),
                                  QStringLiteral("TotemDomenica")};
    return days;
}

QString ArchiveSchema::dayTable(int weekday)
{
    if (weekday < 1 || weekday > DayCount)
        return QString();
    return dayTables().at(weekday - 1);
}

const QStringList &ArchiveSchema::hourFields()
{
    static const QStringList hours{
        QStringLiteral("sette"),      QStringLiteral("otto"),        QStringLiteral("nove"),
        QStringLiteral("dieci"),      QStringLiteral("undici"),      QStringLiteral("dodici"),
        QStringLiteral("tredici"),    QStringLiteral("quattordici"), QStringLiteral("quindici"),
        QStringLiteral("sedici"),     QStringLiteral("diciassette"), QStringLiteral("diciotto"),
        QStringLiteral("diciannove"), QStringLiteral("venti")};
    return hours;
}

QString ArchiveSchema::hourField(int hour)
{
    if (hour < FirstHour || hour > LastHour)
        return QString();
    return hourFields().at(hour - FirstHour);
}
