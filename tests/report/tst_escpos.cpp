#include "report/escposraster.h"
#include "report/escposstatus.h"
#include "report/printtarget.h"
#include "report/ticketproject.h"
#include "report/ticketrenderer.h"
#include "support/loopbackprinter.h"
#include "support/manualclock.h"
#include "support/reporterrorof.h"

#include <QTest>

using Status = LoopbackPrinter::Status;

class TestEscPos : public QObject
{
    Q_OBJECT

    const QList<DataItem> ticket_{{u"NumeroDaStampare"_qs, u"42"_qs, DataItem::Number},
                                  {u"QualePostazione"_qs, u"Postazione 3"_qs, DataItem::Text}};
    const ManualClock clock_;

private slots:
    void ticketsArriveAsDrawnAndCut_data()
    {
        QTest::addColumn<LoopbackPrinter::Link>("link");
        QTest::addColumn<qreal>("paperWidth");
        QTest::addColumn<int>("dotsWide");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<Status>("status");
        QTest::newRow("80 mm, cut")
            << LoopbackPrinter::Link::Tcp << 80.0 << 576 << true << Status::Ready;
        // Paper near its end still prints.
        QTest::newRow("58 mm, torn off, near end")
            << LoopbackPrinter::Link::Tcp << 58.0 << 384 << false << Status::NearEnd;
        QTest::newRow("device file")
            << LoopbackPrinter::Link::Pty << 80.0 << 576 << true << Status::Ready;
    }
    void ticketsArriveAsDrawnAndCut()
    {
        QFETCH(LoopbackPrinter::Link, link);
        QFETCH(qreal, paperWidth);
        QFETCH(int, dotsWide);
        QFETCH(bool, cut);
        QFETCH(Status, status);
        LoopbackPrinter printer(link);
        if (printer.printerText().isEmpty())
            QSKIP("No pseudo-terminal can be opened here.");
        printer.status = status;
        TicketProject project = TicketProject::defaultTicket(printer.printerText());
        project.paperSize.setWidth(paperWidth);
        project.cut = cut;
        QList<DataItem> second = ticket_;
        second.first().content = u"43"_qs;

        const DeliveryResult result = PrintTarget::deliver(project, clock_, {ticket_, second});
        QVERIFY2(result.printed(), qPrintable(result.message));
        const QList<QImage> tickets = printer.record().tickets;
        QCOMPARE(tickets.size(), 2);
        QCOMPARE(printer.record().cuts, cut ? 2 : 0);
        QCOMPARE(tickets.at(0), EscPosRaster::ticketImage(project, ticket_));
        QCOMPARE(tickets.at(1), EscPosRaster::ticketImage(project, second));

        // The same ticket drawn on the whole paper and cut to the head's width in the
        // middle: drawn 1:1, never scaled. Antialiased edges land on the other side of the
        // threshold for a few dots, should the two routes round a position differently.
        const qreal dotsPerMm = project.dotsPerInch / 25.4;
        const QImage paper = TicketRenderer::image(project, ticket_, dotsPerMm);
        const QImage &printed = tickets.at(0);
        QCOMPARE(printed.size(), QSize(dotsWide, paper.height()));
        const int left = (paper.width() - dotsWide) / 2;
        int ink = 0, differing = 0;
        for (int y = 0; y < paper.height(); ++y) {
            for (int x = 0; x < dotsWide; ++x) {
                const bool black = printed.pixel(x, y) == qRgb(0, 0, 0);
                ink += black;
                differing += black != (qGray(paper.pixel(left + x, y)) < 128);
            }
        }
        QVERIFY(ink > 1000);
        QVERIFY2(differing * 100 < ink, qPrintable(QString::number(differing)));
    }

    void aPrinterThatCannotPrintRefusesBeforeAnyByte_data()
    {
        QTest::addColumn<Status>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("paper end")
            << Status::PaperEnd << u"Carta esaurita nella stampante dei biglietti (%1)."_qs;
        QTest::newRow("cover open")
            << Status::CoverOpen << u"Il coperchio della stampante dei biglietti è aperto (%1)."_qs;
        QTest::newRow("error") << Status::Error << u"Errore della stampante dei biglietti (%1)."_qs;
        QTest::newRow("offline") << Status::Offline
                                 << u"La stampante dei biglietti è fuori linea (%1)."_qs;
        QTest::newRow("silent") << Status::Silent
                                << u"Stampante non raggiungibile (%1): nessuna risposta entro "
                                   "0,3 secondi."_qs;
    }
    void aPrinterThatCannotPrintRefusesBeforeAnyByte()
    {
        QFETCH(Status, status);
        QFETCH(QString, message);
        LoopbackPrinter printer;
        TicketProject project = TicketProject::defaultTicket(printer.printerText());
        project.timeoutMs = 300;
        const auto target = PrintTarget::open(project, clock_);
        printer.status = status;
        const QString expected = message.arg(printer.printerText());
        QCOMPARE(reportErrorOf([&] { target->checkReady(); }), expected);
        // Turned bad between the number and the ticket: the print fails the same way.
        QCOMPARE(reportErrorOf([&] { target->print(project, {ticket_}); }), expected);
        QCOMPARE(printer.record().printed, 0);
    }

    // Each error cause alone stops the printer: the cutter's as much as the others.
    void everyErrorCauseRefuses()
    {
        for (const quint8 cause : {0x08, 0x20, 0x40}) {
            const EscPosStatus status({0x12, 0x12, quint8(0x12 | cause), 0x12});
            QVERIFY2(status.failed(), qPrintable(QString::number(cause)));
        }
    }

    void malformedOrUnreachablePrintersAreRefused_data()
    {
        QTest::addColumn<QString>("printerText");
        QTest::addColumn<QString>("message");
        const QString malformed =
            u"La stampante dei biglietti «%1» non è indicata correttamente"_qs;
        QTest::newRow("empty") << u"escpos:"_qs << malformed;
        QTest::newRow("port zero") << u"escpos:tcp://printer:0"_qs << malformed;
        QTest::newRow("no such device")
            << u"escpos:/nonexistent/lp0"_qs << u"Stampante non raggiungibile (%1)."_qs;
    }
    void malformedOrUnreachablePrintersAreRefused()
    {
        QFETCH(QString, printerText);
        QFETCH(QString, message);
        const TicketProject project = TicketProject::defaultTicket(printerText);
        QVERIFY(reportErrorOf([&] {
                    PrintTarget::open(project, clock_);
                }).startsWith(message.arg(printerText)));
    }
};

QTEST_MAIN(TestEscPos)
#include "tst_escpos.moc"
