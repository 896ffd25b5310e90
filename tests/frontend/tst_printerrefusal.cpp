#include "frontend/frontend.h"
#include "report/ticketproject.h"

#include "support/kioskfixture.h"
#include "support/loopbackprinter.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

// A press on the public screen meets a printer that cannot print: a thermal printer spoken
// to directly, or a CUPS queue that rejects jobs. The number is never used up, the one
// message names the cause, and the screen takes the next press.
class TestPrinterRefusal : public QObject
{
    Q_OBJECT

private slots:
    void press_data()
    {
        QTest::addColumn<LoopbackPrinter::Status>("status");
        QTest::addColumn<qsizetype>("dropAfter"); // bytes, or -1
        QTest::addColumn<QString>("said");        // a part of the one message, if any
        QTest::addColumn<bool>("spooler");        // a rejecting CUPS queue instead
        using S = LoopbackPrinter::Status;
        QTest::newRow("ready") << S::Ready << qsizetype(-1) << QString() << false;
        QTest::newRow("paper end") << S::PaperEnd << qsizetype(-1) << u"Carta esaurita"_qs << false;
        QTest::newRow("cover open") << S::CoverOpen << qsizetype(-1) << u"coperchio"_qs << false;
        QTest::newRow("offline") << S::Offline << qsizetype(-1) << u"fuori linea"_qs << false;
        QTest::newRow("silent") << S::Silent << qsizetype(-1) << u"non raggiungibile"_qs << false;
        // Cut off in the middle of the ticket: the number goes back, nothing is sent again.
        QTest::newRow("dropped halfway")
            << S::Ready << qsizetype(2000) << u"restituito"_qs << false;
        QTest::newRow("queue rejecting jobs")
            << S::Ready << qsizetype(-1) << u"non accetta lavori"_qs << true;
    }

    void press()
    {
        QFETCH(LoopbackPrinter::Status, status);
        QFETCH(qsizetype, dropAfter);
        QFETCH(QString, said);
        QFETCH(bool, spooler);
        KioskFixture office;
        QVERIFY(office.isValid());
        LoopbackPrinter printer;
        printer.setStatus(status);
        if (dropAfter >= 0)
            printer.dropAfter(dropAfter);
        const QString queue = u"TotemRefusal-%1"_qs.arg(QCoreApplication::applicationPid());
        const QString script = QStringLiteral(QT_TESTCASE_SOURCEDIR "/report/cups-setup.sh");
        const auto removeQueue = qScopeGuard([&] {
            if (spooler)
                QProcess::execute(u"bash"_qs, {script, u"--remove"_qs, queue});
        });
        if (spooler
            && (QProcess::execute(u"bash"_qs, {script, queue}) != 0
                || QProcess::execute(u"cupsreject"_qs, {queue}) != 0))
            QSKIP("CUPS cannot run here: see cups-setup.sh");
        TicketProject project =
            TicketProject::defaultTicket(spooler ? queue : printer.printerText());
        project.timeoutMs = 500;
        project.save(TicketProject::defaultFileName());

        FrontEnd screen(office.state, office.dialogs, office.clock);
        screen.activate();
        screen.waitForArchiveWork();
        const int line = KioskFixture::StaffedCounter;
        auto *box = named<QLineEdit>(screen, u"Numero%1"_qs.arg(line));
        const QString before = box->text();
        const QString stored =
            office.archives.firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, u"P%1"_qs.arg(line));
        named<QPushButton>(screen, u"PB1(%1)"_qs.arg(line - 1))->click();
        QTRY_VERIFY(screen.isEnabled());

        const LoopbackPrinter::Record record = printer.record();
        const QString now =
            office.archives.firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, u"P%1"_qs.arg(line));
        if (said.isEmpty()) {
            QVERIFY(office.dialogs.messages.isEmpty());
            QCOMPARE(box->text().toInt(), before.toInt() + 1);
            QCOMPARE(now.toInt(), before.toInt() + 1);
            QCOMPARE(record.tickets.size(), 1);
            return;
        }
        QVERIFY2(office.dialogs.alert().contains(said), qPrintable(office.dialogs.alert()));
        QCOMPARE(box->text(), before);
        QCOMPARE(now, stored);
        QCOMPARE(record.cuts, 0);
        // Refused before the number: not one byte of a ticket reached the printer.
        if (dropAfter < 0)
            QCOMPARE(record.printed, 0);
    }
};

QTEST_MAIN(TestPrinterRefusal)
#include "tst_printerrefusal.moc"
