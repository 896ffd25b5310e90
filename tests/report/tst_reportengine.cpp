#include "report/reportengine.h"
#include "report/ticketproject.h"
#include "support/manualclock.h"
#include "support/processrun.h"
#include "support/scripteddialogs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Every entry of a folder, hidden ones included: a half-written ticket is one too.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}
} // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT

    ScriptedDialogs dialogs_;
    ManualClock clock_{QDateTime(QDate(2026, 12, 4), QTime(12, 5, 1))};
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ReportEngine> engine_;
    QString project_;
    int asked_ = 0;

    void saveProject(const QString &printer)
    {
        TicketProject project = TicketProject::defaultTicket(printer);
        project.paperSize = QSizeF(80, 100);
        project.save(project_);
    }
    // Records numbered from 42, the last after count of them (never, with 0).
    ReportEngine::NextRecord source(int count)
    {
        return [this, count] {
            ++asked_;
            engine_->defineDataItem(u"NumeroDaStampare"_qs, QString::number(41 + asked_),
                                    DataItem::Number);
            engine_->defineDataItem(u"QualePostazione"_qs, u"Sala %1"_qs.arg(asked_),
                                    DataItem::Text);
            return asked_ == count;
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
        saveProject(u"pdf:"_qs + dir_->path());
    }

    // Records become the pages of one ticket named after the first number; a ticket of
    // the same second and number never replaces an earlier one.
    void recordsBecomePagesOfOneTicket()
    {
        for (int i = 0; i < 2; ++i) {
            asked_ = 0;
            QCOMPARE(engine_->printProject(project_, source(3)), PrintResult::Printed);
        }
        QCOMPARE(entries(dir_->path()),
                 (QStringList{u"Ticket.lbl"_qs, u"ticket-20261204-120501-042-2.pdf"_qs,
                              u"ticket-20261204-120501-042.pdf"_qs}));
        const QString pdf = dir_->filePath(u"ticket-20261204-120501-042.pdf"_qs);
        const QString text = runProcess(u"pdftotext"_qs, {pdf, u"-"_qs}).out.simplified();
        for (const QString &part : {u"42"_qs, u"Sala 1"_qs, u"44"_qs, u"Sala 3"_qs})
            QVERIFY2(text.contains(part), qPrintable(text));
        const QString info = runProcess(u"pdfinfo"_qs, {pdf}).out.simplified();
        for (const QString &fact : {u"Title: Ticket 42 "_qs, u"Pages: 3 "_qs,
                                    u"Page size: 227 x 283 pts"_qs}) // 80 x 100 mm
            QVERIFY2(info.contains(fact), qPrintable(info));
        QVERIFY(QFileInfo(pdf).permissions().testFlag(QFileDevice::ReadOther));
    }

    void failuresAreToldAndPrintNothing_data()
    {
        QTest::addColumn<QString>("printer"); // "<dir>" is the test's folder; empty: no file
        QTest::addColumn<int>("records");
        QTest::addColumn<PrintResult>("result");
        QTest::addColumn<QString>("message"); // a part of lastError(); "<dir>" as above
        const auto printer = PrintResult::PrinterError;
        QTest::newRow("no project") << QString() << 1 << PrintResult::ProjectError << u".lbl"_qs;
        QTest::newRow("missing folder") << u"pdf:<dir>/a"_qs << 1 << printer << u"«<dir>/a»"_qs;
        QTest::newRow("folder is a file")
            << u"pdf:<dir>/Ticket.lbl"_qs << 1 << printer << u"«<dir>/Ticket.lbl»"_qs;
        QTest::newRow("pdf without folder") << u"pdf:"_qs << 1 << printer << u"cartella"_qs;
        QTest::newRow("records never end")
            << u"pdf:<dir>"_qs << 0 << PrintResult::DataError << u"ultimo record"_qs;
    }

    void failuresAreToldAndPrintNothing()
    {
        QFETCH(QString, printer);
        QFETCH(int, records);
        QFETCH(QString, message);
        const QString folder = QDir::toNativeSeparators(dir_->path());
        if (printer.isEmpty())
            QVERIFY(QFile::remove(project_));
        else
            saveProject(printer.replace(u"<dir>"_qs, folder));
        const QStringList before = entries(dir_->path());
        QTEST(engine_->printProject(project_, source(records)), "result");
        QVERIFY2(engine_->lastError().contains(message.replace(u"<dir>"_qs, folder)),
                 qPrintable(engine_->lastError()));
        // Nothing is asked of the records before the ticket can go somewhere.
        QCOMPARE(asked_ > 0, records == 0);
        QCOMPARE(entries(dir_->path()), before);
    }
};

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
