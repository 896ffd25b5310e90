#pragma once

#include "core/office.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QVariantMap>

#include <array>

// The records that a fresh installation starts with, table by table, in natural order.
// Tables are addressed by archive file and name, because `Layout1` is a different table in
// KZ4.mdb and in Totem.mdb. A record maps field names (as the schema spells them) to
// values; a field it leaves out stays empty. Tables without records are simply absent.
class ArchiveContent
{
public:
    using Record = QVariantMap;

    // What the fourteen records of the screen layout table hold.
    struct ScreenLayout
    {
        QString title;
        QString fontName;
        double titleFontSize = 0;
        bool titleBold = false;
        qint32 titleBackground = 0;
        qint32 titleText = 0;
        qint32 barBackground = 0;
        qint32 barTexts = 0;
        double buttonFontSize = 0;
        bool buttonBold = false;
        qint32 buttonStyle = 0; // Appearance, 0 to 6
        qint32 buttonText = 0;
        std::array<qint32, Office::LineCount> panelBackgrounds{};
        qint32 panelTexts = 0; // one value for the fixed labels of all eleven panels
        QString singleQueueCaption;
        qint32 screenBackground = 0;
        // Left and top in twips: the title, the bar, then the panels of lines 1 to 11.
        std::array<QPointF, 13> positions{};
    };

    // A colour value as the archives keep it, 0x00BBGGRR.
    static constexpr qint32 colour(int red, int green, int blue)
    {
        return qint32(red) | qint32(green) << 8 | qint32(blue) << 16;
    }

    // The records that the kiosk needs, with neutral values: label set 1 with the ten
    // counter names, no operators, every number 0, nobody on duty, and the public screen
    // arranged as it was designed.
    static ArchiveContent empty();

    // Every record of every table the kiosk knows, read from an installation's archives
    // (a folder or a server), with the fields the schema names.
    static ArchiveContent read(const QString &folder);

    // The public screen as it was designed, in twips.
    static ScreenLayout designLayout();
    static QList<Record> screenLayoutRecords(const ScreenLayout &layout);

    void setRecords(const QString &archive, const QString &table, QList<Record> records);
    void addRecord(const QString &archive, const QString &table, Record record);
    // Matched without regard to case; empty for a table without records.
    QList<Record> records(const QString &archive, const QString &table) const;

    struct TableRecords
    {
        QString archive;
        QString table;
        QList<Record> records;
    };
    const QList<TableRecords> &tables() const { return tables_; }

private:
    TableRecords *find(const QString &archive, const QString &table);

    QList<TableRecords> tables_;
};
