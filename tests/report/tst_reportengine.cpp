#include "report/reportengine.h"
#include "report/ticketdesigner.h"
#include "report/ticketproject.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString NumberItem = QStringLiteral("NumeroDaStampare");
const QString CounterItem = QStringLiteral("QualePostazione");
const QString TicketName = QStringLiteral("ticket-20261204-120501-042.pdf");

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

// What a poppler tool prints, or a null text when it cannot run.
QString poppler(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString &pdf)
{
    return poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).simplified();
}

QString pdfInfo(const QString &pdf, const QString &key)
{
    const QRegularExpression line(QRegularExpression::escape(key) + QStringLiteral(R"(:\s*(.*))"));
    return line.match(poppler(QStringLiteral("pdfinfo"), {pdf})).captured(1).trimmed();
}
} // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT

private:
    struct Request
    {
        qint32 userData;
        qint32 designFlag;
        friend bool operator==(const Request &, const Request &) = default;
    };

    ScriptedDialogs dialogs_;
    ManualClock clock_{QDateTime(QDate(2026, 12, 4), QTime(12, 5, 1))};
    QList<Request> requests_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString project_;

    // A receiver that answers like the public screen: the ticket record's items, then
    // "last" after the given number of records (never, with 0).
    void answerRecords(ReportEngine &engine, int records, int firstNumber = 42)
    {
        connect(&engine, &ReportEngine::nextDataRequested, this,
                [this, &engine, records, firstNumber](qint32 userData, qint32 designFlag,
                                                      qint32 &progress, qint32 &lastRecord) {
                    requests_.append({userData, designFlag});
                    const auto n = int(requests_.size());
                    qint32 number = DataItem::Number;
                    qint32 text = DataItem::Text;
                    engine.defineDataItem(NumberItem, QString::number(firstNumber + n - 1), number);
                    engine.defineDataItem(CounterItem, u"Postazione %1"_qs.arg(n + 2), text);
                    if (designFlag == 0) {
                        progress = records > 0 ? 100 * n / records : 0;
                        lastRecord = n == records ? 1 : 0;
                    }
                });
    }

    qint32 print(ReportEngine &engine, const QString &projectFile,
                 qint32 projectType = ReportEngine::LabelProject)
    {
        return engine.printProject(7, projectType, projectFile, 0, ReportEngine::PrintToPrinter, 0,
                                   nullptr, QString(), 0, QDir::tempPath());
    }

private slots:
    void init()
    {
        requests_.clear();
        dialogs_ = ScriptedDialogs();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        project_ = dir_->filePath(u"Ticket.lbl"_qs);
    }

    // Relative names, as the kiosk passes them, come from the working directory.
    void printsOneTicketIntoPdfFolder()
    {
        QVERIFY(QDir(dir_->path()).mkdir(u"biglietti"_qs));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_->path()));
        const auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });
        ticketProject(u"pdf:biglietti"_qs).save(project_);

        ReportEngine engine(dialogs_, clock_);
        answerRecords(engine, 1);
        QCOMPARE(print(engine, u"Ticket.lbl"_qs), ReportEngine::Ok);
        QCOMPARE(engine.lastError(), QString());
        QCOMPARE(requests_, (QList<Request>{{7, 0}}));

        const QString folder = dir_->filePath(u"biglietti"_qs);
        QCOMPARE(entries(folder), QStringList{TicketName});
        const QString pdf = QDir(folder).filePath(TicketName);
        const QString text = pdfText(pdf);
        QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) read nothing");
        QVERIFY2(text.contains(u"Numero 42"_qs), qPrintable(text));
        QVERIFY2(text.contains(u"Postazione 3"_qs), qPrintable(text));
        QCOMPARE(pdfInfo(pdf, u"Title"_qs), u"Ticket 42"_qs);
        QCOMPARE(pdfInfo(pdf, u"Pages"_qs), u"1"_qs);
        // 80 x 100 mm in points.
        const QStringList size = pdfInfo(pdf, u"Page size"_qs).split(u' ');
        QVERIFY2(size.size() >= 3, qPrintable(size.join(u' ')));
        QVERIFY(qAbs(size.at(0).toDouble() - 226.77) < 1);
        QVERIFY(qAbs(size.at(2).toDouble() - 283.46) < 1);
        QVERIFY(QFileInfo(pdf).permissions().testFlag(QFileDevice::ReadOther));
    }

    // Records become pages of one ticket, named after the first record's number; a ticket
    // of the same second and number never replaces an earlier one.
    void recordsBecomePagesAndEveryTicketIsKept()
    {
        ticketProject(u"pdf:"_qs + dir_->path()).save(project_);
        const QString name = u"ticket-20261204-120501-008.pdf"_qs;
        QByteArray firstBytes;
        for (const QString &expected : {name, u"ticket-20261204-120501-008-2.pdf"_qs}) {
            requests_.clear();
            ReportEngine engine(dialogs_, clock_);
            answerRecords(engine, 3, 8);
            QCOMPARE(print(engine, project_), ReportEngine::Ok);
            QCOMPARE(requests_, (QList<Request>{{7, 0}, {7, 0}, {7, 0}}));
            const QString pdf = dir_->filePath(expected);
            QCOMPARE(pdfInfo(pdf, u"Pages"_qs), u"3"_qs);
            const QString text = pdfText(pdf);
            for (const QString &number : {u"Numero 8"_qs, u"Numero 9"_qs, u"Numero 10"_qs})
                QVERIFY2(text.contains(number), qPrintable(text));
            QFile first(dir_->filePath(name));
            QVERIFY(first.open(QIODevice::ReadOnly));
            if (firstBytes.isEmpty())
                firstBytes = first.readAll();
            else
                QCOMPARE(first.readAll(), firstBytes);
        }
        QCOMPARE(entries(dir_->path()).size(), 3);
    }

    void withoutReceiverTheDeclaredItemsArePrinted()
    {
        ticketProject(u"pdf:"_qs + dir_->path()).save(project_);
        ReportEngine engine(dialogs_, clock_);
        qint32 text = DataItem::Text;
        engine.defineDataItem(NumberItem, u"A7"_qs, text);
        engine.defineDataItem(CounterItem, u"Coda Unica"_qs, text);

        QCOMPARE(print(engine, project_), ReportEngine::Ok);
        const QString name = u"ticket-20261204-120501-A7.pdf"_qs;
        QCOMPARE(entries(dir_->path()), (QStringList{u"Ticket.lbl"_qs, name}));
        QVERIFY(pdfText(dir_->filePath(name)).contains(u"Coda Unica"_qs));
    }

    void failuresAreToldAndPrintNothing_data()
    {
        QTest::addColumn<QString>("printer");         // "<dir>" stands for the test's folder
        QTest::addColumn<QByteArray>("projectBytes"); // empty: no file; "-": a good project
        QTest::addColumn<qint32>("projectType");
        QTest::addColumn<qint32>("result");
        QTest::addColumn<QString>("message"); // a part of lastError(); "<dir>" as above

        const qint32 label = ReportEngine::LabelProject;
        const QString pdf = u"pdf:<dir>"_qs;
        QTest::newRow("no project file")
            << pdf << QByteArray() << label << ReportEngine::ErrorProject << u"Ticket.lbl"_qs;
        QTest::newRow("not a label project")
            << pdf << QByteArray("-") << qint32(2) << ReportEngine::ErrorProject
            << u"tipo di progetto 2"_qs;
        QTest::newRow("unknown printer")
            << u"Stampante Che Non C'è"_qs << QByteArray("-") << label << ReportEngine::ErrorPrinter
            << u"La stampante «Stampante Che Non C'è» non è installata."_qs;
        QTest::newRow("missing folder") << u"pdf:<dir>/manca"_qs << QByteArray("-") << label
                                        << ReportEngine::ErrorPrinter << u"«<dir>/manca»"_qs;
        QTest::newRow("folder is a file") << u"pdf:<dir>/Ticket.lbl"_qs << QByteArray("-") << label
                                          << ReportEngine::ErrorPrinter << u"«<dir>/Ticket.lbl»"_qs;
        QTest::newRow("pdf without folder") << u"pdf:"_qs << QByteArray("-") << label
                                            << ReportEngine::ErrorPrinter << u"cartella"_qs;
    }

    void failuresAreToldAndPrintNothing()
    {
        QFETCH(QString, printer);
        QFETCH(QByteArray, projectBytes);
        QFETCH(qint32, projectType);
        QFETCH(qint32, result);
        QFETCH(QString, message);
        const QString folder = QDir::toNativeSeparators(dir_->path());
        printer.replace(u"<dir>"_qs, folder);
        message.replace(u"<dir>"_qs, folder);
        if (projectBytes == "-") {
            ticketProject(printer).save(project_);
        } else if (!projectBytes.isEmpty()) {
            QFile file(project_);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(projectBytes) > 0);
        }
        const QStringList before = entries(dir_->path());

        ReportEngine engine(dialogs_, clock_);
        answerRecords(engine, 1);
        QCOMPARE(print(engine, project_, projectType), result);
        QVERIFY(!engine.lastError().isEmpty());
        QVERIFY2(engine.lastError().contains(message, Qt::CaseInsensitive),
                 qPrintable(engine.lastError()));
        // Nothing is asked of the ticket record before the ticket can go somewhere.
        QVERIFY(requests_.isEmpty());
        QCOMPARE(entries(dir_->path()), before);
    }

    void receiverThatNeverEndsLeavesNothingBehind()
    {
        ticketProject(u"pdf:"_qs + dir_->path()).save(project_);
        ReportEngine engine(dialogs_, clock_);
        answerRecords(engine, 0);
        QCOMPARE(print(engine, project_), ReportEngine::ErrorData);
        QVERIFY(requests_.size() > 1);
        QVERIFY2(engine.lastError().contains(u"ultimo record"_qs), qPrintable(engine.lastError()));
        QCOMPARE(entries(dir_->path()), QStringList{u"Ticket.lbl"_qs});
    }

    void designerOpensWithSampleData_data()
    {
        QTest::addColumn<bool>("projectExists");
        QTest::newRow("saved project") << true;
        QTest::newRow("no project yet: the default ticket") << false;
    }

    void designerOpensWithSampleData()
    {
        QFETCH(bool, projectExists);
        const TicketProject saved = ticketProject(u"pdf:"_qs + dir_->path());
        if (projectExists)
            saved.save(project_);
        ReportEngine engine(dialogs_, clock_);
        qint32 number = DataItem::Number;
        qint32 text = DataItem::Text;
        engine.defineDataItem(NumberItem, u"5"_qs, number);
        engine.defineDataItem(u"QualeUtente"_qs, u"Rossi Maria"_qs, text);
        answerRecords(engine, 1);

        QString title;
        std::optional<TicketProject> shown;
        QStringList offered; // the data items the designer offers to insert
        dialogs_.screenScripts << [&](QDialog &screen) {
            if (auto *designer = qobject_cast<TicketDesigner *>(&screen)) {
                title = designer->windowTitle();
                shown = designer->project();
                if (auto *names = designer->findChild<QComboBox *>(u"dataItems"_qs)) {
                    for (int i = 0; i < names->count(); ++i)
                        offered << names->itemText(i);
                }
            }
            return int(QDialog::Accepted);
        };
        QCOMPARE(engine.openDesigner(nullptr, u"Impostazione Modulo"_qs, ReportEngine::LabelProject,
                                     project_),
                 int(QDialog::Accepted));
        QVERIFY2(shown.has_value(), "no TicketDesigner was shown");
        QCOMPARE(title, u"Impostazione Modulo"_qs);
        QCOMPARE(*shown, projectExists ? saved : TicketProject::defaultTicket());
        // Sample data was asked for once, for design; the receiver's items replaced those
        // of the same name and the others stayed.
        QCOMPARE(requests_, (QList<Request>{{0, 1}}));
        QCOMPARE(engine.dataItems(),
                 (QList<DataItem>{{NumberItem, u"42"_qs, DataItem::Number},
                                  {u"QualeUtente"_qs, u"Rossi Maria"_qs, DataItem::Text},
                                  {CounterItem, u"Postazione 3"_qs, DataItem::Text}}));
        for (const QString &name : {NumberItem, u"QualeUtente"_qs, CounterItem})
            QVERIFY2(offered.contains(name), qPrintable(offered.join(u", ")));
        QVERIFY(dialogs_.messages.isEmpty());
        QCOMPARE(QFileInfo::exists(project_), projectExists);
    }
};

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
