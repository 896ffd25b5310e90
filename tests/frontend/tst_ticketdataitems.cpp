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

private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    SystemClock clock_;

    QList<DataItem> itemsOf(int row, bool byValue)
    {
        RecordSet record;
        record.bind(dir_.filePath(QStringLiteral("Totem.mdb")), QStringLiteral("Ticket"));
        record.open();
        for (int i = 0; i < row; ++i)
            record.moveNext();
        ReportEngine engine(dialogs_, clock_);
        engine.startDataItemList();
        if (byValue)
            TicketDataItems::defineByValue(record, engine);
        else
            TicketDataItems::defineByColumn(record, engine);
        return engine.dataItems();
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QVERIFY(SqliteFile::run(
            dir_.filePath(QStringLiteral("Totem.mdb")),
            {QStringLiteral("CREATE TABLE Ticket(ID LONG, Titolo TEXT, N LONG, S SINGLE, "
                            "D DOUBLE, B BOOLEAN, Q DATETIME, Y BYTE, C CURRENCY, M MEMO)"),
             QStringLiteral("INSERT INTO Ticket VALUES(1, 'Comune', 1042, 8.25, 0.5, -1, "
                            "'2026-12-04 12:00:00', 7, 12.5, 'nota')"),
             QStringLiteral("INSERT INTO Ticket VALUES(NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
                            "NULL, NULL, NULL)")}));
    }

    void presentValuesGetTheSameTypeBothWays()
    {
        for (bool byValue : {false, true}) {
            const QList<DataItem> items = itemsOf(0, byValue);
            QCOMPARE(items.size(), 10);
            const QList<DataItem> expected{
                {QStringLiteral("ID"), QStringLiteral("1"), DataItem::Number},
                {QStringLiteral("Titolo"), QStringLiteral("Comune"), DataItem::Text},
                {QStringLiteral("N"), QStringLiteral("1042"), DataItem::Number},
                {QStringLiteral("S"), QStringLiteral("8.25"), DataItem::Number},
                {QStringLiteral("D"), QStringLiteral("0.5"), DataItem::Number},
                {QStringLiteral("B"), QStringLiteral("Vero"), DataItem::Boolean},
                {QStringLiteral("Q"), QStringLiteral("46360.5"), DataItem::Date},
                {QStringLiteral("Y"), QStringLiteral("7"), DataItem::Text},
                {QStringLiteral("C"), QStringLiteral("12.5"), DataItem::Text},
                {QStringLiteral("M"), QStringLiteral("nota"), DataItem::Text}};
            QCOMPARE(items, expected);
        }
    }

    void emptyFieldsKeepTheirColumnsTypeOnlyWhenPrinting()
    {
        const QList<DataItem> printed = itemsOf(1, false);
        QCOMPARE(printed.at(1), (DataItem{QStringLiteral("Titolo"), QString(), DataItem::Text}));
        QCOMPARE(printed.at(2),
                 (DataItem{QStringLiteral("N"), QStringLiteral("0"), DataItem::Number}));
        QCOMPARE(printed.at(5),
                 (DataItem{QStringLiteral("B"), QStringLiteral("Falso"), DataItem::Boolean}));
        QCOMPARE(printed.at(6),
                 (DataItem{QStringLiteral("Q"), QStringLiteral("0"), DataItem::Date}));

        for (const DataItem &item : itemsOf(1, true)) {
            QCOMPARE(item.type, qint32(DataItem::Text));
            QCOMPARE(item.content, QString());
        }
    }

    void theDayNumberFollowsTheSystemsNumberFormat()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        const QList<DataItem> items = itemsOf(0, false);
        QCOMPARE(items.at(6).content, QStringLiteral("46360,5"));
        QCOMPARE(items.at(2).content, QStringLiteral("1042")); // no thousands separator
        QLocale::setDefault(QLocale::c());
    }
};

QTEST_MAIN(TestTicketDataItems)
#include "tst_ticketdataitems.moc"
