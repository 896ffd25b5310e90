#include "report/printtarget.h"
#include "report/ticketproject.h"
#include "support/manualclock.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

// A ticket printed through a real CUPS spooler into a cups-pdf queue of this run, which
// cups-setup.sh adds and removes. cups-pdf renders the job again through Ghostscript, so
// only the page size is checked here; the ticket's text is checked on the PDF folder.
namespace {
struct Run
{
    bool ok = false;
    QString out;
    QString err;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool ok = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit
                    && process.exitCode() == 0;
    return {ok, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()) + process.errorString()};
}

// CUPS lets a process choose its default destination through PRINTER, so the default
// printer is tried without changing the machine's own.
auto defaultPrinterFor(const QString &queue)
{
    const QByteArray previous = qgetenv("PRINTER");
    qputenv("PRINTER", queue.toUtf8());
    return qScopeGuard(
        [previous] { previous.isNull() ? qunsetenv("PRINTER") : qputenv("PRINTER", previous); });
}
} // namespace

class TestCupsPrinting : public QObject
{
    Q_OBJECT

    const QString queue_ = u"TotemPDF-%1"_qs.arg(QCoreApplication::applicationPid());
    QString script_;
    ManualClock clock_;
    QString outFolder_;
    QStringList collected_;

    // Prints ticket number n and returns the PDF that cups-pdf made of it: cups-pdf names
    // a file after the job's title and may replace an older one, so the file is told by time.
    QString printed(const QString &printer, int n)
    {
        TicketProject project = TicketProject::defaultTicket(printer);
        project.paperSize = QSizeF(80, 100);
        const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
        const DeliveryResult result = PrintTarget::deliver(
            project, clock_, {{{u"NumeroDaStampare"_qs, QString::number(n), DataItem::Number}}});
        const auto made = [&] {
            const QFileInfoList pdfs =
                QDir(outFolder_).entryInfoList({u"*_%1*.pdf"_qs.arg(n)}, QDir::Files, QDir::Time);
            return pdfs.isEmpty() || pdfs.first().lastModified() < start ? QString()
                                                                         : pdfs.first().filePath();
        };
        [&] { QTRY_VERIFY_WITH_TIMEOUT(!result.printed() || !made().isEmpty(), 60000); }();
        [&] { QTRY_VERIFY(run(u"lpstat"_qs, {u"-o"_qs, queue_}).out.trimmed().isEmpty()); }();
        collected_ << made();
        return result.printed() ? made() : result.message;
    }

private slots:
    void initTestCase()
    {
        script_ = QStringLiteral(QT_TESTCASE_SOURCEDIR "/report/cups-setup.sh");
        const Run setup = run(u"bash"_qs, {script_, queue_});
        if (!setup.ok)
            QSKIP(qPrintable(u"no CUPS spooler to print through: "_qs + setup.err.trimmed()));
        outFolder_ = setup.out.trimmed();
        if (QStandardPaths::findExecutable(u"pdfinfo"_qs).isEmpty())
            QSKIP("pdfinfo missing: install poppler-utils");
    }
    void cleanupTestCase()
    {
        for (const QString &pdf : std::as_const(collected_))
            QFile::remove(pdf);
        run(u"bash"_qs, {script_, u"--remove"_qs, queue_});
    }

    void namedAndDefaultPrinterGetTicketsOfTheirPaperSize()
    {
        const auto restore = defaultPrinterFor(queue_);
        for (const QString &printer : {queue_, QString()}) {
            const QString pdf = printed(printer, printer.isEmpty() ? 43 : 42);
            QVERIFY2(pdf.startsWith(outFolder_), qPrintable(u"«%1»: %2"_qs.arg(printer, pdf)));
            const Run info = run(u"pdfinfo"_qs, {pdf});
            // 80 x 100 mm in points, one page.
            const QRegularExpressionMatch size =
                QRegularExpression(uR"(Page size:\s+([\d.]+) x ([\d.]+) pts)"_qs).match(info.out);
            QVERIFY2(size.hasMatch()
                         && info.out.contains(QRegularExpression(uR"(Pages:\s+1\n)"_qs)),
                     qPrintable(info.out));
            QVERIFY(qAbs(size.captured(1).toDouble() - 226.77) <= 1);
            QVERIFY(qAbs(size.captured(2).toDouble() - 283.46) <= 1);
        }
    }

    void noDefaultPrinterIsTold()
    {
        const auto restore = defaultPrinterFor(u"TotemNessunaCoda"_qs);
        const DeliveryResult result =
            PrintTarget::deliver(TicketProject::defaultTicket(), clock_, {{}});
        QVERIFY(result.status == DeliveryResult::Status::Unavailable);
        QCOMPARE(result.message, u"Nessuna stampante predefinita configurata nel sistema."_qs);
    }
};

QTEST_MAIN(TestCupsPrinting)
#include "tst_cupsprinting.moc"
