#include "report/reportengine.h"
#include "report/ticketdesigner.h"
#include "report/ticketproject.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"

#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString NumberItem = QStringLiteral("NumeroDaStampare");
const QString CounterItem = QStringLiteral("QualePostazione");

TicketProject ticketProject(const QString &printer)
{
    TicketProject project;
    project.paperSize = QSizeF(80, 100);
    project.printer = printer;
    TicketItem number;
    number.text = QStringLiteral("Numero {NumeroDaStampare}");
    number.box = QRectF(0, 10, 80, 30);
    TicketItem counter;
    counter.text = QStringLiteral("{QualePostazione}");
    counter.box = QRectF(0, 50, 80, 12);
    project.items = {number, counter};
    return project;
}

// Every entry of a folder, hidden ones included: a half-written ticket is one too.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// What a poppler tool prints about a PDF, in one line.
QString poppler(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}
} // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogs dialogs_;
    ManualClock clock_{QDateTime(QDate(2026, 12, 4), QTime(12, 5, 1))};
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ReportEngine> engine_;
    QString project_;
    int asked_ = 0;

    // A source like the ticket printer's: numbers from first on, last after records
    // (never, with 0).
    ReportEngine::NextRecord source(int records, int first = 42)
    {
        return [this, records, first] {
            ++asked_;
            engine_->defineDataItem(NumberItem, QString::number(first + asked_ - 1),
                                    DataItem::Number);
            engine_->defineDataItem(CounterItem, u"Postazione %1"_qs.arg(asked_ + 2),
                                    DataItem::Text);
            return asked_ == records;
        };
    }

private slots:
    void init()
    {
        asked_ = 0;
        dialogs_ = ScriptedDialogs();
        dir_ = std::make_unique<QTemporaryDir>();
        engine_ = std::make_unique<ReportEngine>(dialogs_, clock_);
        project_ = dir_->filePath(u"Ticket.lbl"_qs);
        ticketProject(u"pdf:"_qs + dir_->path()).save(project_);
    }

    // Records become the pages of one ticket named after the first number, its size the
    // paper's; a ticket of the same second and number never replaces an earlier one.
    void recordsBecomePagesOfOneTicket_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("text");
        QTest::newRow("one") << 1 << QStringList{u"ticket-20261204-120501-042.pdf"_qs}
                             << u"Numero 42 Postazione 3"_qs;
        QTest::newRow("three, twice")
            << 3
            << QStringList{u"ticket-20261204-120501-042-2.pdf"_qs,
                           u"ticket-20261204-120501-042.pdf"_qs}
            << u"Numero 42 Postazione 3 Numero 43 Postazione 4 Numero 44 Postazione 5"_qs;
    }

    void recordsBecomePagesOfOneTicket()
    {
        QFETCH(int, records);
        QFETCH(QStringList, files);
        QFETCH(QString, text);
        for (int i = 0; i < files.size(); ++i) {
            asked_ = 0;
            QCOMPARE(engine_->printProject(project_, source(records)), PrintResult::Printed);
        }
        QCOMPARE(asked_, records);
        QCOMPARE(entries(dir_->path()), QStringList{u"Ticket.lbl"_qs} + files);
        const QString pdf = dir_->filePath(files.first());
        QCOMPARE(poppler(u"pdftotext"_qs, {pdf, u"-"_qs}), text);
        const QString info = poppler(u"pdfinfo"_qs, {pdf});
        for (const QString &fact : {u"Title: Ticket 42 "_qs, u"Pages: %1 "_qs.arg(records),
                                    u"Page size: 227 x 283 pts"_qs}) // 80 x 100 mm
            QVERIFY2(info.contains(fact), qPrintable(info));
        QVERIFY(QFileInfo(pdf).permissions().testFlag(QFileDevice::ReadOther));
    }

    // Relative names, as the kiosk passes them, come from the working directory; without
    // a source the items declared before are the one record.
    void declaredItemsAndRelativeNames()
    {
        QVERIFY(QDir(dir_->path()).mkdir(u"biglietti"_qs));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_->path()));
        ticketProject(u"pdf:biglietti"_qs).save(project_);
        engine_->defineDataItem(NumberItem, u"A7"_qs, DataItem::Text);
        engine_->defineDataItem(CounterItem, u"Coda Unica"_qs, DataItem::Text);
        const PrintResult result = engine_->printProject(u"Ticket.lbl"_qs);
        QDir::setCurrent(previous);
        QCOMPARE(result, PrintResult::Printed);
        QCOMPARE(engine_->lastError(), QString());
        const QString pdf = dir_->filePath(u"biglietti/ticket-20261204-120501-A7.pdf"_qs);
        QCOMPARE(poppler(u"pdftotext"_qs, {pdf, u"-"_qs}), u"Numero A7 Coda Unica"_qs);
    }

    void failuresAreToldAndPrintNothing_data()
    {
        QTest::addColumn<QString>("printer"); // "<dir>" is the test's folder; empty: no file
        QTest::addColumn<int>("records");
        QTest::addColumn<PrintResult>("result");
        QTest::addColumn<QString>("message"); // a part of lastError(); "<dir>" as above
        QTest::newRow("no project file")
            << QString() << 1 << PrintResult::ProjectError << u"Ticket.lbl"_qs;
        QTest::newRow("unknown printer")
            << u"Stampante Che Non C'è"_qs << 1 << PrintResult::PrinterError
            << u"La stampante «Stampante Che Non C'è» non è installata."_qs;
        QTest::newRow("missing folder")
            << u"pdf:<dir>/manca"_qs << 1 << PrintResult::PrinterError << u"«<dir>/manca»"_qs;
        QTest::newRow("folder is a file") << u"pdf:<dir>/Ticket.lbl"_qs << 1
                                          << PrintResult::PrinterError << u"«<dir>/Ticket.lbl»"_qs;
        QTest::newRow("pdf without folder")
            << u"pdf:"_qs << 1 << PrintResult::PrinterError << u"cartella"_qs;
        QTest::newRow("records never end")
            << u"pdf:<dir>"_qs << 0 << PrintResult::DataError << u"ultimo record"_qs;
    }

    void failuresAreToldAndPrintNothing()
    {
        QFETCH(QString, printer);
        QFETCH(int, records);
        QFETCH(PrintResult, result);
        QFETCH(QString, message);
        const QString folder = QDir::toNativeSeparators(dir_->path());
        message.replace(u"<dir>"_qs, folder);
        if (printer.isEmpty())
            QVERIFY(QFile::remove(project_));
        else
            ticketProject(printer.replace(u"<dir>"_qs, folder)).save(project_);
        const QStringList before = entries(dir_->path());

        QCOMPARE(engine_->printProject(project_, source(records)), result);
        QVERIFY2(engine_->lastError().contains(message, Qt::CaseInsensitive),
                 qPrintable(engine_->lastError()));
        // Nothing is asked of the records before the ticket can go somewhere.
        QCOMPARE(asked_ > 0, result == PrintResult::DataError);
        QCOMPARE(entries(dir_->path()), before);
    }

    void designerOpensWithTheDeclaredItems_data()
    {
        QTest::addColumn<bool>("projectExists");
        QTest::newRow("saved project") << true;
        QTest::newRow("no project yet: the default ticket") << false;
    }

    void designerOpensWithTheDeclaredItems()
    {
        QFETCH(bool, projectExists);
        if (!projectExists)
            QVERIFY(QFile::remove(project_));
        engine_->defineDataItem(NumberItem, u"5"_qs, DataItem::Number);
        engine_->defineDataItem(CounterItem, u"Protocollo"_qs, DataItem::Text);
        QStringList seen; // title, then the items offered for insertion
        std::optional<TicketProject> shown;
        dialogs_.screenScripts << [&](QDialog &screen) {
            auto &designer = dynamic_cast<TicketDesigner &>(screen);
            seen << designer.windowTitle();
            shown = designer.project();
            const auto *names = designer.findChild<QComboBox *>(u"dataItems"_qs);
            for (int i = 0; names && i < names->count(); ++i)
                seen << names->itemText(i);
            return int(QDialog::Accepted);
        };
        QCOMPARE(engine_->openDesigner(nullptr, u"Impostazione Modulo"_qs, project_),
                 int(QDialog::Accepted));
        QCOMPARE(seen.value(0), u"Impostazione Modulo"_qs);
        QVERIFY2(seen.contains(NumberItem) && seen.contains(CounterItem),
                 qPrintable(seen.join(u',')));
        QCOMPARE(*shown, projectExists ? ticketProject(u"pdf:"_qs + dir_->path())
                                       : TicketProject::defaultTicket());
        QVERIFY(dialogs_.messages.isEmpty());
        QCOMPARE(QFileInfo::exists(project_), projectExists);
    }
};

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
