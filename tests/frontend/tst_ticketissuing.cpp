#include "core/kioskstate.h"
#include "frontend/frontend.h"
#include "report/reportengine.h"
#include "report/ticketproject.h"
#include "support/archivefixture.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QString monday = QStringLiteral("TotemLunedì");
}

// A press on a counter's button: the next number, stored, recorded and printed (to a PDF
// folder), and every way it can fail giving the number back.
class TestTicketIssuing : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ArchiveFixture> archives_;
    std::unique_ptr<QTemporaryDir> work_;
    QString previousDir_;
    KioskState state_;
    ScriptedDialogs dialogs_;
    ManualClock clock_{QDateTime(QDate(2026, 12, 7), QTime(9, 40))};
    std::unique_ptr<FrontEnd> screen_;

    QString tickets() const { return work_->filePath(QStringLiteral("tickets")); }
    int ticketCount() const
    {
        return int(QDir(tickets()).entryList({QStringLiteral("*.pdf")}, QDir::Files).size());
    }
    QLineEdit *box(int line) const
    {
        return screen_->findChild<QLineEdit *>(QStringLiteral("Numero%1").arg(line));
    }
    QPushButton *button(int index) const
    {
        return screen_->findChild<QPushButton *>(QStringLiteral("PB1(%1)").arg(index));
    }
    QString stored(const QString &field) const
    {
        return archives_->firstValue(QStringLiteral("Totem.mdb"), QStringLiteral("Numerazione"),
                                     field);
    }
    QString ticket(const QString &field) const
    {
        return archives_->firstValue(QStringLiteral("Totem.mdb"), QStringLiteral("DatiDaStampare"),
                                     field);
    }
    void writeProject(const QString &printer)
    {
        TicketProject::defaultTicket(printer).save(
            work_->filePath(TicketProject::defaultFileName()));
    }
    bool lastMessageSays(const QString &part) const
    {
        return !dialogs_.messages.isEmpty() && dialogs_.messages.last().text.contains(part);
    }

private slots:
    void init()
    {
        archives_ = std::make_unique<ArchiveFixture>();
        QVERIFY(archives_->isValid());
        work_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(work_->path()).mkdir(QStringLiteral("tickets")));
        previousDir_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work_->path()));
        writeProject(TicketProject::pdfPrefix() + tickets());

        state_ = KioskState();
        state_.archiveFolder = archives_->folder();
        state_.counterNames[2] = QStringLiteral("Protocollo");
        state_.startingNumbers = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110};
        dialogs_ = ScriptedDialogs();
        QVERIFY(archives_->addOperator(5, QStringLiteral("Rossi Anna")));
        QVERIFY(archives_->setDuty(monday, 2, QStringLiteral("nove"), 5));
        QVERIFY(archives_->setDuty(monday, 3, QStringLiteral("nove"), 5));

        screen_ = std::make_unique<FrontEnd>(state_, dialogs_, clock_);
        screen_->findChild<QLabel *>(QStringLiteral("Label1(0)"))
            ->setText(QStringLiteral("Comune"));
        screen_->shortDateLabel()->setText(QStringLiteral("07/12/2026"));
        screen_->activate();
        screen_->timeLabel()->setText(QStringLiteral("09.41"));
    }

    void cleanup()
    {
        screen_.reset();
        QDir::setCurrent(previousDir_);
    }

    void theNextNumberIsStoredRecordedAndPrinted()
    {
        box(3)->setText(QStringLiteral("41"));
        bool enabledWhilePrinting = true;
        connect(screen_->findChild<ReportEngine *>(QStringLiteral("LL9")),
                &ReportEngine::nextDataRequested, this, [&](qint32, qint32, qint32 &, qint32 &) {
                    enabledWhilePrinting = screen_->isEnabled();
                });
        button(2)->click();

        QVERIFY(dialogs_.messages.isEmpty());
        QCOMPARE(box(3)->text(), QStringLiteral("42"));
        QVERIFY(!enabledWhilePrinting);
        QVERIFY(screen_->isEnabled());
        QCOMPARE(ticketCount(), 1);
        // All eleven fields from the boxes: unstaffed counters show and store 0.
        QCOMPARE(stored(QStringLiteral("P3")), QStringLiteral("42"));
        QCOMPARE(stored(QStringLiteral("P2")), QStringLiteral("20"));
        QCOMPARE(stored(QStringLiteral("P1")), QStringLiteral("0"));
        QCOMPARE(stored(QStringLiteral("P11")), QStringLiteral("110"));
        QCOMPARE(ticket(QStringLiteral("Titolo")), QStringLiteral("Comune"));
        QCOMPARE(ticket(QStringLiteral("QualeUtente")), QStringLiteral("Rossi Anna"));
        QCOMPARE(ticket(QStringLiteral("QualePostazione")), QStringLiteral("Protocollo"));
        QCOMPARE(ticket(QStringLiteral("QualeData")), QStringLiteral("07/12/2026"));
        QCOMPARE(ticket(QStringLiteral("QualeOra")), QStringLiteral("09.41"));
        QCOMPARE(ticket(QStringLiteral("NumeroDaStampare")), QStringLiteral("42"));

        // Two presses in a row: two consecutive numbers, two tickets.
        button(2)->click();
        button(2)->click();
        QCOMPARE(box(3)->text(), QStringLiteral("44"));
        QCOMPARE(ticketCount(), 3);
    }

    void oddBoxesAndTheSingleQueue()
    {
        for (const QString &text : {QString(), QStringLiteral("abc")}) {
            box(2)->setText(text);
            button(1)->click();
            QCOMPARE(box(2)->text(), QStringLiteral("1"));
        }
        button(10)->click();
        QCOMPARE(box(11)->text(), QStringLiteral("111"));
        QCOMPARE(stored(QStringLiteral("P11")), QStringLiteral("111"));
        QCOMPARE(ticket(QStringLiteral("QualeUtente")), QStringLiteral("Coda Unica"));
        QCOMPARE(ticket(QStringLiteral("QualePostazione")), QStringLiteral("Nome postazione"));
        QCOMPARE(ticketCount(), 3);
    }

    void aNumberThatCannotBeIssuedOrGivenBackIsRefused_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("printFails");
        QTest::newRow("beyond the limit") << QStringLiteral("2147483647") << false;
        // Issuing -2147483648 would give back -2147483649 on a failed print, which no
        // 32-bit number holds.
        QTest::newRow("give-back would not fit") << QStringLiteral("-2147483649") << true;
    }

    void aNumberThatCannotBeIssuedOrGivenBackIsRefused()
    {
        QFETCH(QString, shown);
        QFETCH(bool, printFails);
        if (printFails)
            QVERIFY(QDir(tickets()).removeRecursively());
        box(3)->setText(shown);
        const QString before = stored(QStringLiteral("P3"));
        button(2)->click();
        QVERIFY(lastMessageSays(QStringLiteral("non è stato emesso")));
        QCOMPARE(dialogs_.messages.last().kind, Dialogs::Kind::Critical);
        QCOMPARE(box(3)->text(), shown);
        QCOMPARE(stored(QStringLiteral("P3")), before);
        QCOMPARE(ticketCount(), 0);
        QVERIFY(screen_->isEnabled());
    }

    // A project that cannot be read gives the number back too: tst_spoiledfiles.
    void failuresAfterStoringGiveTheNumberBack_data()
    {
        QTest::addColumn<bool>("folderGone"); // else a printer that is not installed
        QTest::addColumn<QString>("said");
        QTest::newRow("no pdf folder") << true << QStringLiteral("tickets");
        QTest::newRow("unknown printer") << false << QStringLiteral("StampanteInesistente");
    }

    void failuresAfterStoringGiveTheNumberBack()
    {
        QFETCH(bool, folderGone);
        QFETCH(QString, said);
        if (folderGone)
            QVERIFY(QDir(tickets()).removeRecursively());
        else
            writeProject(QStringLiteral("StampanteInesistente"));
        box(3)->setText(QStringLiteral("41"));
        button(2)->click();
        QVERIFY2(lastMessageSays(QStringLiteral("restituito")),
                 qPrintable(dialogs_.messageTexts().join(u'|')));
        QVERIFY(lastMessageSays(said));
        QCOMPARE(box(3)->text(), QStringLiteral("41"));
        QCOMPARE(stored(QStringLiteral("P3")), QStringLiteral("41"));
        QVERIFY(screen_->isEnabled());
        if (!folderGone)
            QCOMPARE(ticketCount(), 0);
    }
};

QTEST_MAIN(TestTicketIssuing)
#include "tst_ticketissuing.moc"
