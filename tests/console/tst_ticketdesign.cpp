#include "console/gestionetotem.h"
#include "report/reportengine.h"
#include "report/ticketproject.h"
#include "support/kioskfixture.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QtTest>

// "Impostazione Stampa": the ticket record's columns declared to the engine with their
// values, then the designer on Ticket.lbl. The ticket project is a file others may have
// spoiled: the console tells why in Italian and leaves the file for the administrator to
// mend, or opens the designer on it.
class TestTicketDesign : public QObject
{
    Q_OBJECT

private slots:
    void theLastTicketIsTheSampleAnEmptyTableTheNamesAloneAMissingArchiveTold()
    {
        QLocale::setDefault(QLocale::c());
        KioskFixture office;
        QVERIFY(office.isValid());
        QVERIFY(
            office.archives.run(u"Totem.mdb"_qs, {u"UPDATE DatiDaStampare SET Titolo = 'Comune', "
                                                  "NumeroDaStampare = 42, QualeUtente = NULL"_qs}));
        GestioneTotem console(office.state, office.dialogs, office.clock);
        QString title;
        const auto press = [&] {
            QList<DataItem> items;
            office.dialogs.screenScripts << [&](QDialog &designer) {
                title = designer.windowTitle();
                items = named<ReportEngine>(console, u"LL9"_qs)->dataItems();
                return int(QDialog::Rejected);
            };
            named<QPushButton>(console, u"PB1(2)"_qs)->click();
            office.dialogs.screenScripts.clear();
            return items;
        };

        const QList<DataItem> first = press();
        QCOMPARE(title, u"Impostazione Modulo"_qs);
        QCOMPARE(first.size(), 7);
        QCOMPARE(first.mid(0, 3),
                 (QList<DataItem>{{u"ID"_qs, u"1"_qs, DataItem::Number},
                                  {u"Titolo"_qs, u"Comune"_qs, DataItem::Text},
                                  {u"QualeUtente"_qs, QString(), DataItem::Text}}));
        QCOMPARE(first.at(6), (DataItem{u"NumeroDaStampare"_qs, u"42"_qs, DataItem::Number}));
        // A second press declares the same items over a cleared list.
        QCOMPARE(press(), first);

        // Emptied, the table offers the names alone: nothing is left of the last press.
        QVERIFY(office.archives.run(u"Totem.mdb"_qs, {u"DELETE FROM DatiDaStampare"_qs}));
        const QList<DataItem> empty = press();
        QCOMPARE(empty.size(), first.size());
        for (int i = 0; i < first.size(); ++i)
            QCOMPARE(empty.at(i), (DataItem{first.at(i).name, QString(), DataItem::Text}));

        QVERIFY(QDir(office.folder()).remove(u"Totem.mdb"_qs));
        QCOMPARE(press(), QList<DataItem>());
        QVERIFY2(office.dialogs.alert().contains(u"Totem.mdb"_qs),
                 qPrintable(office.dialogs.alert()));
        QCOMPARE(office.dialogs.screens, QStringList(3, u"TicketDesigner"_qs));
    }

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
        QVERIFY(put(TicketProject::defaultFileName(), content));
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
            QCOMPARE(take(TicketProject::defaultFileName()), content);
        }
    }
};

QTEST_MAIN(TestTicketDesign)
#include "tst_ticketdesign.moc"
