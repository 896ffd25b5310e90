#include "report/cupsconnection.h"
#include "report/printtarget.h"
#include "report/reporterror.h"
#include "report/ticketproject.h"
#include "report/ticketrenderer.h"
#include "support/manualclock.h"
#include "support/processrun.h"

#include <QDir>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Tickets printed through a real CUPS spooler into cups-pdf queues of this run, which
// cups-setup.sh adds and removes: one with cups-pdf's own driver (custom sizes), one with a
// receipt roll's (two widths, no custom sizes), and one that the tests stop and reject.
namespace {
constexpr qreal PointsPerMm = 72 / 25.4;

// Where an image at a pixel a point is inked.
QRect inkOf(const QImage &image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// The first page as pdftoppm draws it at 72 dpi; null until the file reads as a PDF. The
// ticket is compared as it looks, since cups-pdf draws text again in fonts that no longer
// say which letters they hold.
QImage firstPage(const QString &pdf)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(u"page"_qs);
    runProcess(u"pdftoppm"_qs, {u"-r"_qs, u"72"_qs, u"-gray"_qs, u"-singlefile"_qs, pdf, base});
    return QImage(base + u".pgm"_qs);
}

QList<QList<DataItem>> ticketNumbered(const QString &number)
{
    return {{{u"NumeroDaStampare"_qs, number, DataItem::Number}}};
}
} // namespace

class TestCupsPrinting : public QObject
{
    Q_OBJECT

    const QString pid_ = QString::number(QCoreApplication::applicationPid());
    const QString pdfQueue_ = u"TotemPDF-"_qs + pid_;
    const QString rollQueue_ = u"TotemRoll-"_qs + pid_;
    const QString troubleQueue_ = u"TotemGuasta-"_qs + pid_;
    QString script_;
    ManualClock clock_;
    QString outFolder_;

    // The cups-pdf file of the ticket with that number, once it has been written.
    QString output(const QString &number, const QDateTime &since) const
    {
        const QFileInfoList pdfs =
            QDir(outFolder_).entryInfoList({u"*_%1*.pdf"_qs.arg(number)}, QDir::Files, QDir::Time);
        return pdfs.isEmpty() || pdfs.first().lastModified() < since ? QString()
                                                                     : pdfs.first().filePath();
    }

private slots:
    void initTestCase()
    {
        script_ = QStringLiteral(QT_TESTCASE_SOURCEDIR "/report/cups-setup.sh");
        const QString roll = QStringLiteral(QT_TESTCASE_SOURCEDIR "/report/roll80.ppd");
        for (const auto &[queue, ppd] :
             {std::pair{pdfQueue_, QString()}, {rollQueue_, roll}, {troubleQueue_, roll}}) {
            const ProcessRun setup = runProcess(u"bash"_qs, {script_, queue, ppd});
            if (!setup.ok())
                QSKIP(qPrintable(u"no CUPS spooler to print through: "_qs + setup.err.trimmed()));
            outFolder_ = setup.out.trimmed();
        }
        // CUPS lets a process choose its default destination through PRINTER, so the
        // default printer is tried without changing the machine's own.
        qputenv("PRINTER", pdfQueue_.toUtf8());
        if (QStandardPaths::findExecutable(u"pdftoppm"_qs).isEmpty())
            QSKIP("pdftoppm missing: install poppler-utils");
    }
    void cleanupTestCase()
    {
        runProcess(u"bash"_qs, {script_, u"--remove"_qs, pdfQueue_, rollQueue_, troubleQueue_});
    }

    void ticketComesOutAtItsSizeOnTheQueuesPaper_data()
    {
        QTest::addColumn<QString>("queue");
        QTest::addColumn<QSizeF>("ticket");
        QTest::addColumn<QSizeF>("page"); // millimetres
        QTest::addColumn<QString>("number");
        QTest::newRow("roll as wide")
            << rollQueue_ << QSizeF(80, 90) << QSizeF(80, 297) << u"701"_qs;
        QTest::newRow("narrower roll")
            << rollQueue_ << QSizeF(58, 90) << QSizeF(58, 297) << u"702"_qs;
        QTest::newRow("centred on a roll")
            << rollQueue_ << QSizeF(60, 90) << QSizeF(80, 297) << u"703"_qs;
        QTest::newRow("default, custom size")
            << QString() << QSizeF(80, 90) << QSizeF(80, 90) << u"704"_qs;
    }
    void ticketComesOutAtItsSizeOnTheQueuesPaper()
    {
        QFETCH(QString, queue);
        QFETCH(QSizeF, ticket);
        QFETCH(QSizeF, page);
        QFETCH(QString, number);
        TicketProject project = TicketProject::defaultTicket(queue);
        project.paperSize = ticket;
        // An idle queue starts the job at once: one still waiting this long was missed.
        project.timeoutMs = 30000;
        QTest::failOnWarning(QRegularExpression(u"still pending"_qs));
        // The number alone, so that all the ink on the page is its digits.
        project.items = {project.items.at(2)};
        project.items.first().frame = false;
        const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
        const DeliveryResult result = PrintTarget::deliver(project, clock_, ticketNumbered(number));
        QVERIFY2(result.printed(), qPrintable(result.message));

        // cups-pdf writes the file under its final name: it is done once it reads as a PDF.
        QImage printed;
        QTRY_VERIFY_WITH_TIMEOUT(!(printed = firstPage(output(number, start))).isNull(), 60000);
        QFile::remove(output(number, start));
        // The roll's size; the ticket drawn at its own size from the top edge, across the
        // middle of the paper, a point either way.
        const QRect laidOut =
            inkOf(TicketRenderer::image(project, ticketNumbered(number).first(), PointsPerMm));
        const QRect expected =
            laidOut.translated(qRound((page.width() - ticket.width()) / 2 * PointsPerMm), 0);
        const auto near = [](const QRect &a, const QRect &b) {
            const QMargins point(1, 1, 1, 1);
            return a.marginsAdded(point).contains(b) && b.marginsAdded(point).contains(a);
        };
        QVERIFY(laidOut.isValid());
        QVERIFY2(near(QRect(QPoint(), (page * PointsPerMm).toSize()), printed.rect())
                     && near(expected, inkOf(printed)),
                 qPrintable(QDebug::toString(QList{printed.rect(), inkOf(printed), expected})));
    }

    void aQueueThatCannotPrintIsToldAndKeepsNoJob_data()
    {
        QTest::addColumn<bool>("rejecting"); // else stopped
        QTest::addColumn<bool>("checked");   // asked whether it is ready before printing
        QTest::newRow("rejecting") << true << true;
        QTest::newRow("rejecting, job refused") << true << false;
        QTest::newRow("stopped") << false << true;
        // The job waits on the stopped queue until the timeout, and is then cancelled.
        QTest::newRow("stopped, job cancelled") << false << false;
    }
    void aQueueThatCannotPrintIsToldAndKeepsNoJob()
    {
        QFETCH(bool, rejecting);
        QFETCH(bool, checked);
        const QString message = rejecting ? u"La stampante «%1» non accetta lavori."_qs
                                          : u"La stampante «%1» è ferma."_qs;
        QVERIFY(runProcess(rejecting ? u"cupsreject"_qs : u"cupsdisable"_qs, {troubleQueue_}).ok());
        const auto restore = qScopeGuard([this] {
            runProcess(u"cupsenable"_qs, {troubleQueue_});
            runProcess(u"cupsaccept"_qs, {troubleQueue_});
        });
        // What `totem-archive printers` lists: a queue refusing jobs is still idle.
        for (const CupsQueue &queue : CupsConnection::allQueues()) {
            if (queue.name == troubleQueue_)
                QCOMPARE(queue.stateText(), rejecting ? u"pronta"_qs : u"ferma"_qs);
        }

        TicketProject project = TicketProject::defaultTicket(troubleQueue_);
        project.timeoutMs = 300;
        QString told;
        if (checked) {
            told = PrintTarget::deliver(project, clock_, ticketNumbered(u"705"_qs)).message;
        } else {
            try {
                PrintTarget::open(project, clock_)->print(project, ticketNumbered(u"706"_qs));
            } catch (const ReportError &error) {
                told = error.message();
            }
        }
        QCOMPARE(told.section(u'\n', 0, 0), message.arg(troubleQueue_));
        QTRY_COMPARE(runProcess(u"lpstat"_qs, {u"-o"_qs, troubleQueue_}).out, QString());
    }
};

QTEST_MAIN(TestCupsPrinting)
#include "tst_cupsprinting.moc"
