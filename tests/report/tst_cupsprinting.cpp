#include "report/reportengine.h"
#include "report/ticketproject.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// A ticket printed through a real CUPS spooler into the cups-pdf queue that cups-setup.sh
// prepares. cups-pdf renders the job again through Ghostscript, so this test looks at the
// page size only; the ticket's text is checked on the PDF folder target.
namespace {
const QString Queue = QStringLiteral("TotemPDF");

struct Run
{
    bool ok = false;
    QString out;
    QString err;
};

Run run(const QString &program, const QStringList &arguments, int timeout = 60000)
{
    QProcess process;
    process.start(program, arguments);
    Run result;
    if (!process.waitForStarted()) {
        result.err = process.errorString();
        return result;
    }
    result.ok = process.waitForFinished(timeout) && process.exitStatus() == QProcess::NormalExit
                && process.exitCode() == 0;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

using Snapshot = QHash<QString, QDateTime>;

Snapshot pdfsIn(const QString &folder)
{
    Snapshot files;
    const QFileInfoList infos = QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
    for (const QFileInfo &info : infos)
        files.insert(info.fileName(), info.lastModified());
    return files;
}

// cups-pdf names a file after the job's title, so a second ticket of the same number
// replaces the first: a file counts as new when its name or its time is.
QString newPdf(const QString &folder, const Snapshot &before)
{
    const Snapshot now = pdfsIn(folder);
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (!before.contains(it.key()) || before.value(it.key()) != it.value())
            return QDir(folder).filePath(it.key());
    }
    return QString();
}

// CUPS lets a process choose its default destination through PRINTER, so the default
// printer is tried without changing the machine's own.
auto defaultPrinterFor(const QString &queue)
{
    const QByteArray previous = qgetenv("PRINTER");
    qputenv("PRINTER", queue.toUtf8());
    return qScopeGuard([previous] {
        if (previous.isNull())
            qunsetenv("PRINTER");
        else
            qputenv("PRINTER", previous);
    });
}

bool queueEmpty()
{
    const Run jobs = run(QStringLiteral("lpstat"), {QStringLiteral("-o"), Queue});
    return jobs.ok && jobs.out.trimmed().isEmpty();
}
} // namespace

class TestCupsPrinting : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogs dialogs_;
    ManualClock clock_;
    QString outFolder_;
    QTemporaryDir dir_;

    QString saveProject(const QString &printer)
    {
        TicketProject project = TicketProject::defaultTicket(printer);
        project.paperSize = QSizeF(80, 100);
        const QString path = dir_.filePath(QStringLiteral("Ticket.lbl"));
        project.save(path);
        return path;
    }

    // Prints one ticket and returns the PDF that cups-pdf made of it. Each test prints its
    // own number, so that the files' names differ.
    QString printAndCollect(ReportEngine &engine, const QString &project, int ticket)
    {
        const Snapshot before = pdfsIn(outFolder_);
        connect(&engine, &ReportEngine::nextDataRequested, this,
                [&engine, ticket](qint32, qint32, qint32 &progress, qint32 &lastRecord) {
                    qint32 number = DataItem::Number;
                    engine.defineDataItem(QStringLiteral("NumeroDaStampare"),
                                          QString::number(ticket), number);
                    progress = 100;
                    lastRecord = 1;
                });
        const qint32 result = engine.printProject(0, ReportEngine::LabelProject, project, 0,
                                                  ReportEngine::PrintToPrinter, 0, nullptr,
                                                  QString(), 0, QDir::tempPath());
        if (result != ReportEngine::Ok) {
            qWarning() << "printProject:" << result << engine.lastError();
            return QString();
        }
        QString pdf;
        const auto done = [&] {
            if (!queueEmpty())
                return false;
            pdf = newPdf(outFolder_, before);
            return !pdf.isEmpty();
        };
        [&] { QTRY_VERIFY_WITH_TIMEOUT(done(), 60000); }();
        return pdf;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        const QString script = QFINDTESTDATA("cups-setup.sh");
        QVERIFY2(!script.isEmpty(), "cups-setup.sh not found beside the test's source");
        const Run setup = run(QStringLiteral("bash"), {script}, 120000);
        if (!setup.ok)
            QSKIP(qPrintable(u"no CUPS spooler to print through: "_qs
                             + (setup.err.trimmed().isEmpty() ? u"cups-setup.sh failed"_qs
                                                              : setup.err.trimmed())));
        outFolder_ = setup.out.trimmed();
        QVERIFY2(QFileInfo(outFolder_).isDir(), qPrintable(outFolder_));
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdfinfo missing: install poppler-utils");
    }

    void namedPrinterGetsTicketOfItsPaperSize()
    {
        ReportEngine engine(dialogs_, clock_);
        const QString pdf = printAndCollect(engine, saveProject(Queue), 42);
        QVERIFY2(!pdf.isEmpty(), "no new PDF from cups-pdf");

        const Run info = run(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.ok, qPrintable(info.err));
        const QRegularExpression sizeLine(
            QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"));
        const QRegularExpressionMatch size = sizeLine.match(info.out);
        QVERIFY2(size.hasMatch(), qPrintable(info.out));
        // 80 x 100 mm in points.
        QVERIFY2(qAbs(size.captured(1).toDouble() - 226.77) <= 1, qPrintable(size.captured(0)));
        QVERIFY2(qAbs(size.captured(2).toDouble() - 283.46) <= 1, qPrintable(size.captured(0)));
        QVERIFY2(info.out.contains(QRegularExpression(QStringLiteral(R"(Pages:\s+1\n)"))),
                 qPrintable(info.out));
    }

    void emptyPrinterMeansTheSystemDefault()
    {
        const auto restore = defaultPrinterFor(Queue);
        ReportEngine engine(dialogs_, clock_);
        const QString pdf = printAndCollect(engine, saveProject(QString()), 43);
        QVERIFY2(!pdf.isEmpty(), "no new PDF from cups-pdf through the default printer");
    }

    void noDefaultPrinterIsTold()
    {
        const auto restore = defaultPrinterFor(QStringLiteral("TotemNessunaCoda"));
        ReportEngine engine(dialogs_, clock_);
        QCOMPARE(engine.printProject(0, ReportEngine::LabelProject, saveProject(QString()), 0,
                                     ReportEngine::PrintToPrinter, 0, nullptr, QString(), 0,
                                     QDir::tempPath()),
                 ReportEngine::ErrorPrinter);
        QCOMPARE(engine.lastError(),
                 QStringLiteral("Nessuna stampante predefinita configurata nel sistema."));
    }
};

QTEST_MAIN(TestCupsPrinting)
#include "tst_cupsprinting.moc"
