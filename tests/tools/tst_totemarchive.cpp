#include "report/ticketproject.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run totemArchive(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TOTEM_ARCHIVE_BIN), arguments);
    const bool ended = process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
} // namespace

class TestTotemArchive : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    const QString folder_ = dir_.path();

    QString show(const QString &archive, const QString &table)
    {
        return totemArchive({u"show"_qs, folder_, archive, table}).out;
    }

private slots:
    void initTestCase() { QCOMPARE(totemArchive({u"init"_qs, folder_}).exitCode, 0); }

    void initRefusesToReplaceUnlessForcedShowAndServe()
    {
        QVERIFY(totemArchive({u"init"_qs, folder_, u"--demo"_qs}).exitCode > 0);
        QString expected = u"DescCampo\tTesto\n"_qs;
        for (int counter = 1; counter <= 10; ++counter) // Postazione10 last, not sorted
            expected += u"Postazione%1\tPostazione %1\n"_qs.arg(counter);
        QCOMPARE(show(u"KZ4.mdb"_qs, u"layout1"_qs), expected);
        QCOMPARE(totemArchive({u"serve"_qs, folder_, u"10"_qs, u"2147483647"_qs}).exitCode, 0);
        QCOMPARE(show(u"KZ4B.mdb"_qs, u"NumeriCode10"_qs), u"NumeroA1\n2147483647\n"_qs);
        QCOMPARE(totemArchive({u"init"_qs, u"--force"_qs, folder_, u"--demo"_qs}).exitCode, 0);
        QCOMPARE(show(u"KZ4.mdb"_qs, u"Utenti"_qs).count(u'\n'), 1 + 8);
        QCOMPARE(totemArchive({u"init"_qs, folder_, u"--force"_qs}).exitCode, 0);
    }

    void ticketWritesTheDefaultProjectAndTestPrintUsesIt()
    {
        const QString file = dir_.filePath(u"Ticket.lbl"_qs);
        const QString printer = u"pdf:"_qs + folder_;
        QCOMPARE(totemArchive({u"ticket"_qs, file, printer}).exitCode, 0);
        QCOMPARE(TicketProject::load(file), TicketProject::defaultTicket(printer));
        QVERIFY(totemArchive({u"ticket"_qs, dir_.filePath(u"assente/T.lbl"_qs)}).exitCode > 0);
        // The test ticket is number 0.
        QCOMPARE(totemArchive({u"test-print"_qs, file}).exitCode, 0);
        QCOMPARE(QDir(folder_).entryList({u"ticket-*-000.pdf"_qs}).size(), 1);
        const QString missing = dir_.filePath(u"Assente.lbl"_qs);
        QCOMPARE(totemArchive({u"ticket"_qs, missing, u"TotemNessunaCoda"_qs}).exitCode, 0);
        const Run failed = totemArchive({u"test-print"_qs, missing});
        QVERIFY(failed.exitCode > 0 && failed.err.count(u'\n') == 1);
        QVERIFY2(failed.err.startsWith(u"La stampante «TotemNessunaCoda» non è installata."_qs),
                 qPrintable(failed.err));
    }

    void badInputGivesOneLineAndWritesNothing_data()
    {
        QTest::addColumn<QString>("arguments");
        for (const char *arguments :
             {"crea {dir}", "init", "init {dir}/assente", "init {dir} --veloce",
              "show {dir} KZ5.mdb T", "show {dir} Totem.mdb TotemGiovedìSera", "show {dir} KZ4.mdb",
              "serve {dir}/assente 1 5", "serve {dir} 0 5", "serve {dir} 11 5", "serve {dir} uno 5",
              "serve {dir} 1 -1", "serve {dir} 1 2147483648", "serve {dir} 1 4.5", "serve {dir} 1",
              "test-print", "test-print {dir}/assente.lbl", "printers {dir}"})
            QTest::newRow(arguments) << QString::fromUtf8(arguments);
    }
    void badInputGivesOneLineAndWritesNothing()
    {
        QFETCH(QString, arguments);
        const Run run = totemArchive(arguments.replace(u"{dir}"_qs, folder_).split(u' '));
        QVERIFY(run.exitCode > 0 && run.out.isEmpty());
        QCOMPARE(run.err.count(u'\n'), 1);
        QCOMPARE(show(u"KZ4B.mdb"_qs, u"NumeriCode1"_qs), u"NumeroA1\n0\n"_qs);
    }
};

QTEST_GUILESS_MAIN(TestTotemArchive)
#include "tst_totemarchive.moc"
