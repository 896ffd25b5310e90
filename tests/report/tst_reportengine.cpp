#include "archive/fieldvalue.h"
#include "core/daynumber.h"
#include "report/reportengine.h"
#include "report/ticketproject.h"
#include "report/ticketrenderer.h"
#include "support/manualclock.h"
#include "support/processrun.h"
#include "support/reporterrorof.h"
#include "support/scripteddialogs.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>

namespace {
// Every entry of a folder, hidden ones included: a half-written ticket is one too.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}
} // namespace

// The ticket from its project file to the printer: the project as stored, its texts as they
// are printed, and the report engine turning records into PDF files or telling why not.
class TestReportEngine : public QObject
{
    Q_OBJECT

    const QList<DataItem> ticketData_{{u"NumeroDaStampare"_qs, u"42"_qs, DataItem::Number},
                                      {u"QualePostazione"_qs, u"Postazione 3"_qs, DataItem::Text},
                                      {u"ID"_qs, u"1"_qs, DataItem::Number}};

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

    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void roundTripsThroughFileIgnoringUnknownKeys()
    {
        TicketProject project = TicketProject::defaultTicket(u"pdf:/tmp/biglietti"_qs);
        project.items[0].alignment = Qt::AlignLeft | Qt::AlignTop;
        project.items[1].alignment = Qt::AlignRight | Qt::AlignBottom;
        project.items[1].italic = true;
        project.items[1].fontFamily = u"Liberation Serif"_qs;
        project.items[1].box = QRectF(0, 0.25, 12.5, 1000);
        QTemporaryDir dir;
        const QString path = dir.filePath(TicketProject::defaultFileName());
        const auto load = [&] { return TicketProject::load(path); };
        QCOMPARE(reportErrorOf(load), u"Il progetto di stampa Ticket.lbl non esiste: "_qs
                                          + QDir::toNativeSeparators(path));
        project.save(path);
        QCOMPARE(load(), project);

        QByteArray json = project.toJson();
        json.replace("\"items\"", "\"author\": \"ufficio\", \"items\"");
        json.replace("\"text\"", "\"colour\": \"red\", \"text\"");
        QCOMPARE(TicketProject::fromJson(json), project);
        // What an item leaves out takes the defaults.
        json = R"({"format":"totem-ticket","version":1,"paper":{"width":80,"height":100},
                   "items":[{"text":"a","box":{"x":1,"y":2,"width":70,"height":10}}]})";
        QCOMPARE(TicketProject::fromJson(json).items,
                 (QList<TicketItem>{{u"a"_qs, QRectF(1, 2, 70, 10)}}));

        QVERIFY(QFile::remove(path) && QDir(dir.path()).mkdir(TicketProject::defaultFileName()));
        QCOMPARE(reportErrorOf(load), u"Il progetto di stampa Ticket.lbl non si può leggere."_qs);
        // Each name once, whatever its case, in the order the texts first use it.
        project.items[1].text = u"{titolo} {Nome con spazi}{ID} {non chiuso"_qs;
        QCOMPARE(project.referencedItems().join(u','),
                 u"Titolo,Nome con spazi,ID,NumeroDaStampare,QualePostazione,QualeUtente,"
                 "QualeData,QualeOra"_qs);
    }

    void rejectsWhatIsNotAProject_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("says");
        const QByteArray head = R"({"format":"totem-ticket","version":1,)";
        const QByteArray item = head + R"("paper":{"width":80,"height":100},"items":[)";
        const QByteArray box = item + R"({"text":"a","box":{"x":1,"y":2,"width":70,"height":10},)";
        QTest::newRow("format") << QByteArray(R"({"format":"layout","version":1})")
                                << u"non è nel formato dei ticket"_qs;
        QTest::newRow("no paper") << head + R"("printer":""})" << u"\"paper\" manca"_qs;
        QTest::newRow("paper") << head + R"("paper":{"width":80,"height":1e5}})"
                               << u"l'altezza della carta"_qs;
        QTest::newRow("no box") << item + R"({"text":"a"}]})" << u"\"box\" nell'elemento 1"_qs;
        QTest::newRow("width")
            << item + R"({"text":"a","box":{"x":1,"y":2,"width":-7,"height":1}}]})"
            << u"nell'elemento 1 la larghezza del riquadro"_qs;
        QTest::newRow("font") << box + R"("font":{"size":0}}]})" << u"dimensione del carattere"_qs;
        QTest::newRow("align") << box + R"("align":"middle"}]})" << u"\"center\" o \"right\""_qs;
    }
    void rejectsWhatIsNotAProject()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, says);
        const QString message = reportErrorOf([&] { TicketProject::fromJson(json); });
        QVERIFY2(message.startsWith(u"Il progetto di stampa"_qs) && message.contains(says),
                 qPrintable(message));
    }

    void textsExpandWithoutCaseAndDatesShowInTheLocale()
    {
        QCOMPARE(TicketRenderer::expand(u"N. {numerodastampare} - {QUALEPOSTAZIONE}{ID} "
                                        "{Sportello} {ID"_qs,
                                        ticketData_),
                 u"N. 42 - Postazione 31 {Sportello} {ID"_qs);
        const QLocale it(QLocale::Italian, QLocale::Italy);
        const QList<std::tuple<QLocale, qint32, const char *, const char *>> shown = {
            {it, DataItem::Date, "46.360,5", "04/12/2026 12.00"},
            {QLocale::c(), DataItem::Date, "46360", "04/12/2026"},
            {QLocale::c(), DataItem::Date, "46360.49998", "04/12/2026 12.00"},
            {it, DataItem::Date, "0,75", "18.00"},
            {it, DataItem::Date, "46360.5", "46360.5"},
            {it, DataItem::Number, "1234.5", "1234.5"}};
        for (const auto &[locale, type, content, text] : shown) {
            QLocale::setDefault(locale);
            QCOMPARE(TicketRenderer::displayText({u"D"_qs, QString::fromUtf8(content), type}),
                     QString::fromUtf8(text));
        }
    }

    // The day number depends on the calendar and the wall clock only: under a zone whose
    // 1899 offset was not whole hours, and in summer time, the numbers and texts stay put.
    void dayNumbersIgnoreTheTimeZone_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<double>("dayNumber");
        QTest::addColumn<QString>("shown");
        const QDateTime noon(QDate(2026, 12, 4), QTime(12, 0));
        const QDateTime summerMidnight(QDate(2026, 7, 20), QTime(0, 0));
        const QDateTime beforeEpoch(QDate(1899, 12, 29), QTime(6, 0));
        for (const char *zone : {"UTC", "Europe/Amsterdam", "Europe/Rome", "America/New_York"}) {
            QTest::addRow("%s noon", zone)
                << QByteArray(zone) << noon << 46360.5 << u"04/12/2026 12.00"_qs;
            QTest::addRow("%s summer", zone)
                << QByteArray(zone) << summerMidnight << 46223.0 << u"20/07/2026"_qs;
            QTest::addRow("%s 1899", zone)
                << QByteArray(zone) << beforeEpoch << -1.25 << u"29/12/1899 06.00"_qs;
        }
    }

    void dayNumbersIgnoreTheTimeZone()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, when);
        QFETCH(double, dayNumber);
        QFETCH(QString, shown);
        const QByteArray previous = qgetenv("TZ");
        qputenv("TZ", zone);
        tzset();
        const auto restore = qScopeGuard([&] {
            previous.isNull() ? qunsetenv("TZ") : qputenv("TZ", previous);
            tzset();
        });
        // Built under the zone, as the program builds its times.
        const QDateTime local(when.date(), when.time());
        QCOMPARE(DayNumber::from(local), dayNumber);
        QCOMPARE(DayNumber::toDateTime(dayNumber), local);
        QCOMPARE(FieldValue::fromStorage(FieldKind::DateTime, dayNumber).toDateTime(), local);
        QCOMPARE(TicketRenderer::displayText(
                     {u"D"_qs, QString::number(dayNumber, 'g', 9), DataItem::Date}),
                 shown);
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
