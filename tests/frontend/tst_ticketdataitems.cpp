#include "archive/recordset.h"
#include "core/systemclock.h"
#include "frontend/ticketdataitems.h"
#include "report/reportengine.h"
#include "support/scripteddialogs.h"
#include "support/sqlitefile.h"

#include <QTemporaryDir>
#include <QtTest>

// Columns of the ticket record as data items: by column when printing, by value when
// designing; they differ only for empty fields.
class TestTicketDataItems : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase()
    {
        QVERIFY(SqliteFile::run(
            dir_.filePath(u"Totem.mdb"_qs),
            {u"CREATE TABLE Ticket(ID LONG, Titolo TEXT, N LONG, S SINGLE, D DOUBLE, "
             "B BOOLEAN, Q DATETIME, Y BYTE, C CURRENCY, M MEMO)"_qs,
             u"INSERT INTO Ticket VALUES(1, 'Comune', 1042, 8.25, 0.5, -1, "
             "'2026-12-04 12:00:00', 7, 12.5, 'nota')"_qs,
             u"INSERT INTO Ticket(ID) VALUES(NULL)"_qs}));
    }

    void items_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("byValue");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("contents");
        QTest::addColumn<QString>("types"); // Text, Number, Date, Boolean
        const QString present = u"1|Comune|1042|8.25|0.5|Vero|46360.5|7|12.5|nota"_qs;
        QTest::newRow("by column") << 0 << false << u"C"_qs << present << u"NTNNNBDTTT"_qs;
        QTest::newRow("by value") << 0 << true << u"C"_qs << present << u"NTNNNBDTTT"_qs;
        QTest::newRow("empty by column")
            << 1 << false << u"C"_qs << u"0||0|0|0|Falso|0|||"_qs << u"NTNNNBDTTT"_qs;
        QTest::newRow("empty by value")
            << 1 << true << u"C"_qs << u"|||||||||"_qs << u"TTTTTTTTTT"_qs;
        QTest::newRow("Italian numbers, no thousands separator")
            << 0 << false << u"it_IT"_qs << u"1|Comune|1042|8,25|0,5|Vero|46360,5|7|12,5|nota"_qs
            << u"NTNNNBDTTT"_qs;
    }

    void items()
    {
        QFETCH(int, row);
        QFETCH(bool, byValue);
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        RecordSet record;
        record.bind(dir_.filePath(u"Totem.mdb"_qs), u"Ticket"_qs);
        record.open();
        for (int i = 0; i < row; ++i)
            record.moveNext();
        ScriptedDialogs dialogs;
        SystemClock clock;
        ReportEngine engine(dialogs, clock);
        (byValue ? TicketDataItems::defineByValue : TicketDataItems::defineByColumn)(record,
                                                                                     engine);
        QLocale::setDefault(QLocale::c());

        const QHash<qint32, QChar> letter{{DataItem::Text, u'T'},
                                          {DataItem::Number, u'N'},
                                          {DataItem::Date, u'D'},
                                          {DataItem::Boolean, u'B'}};
        QStringList names, contents;
        QString types;
        for (const DataItem &item : engine.dataItems()) {
            names << item.name;
            contents << item.content;
            types += letter.value(item.type, u'?');
        }
        QCOMPARE(names.join(u'|'), u"ID|Titolo|N|S|D|B|Q|Y|C|M"_qs);
        QTEST(contents.join(u'|'), "contents");
        QTEST(types, "types");
    }
};

QTEST_MAIN(TestTicketDataItems)
#include "tst_ticketdataitems.moc"
