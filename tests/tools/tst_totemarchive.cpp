#include "archive/archiveschema.h"
#include "report/ticketproject.h"
#include "support/processrun.h"
#include "support/testserver.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {
ProcessRun totemArchive(const QStringList &arguments)
{
    return runProcess(QStringLiteral(TOTEM_ARCHIVE_BIN), arguments);
}
} // namespace

class TestTotemArchive : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    const QString folder_ = dir_.path();

private slots:
    // Archives that are there already are never replaced unless forced.
    void initTestCase()
    {
        QCOMPARE(totemArchive({u"init"_qs, folder_}).exitCode, 0);
        QVERIFY(totemArchive({u"init"_qs, folder_, u"--demo"_qs}).exitCode > 0);
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
        const ProcessRun failed = totemArchive({u"test-print"_qs, missing});
        QVERIFY(failed.exitCode > 0 && failed.err.count(u'\n') == 1);
        QVERIFY2(failed.err.startsWith(u"La stampante «TotemNessunaCoda» non è installata."_qs),
                 qPrintable(failed.err));
    }

    // An installation moves to a server and back, table by table, never over archives that
    // are there unless forced; the served number is written as the statement shown says.
    void copyBetweenAFolderAndAServer()
    {
        TestServer *server = TestServer::instance();
        if (!server)
            QSKIP(qPrintable(TestServer::unavailableReason()));
        const QString address = server->newDatabase();
        const QString back = dir_.filePath(u"ritorno"_qs);
        QVERIFY(QDir().mkdir(back));
        QCOMPARE(totemArchive({u"init"_qs, address, u"--demo"_qs}).exitCode, 0);
        QCOMPARE(totemArchive({u"serve"_qs, address, u"3"_qs, u"41"_qs}).out.section(u'\n', 1, 1),
                 u"Istruzione SQL: UPDATE kz4b.numericode3 SET numeroa1 = 41"_qs);
        QVERIFY(totemArchive({u"copy"_qs, folder_, address}).exitCode > 0);
        QCOMPARE(totemArchive({u"copy"_qs, address, back}).exitCode, 0);
        QCOMPARE(totemArchive({u"copy"_qs, back, address, u"--force"_qs}).exitCode, 0);
        for (const ArchiveSchema::Archive &archive : ArchiveSchema::archives()) {
            for (const ArchiveSchema::Table &table : archive.tables) {
                const ProcessRun there =
                    totemArchive({u"show"_qs, address, archive.fileName, table.name});
                QVERIFY2(there.ok(), qPrintable(there.err));
                QCOMPARE(
                    there.out.toLower(),
                    totemArchive({u"show"_qs, back, archive.fileName, table.name}).out.toLower());
            }
        }
        QVERIFY(totemArchive({u"show"_qs, back, u"KZ4B.mdb"_qs, u"NumeriCode3"_qs})
                    .out.endsWith(u"\n41\n"_qs));
    }
};

QTEST_GUILESS_MAIN(TestTotemArchive)
#include "tst_totemarchive.moc"
