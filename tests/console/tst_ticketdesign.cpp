#include "console/gestionetotem.h"
#include "report/reportengine.h"
#include "support/kioskfixture.h"

#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QtTest>

// "Impostazione Stampa": the ticket record's columns declared to the engine with their
// values, then the designer on Ticket.lbl.
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
        QCOMPARE(first.at(0), (DataItem{u"ID"_qs, u"1"_qs, DataItem::Number}));
        QCOMPARE(first.at(1), (DataItem{u"Titolo"_qs, u"Comune"_qs, DataItem::Text}));
        QCOMPARE(first.at(2), (DataItem{u"QualeUtente"_qs, QString(), DataItem::Text}));
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
};

QTEST_MAIN(TestTicketDesign)
#include "tst_ticketdesign.moc"
