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
            // cups-pdf names a file after the job's title and may replace an older one, so
            // the ticket's file is told by its number and time.
            TicketProject project = TicketProject::defaultTicket(printer);
            project.paperSize = QSizeF(80, 100);
            const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
            const QString n = QString::number(printer.isEmpty() ? 43 : 42);
            const DeliveryResult result = PrintTarget::deliver(
                project, clock_, {{{u"NumeroDaStampare"_qs, n, DataItem::Number}}});
            QVERIFY2(result.printed(), qPrintable(u"«%1»: %2"_qs.arg(printer, result.message)));
            const auto made = [&] {
                const QFileInfoList pdfs =
                    QDir(outFolder_)
                        .entryInfoList({u"*_%1*.pdf"_qs.arg(n)}, QDir::Files, QDir::Time);
                return pdfs.isEmpty() || pdfs.first().lastModified() < start
                           ? QString()
                           : pdfs.first().filePath();
            };
            QTRY_VERIFY_WITH_TIMEOUT(!made().isEmpty(), 60000);
            QTRY_VERIFY(run(u"lpstat"_qs, {u"-o"_qs, queue_}).out.trimmed().isEmpty());
            const QString pdf = made();
            collected_ << pdf;
            const Run info = run(u"pdfinfo"_qs, {pdf});
            // One page of 80 x 100 mm, in points.
            const QRegularExpressionMatch size =
                QRegularExpression(uR"(Pages:\s+1\n[\s\S]*Page size:\s+([\d.]+) x ([\d.]+) pts)"_qs)
                    .match(info.out);
            QVERIFY2(size.hasMatch() && qAbs(size.captured(1).toDouble() - 226.77) <= 1
                         && qAbs(size.captured(2).toDouble() - 283.46) <= 1,
                     qPrintable(info.out));
        }
    }

    void noDefaultPrinterIsTold()
    {
        const auto restore = defaultPrinterFor(u"TotemNessunaCoda"_qs);
        const DeliveryResult result =
            PrintTarget::deliver(TicketProject::defaultTicket(), clock_, {{}});
        QVERIFY(result.status == DeliveryResult::Status::Unavailable
                && result.message == u"Nessuna stampante predefinita configurata nel sistema."_qs);
    }
};

QTEST_MAIN(TestCupsPrinting)
#include "tst_cupsprinting.moc"
