#include "frontend/frontend.h"
#include "support/kioskfixture.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

// Presses in a row on one line while another process keeps locking the archives: every
// press gives the next number with its ticket, or is refused and gives its number back.
// At the end the tickets carry consecutive numbers, none twice, none missing.
// KIOSK_LOAD_PRESSES sets the count (CI runs 10,000).
class TestTicketLoad : public QObject
{
    Q_OBJECT

private slots:
    void everyNumberOnceWhileOthersLockTheArchives()
    {
        const int presses = qEnvironmentVariableIsSet("KIOSK_LOAD_PRESSES")
                                ? qEnvironmentVariableIntValue("KIOSK_LOAD_PRESSES")
                                : 300;
        KioskFixture office;
        const ArchiveFixture &archives = office.archives;
        QVERIFY(office.isValid());
        QProcess other;
        // Bounded in time, so that a run that dies here does not leave it locking for long.
        other.start(QStringLiteral(LOCKHOLDER_BIN),
                    {archives.folder(), QString::number(120 + presses / 10)});
        QVERIFY(other.waitForStarted());
        // The presses start once the other process is taking its locks: a short run on a
        // busy machine could otherwise end before it ever took one.
        QTRY_VERIFY_WITH_TIMEOUT(
            archives.firstValue(u"KZ4B.mdb"_qs, u"NumeriCode1"_qs, u"NumeroA1"_qs).toInt() > 0,
            60000);

        ScriptedDialogs &dialogs = office.dialogs;
        const std::unique_ptr<FrontEnd> screen = office.openScreen();
        auto *queue = screen->findChild<QPushButton *>(u"PB1(10)"_qs);
        auto *box = screen->findChild<QLineEdit *>(u"Numero11"_qs);
        int issued = 0;
        for (int i = 0; i < presses; ++i) {
            const qsizetype told = dialogs.messages.size();
            queue->click();
            QVERIFY(QTest::qWaitFor([&] { return screen->isEnabled(); }));
            if (dialogs.messages.size() == told)
                ++issued;
            else
                QVERIFY2(dialogs.messages.last().text.contains(
                             QRegularExpression(u"restituito|non è stato emesso"_qs)),
                         qPrintable(dialogs.messages.last().text));
            QCOMPARE(box->text().toInt(), issued);
        }
        other.kill();
        other.waitForFinished();

        static const QRegularExpression name(u"^ticket-\\d{8}-\\d{6}-(\\d+)\\.pdf$"_qs);
        QList<int> numbers;
        for (const QString &file : office.printed())
            numbers << name.match(file).captured(1).toInt();
        std::sort(numbers.begin(), numbers.end());
        QCOMPARE(numbers.size(), issued);
        for (int i = 0; i < numbers.size(); ++i)
            QCOMPARE(numbers.at(i), i + 1);
        QCOMPARE(archives.firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, u"P11"_qs),
                 QString::number(issued));
        qInfo("%d presses, %d refused and given back", presses, presses - issued);
    }
};

QTEST_MAIN(TestTicketLoad)
#include "tst_ticketload.moc"
