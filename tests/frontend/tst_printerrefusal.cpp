#include "frontend/frontend.h"
#include "report/ticketproject.h"

#include "support/kioskfixture.h"
#include "support/loopbackprinter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// A press on the public screen meets a thermal printer that cannot print: the number is
// never used up, the one message names the cause, and the screen takes the next press. Each
// refusal's own message is tried in tst_escpos, a spooler's in tst_cupsprinting.
class TestPrinterRefusal : public QObject
{
    Q_OBJECT

private slots:
    void press_data()
    {
        QTest::addColumn<LoopbackPrinter::Status>("status");
        QTest::addColumn<qsizetype>("dropAfter"); // bytes, or -1
        QTest::addColumn<QString>("said");        // a part of the one message
        QTest::newRow("paper end") << LoopbackPrinter::Status::PaperEnd << qsizetype(-1)
                                   << u"la stampante non è pronta.\n\nCarta esaurita"_qs;
        // Cut off in the middle of the ticket: the number goes back, and the ticket that may
        // have come out incomplete is never sent again.
        QTest::newRow("dropped halfway") << LoopbackPrinter::Status::Ready << qsizetype(2000)
                                         << u"potrebbe essere incompleto"_qs;
    }

    void press()
    {
        QFETCH(LoopbackPrinter::Status, status);
        QFETCH(qsizetype, dropAfter);
        QFETCH(QString, said);
        KioskFixture office;
        QVERIFY(office.isValid());
        LoopbackPrinter printer;
        printer.status = status;
        printer.dropAfter = dropAfter;
        TicketProject project = TicketProject::defaultTicket(printer.printerText());
        project.timeoutMs = 500;
        project.save(TicketProject::defaultFileName());

        FrontEnd screen(office.state, office.dialogs, office.clock);
        screen.activate();
        const int line = KioskFixture::StaffedCounter;
        auto *box = named<QLineEdit>(screen, u"Numero%1"_qs.arg(line));
        const QString before = box->text();
        const QString stored =
            office.archives.firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, u"P%1"_qs.arg(line));
        named<QPushButton>(screen, u"PB1(%1)"_qs.arg(line - 1))->click();
        QTRY_VERIFY(screen.isEnabled());

        QVERIFY2(office.dialogs.alert().contains(said), qPrintable(office.dialogs.alert()));
        QCOMPARE(box->text(), before);
        QCOMPARE(
            office.archives.firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, u"P%1"_qs.arg(line)),
            stored);
        const LoopbackPrinter::Record record = printer.record();
        QCOMPARE(record.cuts, 0);
        // Refused before the number: not one byte of a ticket reached the printer.
        QCOMPARE(dropAfter < 0 ? record.printed : record.received.size(),
                 dropAfter < 0 ? 0 : dropAfter);
        QCOMPARE(record.connections, 1);
    }
};

QTEST_MAIN(TestPrinterRefusal)
#include "tst_printerrefusal.moc"
