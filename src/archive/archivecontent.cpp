#include "archive/archivecontent.h"

#include "core/office.h"

#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"

ArchiveContent ArchiveContent::empty()
{
    ArchiveContent content;

    content.addRecord(ArchivePath::kz4(), ArchiveSchema::configurationTable(),
                      {{ArchiveSchema::labelSetField(), ArchiveSchema::DefaultLabelSet}});
    const QString labels = ArchiveSchema::labelTable(ArchiveSchema::DefaultLabelSet);
    for (int counter = 1; counter <= ArchiveSchema::CounterCount; ++counter)
        content.addRecord(
            ArchivePath::kz4(), labels,
            {{ArchiveSchema::labelKeyField(), ArchiveSchema::counterLabelKey(counter)},
             {ArchiveSchema::labelTextField(), QStringLiteral("Postazione %1").arg(counter)}});

    for (int counter = 1; counter <= ArchiveSchema::CounterCount; ++counter)
        content.addRecord(ArchivePath::kz4b(), ArchiveSchema::servedNumberTable(counter),
                          {{ArchiveSchema::servedNumberField(), 0}});

    // Every field of the one-record tables and of the schedule gets an explicit 0: the
    // kiosk converts these values to numbers and an empty field there is an error.
    const ArchiveSchema::Archive &totem = ArchiveSchema::totem();
    for (const QString &table :
         {ArchiveSchema::currentNumbersTable(), ArchiveSchema::initialNumbersTable()}) {
        Record zeros;
        for (const QString &field : totem.table(table)->fieldNames())
            zeros.insert(field, 0);
        content.addRecord(ArchivePath::totem(), table, zeros);
    }

    Record ticket;
    for (const ArchiveSchema::Field &field : totem.table(ArchiveSchema::ticketTable())->fields)
        ticket.insert(field.name,
                      field.kind == FieldKind::Text ? QVariant(QStringLiteral("")) : QVariant(0));
    ticket.insert(QStringLiteral("ID"), 1);
    content.addRecord(ArchivePath::totem(), ArchiveSchema::ticketTable(), ticket);

    Record nobody;
    for (const QString &hour : ArchiveSchema::hourFields())
        nobody.insert(hour, 0);
    for (const QString &day : ArchiveSchema::dayTables()) {
        for (int counter = 1; counter <= ArchiveSchema::CounterCount; ++counter)
            content.addRecord(ArchivePath::totem(), day, nobody);
    }

    content.setRecords(ArchivePath::totem(), ArchiveSchema::screenLayoutTable(),
                       screenLayoutRecords(designLayout()));
    return content;
}

ArchiveContent::ScreenLayout ArchiveContent::designLayout()
{
    ScreenLayout layout;
    layout.title = QStringLiteral("Benvenuti");
    layout.fontName = QStringLiteral("DejaVu Sans");
    layout.titleFontSize = 18;
    layout.titleBold = true;
    layout.titleBackground = colour(255, 255, 255);
    layout.titleText = colour(0, 0, 128);
    layout.barBackground = colour(224, 224, 224);
    layout.barTexts = colour(0, 0, 0);
    layout.buttonFontSize = 12;
    layout.buttonBold = true;
    layout.buttonStyle = 0;
    layout.buttonText = colour(0, 0, 0);
    layout.panelBackgrounds.fill(colour(225, 226, 236));
    layout.panelTexts = colour(0, 0, 128);
    layout.singleQueueCaption = QStringLiteral("Coda Unica");
    layout.screenBackground = colour(240, 240, 240);

    layout.positions[0] = QPointF(240, 240);
    layout.positions[1] = QPointF(240, 1080);
    const std::array<qreal, 5> lefts{240, 3840, 7440, 11040, 14640};
    for (int i = 0; i < Office::CounterCount; ++i)
        layout.positions[2 + i] = QPointF(lefts[i % 5], i < 5 ? 2040 : 6360);
    layout.positions[12] = QPointF(15000, 4680);
    return layout;
}

QList<ArchiveContent::Record> ArchiveContent::screenLayoutRecords(const ScreenLayout &layout)
{
    const auto position = [&layout](int i) {
        return Record{{QStringLiteral("left"), layout.positions[i].x()},
                      {QStringLiteral("top"), layout.positions[i].y()}};
    };

    QList<Record> records;

    Record title = position(0);
    title.insert(QStringLiteral("TestoTitolo"), layout.title);
    title.insert(QStringLiteral("NomeFont"), layout.fontName);
    title.insert(QStringLiteral("DimFont"), layout.titleFontSize);
    title.insert(QStringLiteral("FontBold"), layout.titleBold);
    title.insert(QStringLiteral("FontItalic"), false);
    title.insert(QStringLiteral("Visibile"), true);
    title.insert(QStringLiteral("ColoreSfondo"), layout.titleBackground);
    title.insert(QStringLiteral("ColoreTesto"), layout.titleText);
    records << title;

    Record bar = position(1);
    bar.insert(QStringLiteral("ColoreSfondo"), layout.barBackground);
    bar.insert(QStringLiteral("ColoreTestiFissi"), layout.barTexts);
    bar.insert(QStringLiteral("Visibile"), true);
    records << bar;

    for (int line = 0; line < ArchiveSchema::LineCount; ++line) {
        Record panel = position(2 + line);
        panel.insert(QStringLiteral("Appearance"), layout.buttonStyle);
        panel.insert(QStringLiteral("NomeFont"), layout.fontName);
        panel.insert(QStringLiteral("DimFont"), layout.buttonFontSize);
        panel.insert(QStringLiteral("FontBold"), layout.buttonBold);
        panel.insert(QStringLiteral("FontItalic"), false);
        panel.insert(QStringLiteral("ColoreSfondoPannello"), layout.panelBackgrounds[line]);
        panel.insert(QStringLiteral("ColoreTesto"), layout.buttonText);
        panel.insert(QStringLiteral("ColoreTestiFissi"), layout.panelTexts);
        panel.insert(QStringLiteral("Visibile"), true);
        if (line == ArchiveSchema::LineCount - 1)
            panel.insert(QStringLiteral("TestoPulsante"), layout.singleQueueCaption);
        records << panel;
    }

    // An empty text, not an empty field: no background picture.
    records << Record{{QStringLiteral("ColoreSfondo"), layout.screenBackground},
                      {QStringLiteral("PercorsoImmagine"), QStringLiteral("")}};
    return records;
}

namespace {

bool sameTable(const ArchiveContent::TableRecords &t, const QString &archive, const QString &table)
{
    return t.archive.compare(archive, Qt::CaseInsensitive) == 0
           && t.table.compare(table, Qt::CaseInsensitive) == 0;
}

} // namespace

ArchiveContent::TableRecords *ArchiveContent::find(const QString &archive, const QString &table)
{
    for (TableRecords &t : tables_) {
        if (sameTable(t, archive, table))
            return &t;
    }
    return nullptr;
}

void ArchiveContent::setRecords(const QString &archive, const QString &table, QList<Record> records)
{
    if (TableRecords *t = find(archive, table))
        t->records = std::move(records);
    else
        tables_ << TableRecords{archive, table, std::move(records)};
}

void ArchiveContent::addRecord(const QString &archive, const QString &table, Record record)
{
    if (TableRecords *t = find(archive, table))
        t->records << std::move(record);
    else
        tables_ << TableRecords{archive, table, {std::move(record)}};
}

QList<ArchiveContent::Record> ArchiveContent::records(const QString &archive,
                                                      const QString &table) const
{
    for (const TableRecords &t : tables_) {
        if (sameTable(t, archive, table))
            return t.records;
    }
    return {};
}

ArchiveContent ArchiveContent::read(const QString &folder)
{
    ArchiveContent content;
    for (const ArchiveSchema::Archive &archive : ArchiveSchema::archives()) {
        for (const ArchiveSchema::Table &table : archive.tables) {
            RecordSet records;
            records.bind(ArchivePath::join(folder, archive.fileName), table.name);
            records.open();
            QList<Record> rows;
            for (; !records.isEof(); records.moveNext()) {
                Record row;
                for (const ArchiveSchema::Field &field : table.fields)
                    row.insert(field.name, records.value(field.name));
                rows << row;
            }
            content.setRecords(archive.fileName, table.name, rows);
        }
    }
    return content;
}
