#include "report/ticketproject.h"
#include "support/kioskfixture.h"

#include <QComboBox>
#include <QDialog>
#include <QtTest>

// The ticket project is a file others may have spoiled: the console's ticket design tells why
// in Italian and leaves the file for the administrator to mend, or opens the designer on it.
// What a press makes of the same files is the public screen's own test.
class TestSpoiledFiles : public QObject
{
    Q_OBJECT

private slots:
    void ticketDesign_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("says"); // empty: the designer opens

        TicketProject unknown = TicketProject::defaultTicket();
        unknown.items[1].text = QStringLiteral("Sportello {Sconosciuto}");
        const QByteArray good = unknown.toJson();
        QByteArray newer = good;
        newer.replace("\"version\": 1", "\"version\": 2");

        QTest::newRow("empty") << QByteArray() << u"è vuoto"_qs;
        QTest::newRow("truncated") << good.left(good.size() / 2) << u"non è un file JSON valido"_qs;
        QTest::newRow("newer version") << newer << u"versione più recente del programma"_qs;
        // A name no data item has is offered all the same, so that it can be mended.
        QTest::newRow("unknown data item") << good << QString();
    }

    void ticketDesign()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, says);
        KioskFixture office;
        QVERIFY(office.isValid());
        QFile project(TicketProject::defaultFileName());
        QVERIFY(project.open(QIODevice::WriteOnly) && project.write(content) == content.size());
        project.close();
        QStringList offered;
        const QString shown = office.openFromConsole(u"PB1(2)"_qs, [&](QDialog &designer) {
            const auto *names = named<QComboBox>(designer, u"dataItems"_qs);
            for (int i = 0; names && i < names->count(); ++i)
                offered << names->itemText(i);
        });
        if (says.isEmpty()) {
            QCOMPARE(shown, u"TicketDesigner"_qs);
            QVERIFY2(offered.contains(u"Sconosciuto"_qs), qPrintable(offered.join(u',')));
        } else {
            QCOMPARE(shown, QString());
            QVERIFY2(office.dialogs.alert().contains(says), qPrintable(office.dialogs.alert()));
            QVERIFY(project.open(QIODevice::ReadOnly));
            QCOMPARE(project.readAll(), content);
        }
    }
};

QTEST_MAIN(TestSpoiledFiles)
#include "tst_spoiledfiles.moc"
