#include "core/kioskstate.h"
#include "frontend/frontend.h"
#include "report/ticketproject.h"
#include "support/archivefixture.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"

#include <QDir>
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
        ArchiveFixture archives;
        QVERIFY(archives.isValid());
        // An office with someone registered: the minute's operator lookup has nothing to say.
        QVERIFY(archives.addOperator(1, QStringLiteral("Rossi Anna")));
        QTemporaryDir work;
        const QString tickets = work.filePath(QStringLiteral("ticket"));
        QVERIFY(QDir().mkpath(tickets));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path()));
        TicketProject::defaultTicket(TicketProject::pdfPrefix() + tickets)
            .save(TicketProject::defaultFileName());

        QProcess other;
        // Bounded in time, so that a run that dies here does not leave it locking for long.
        other.start(QStringLiteral(LOCKHOLDER_BIN),
                    {archives.folder(), QString::number(120 + presses / 10)});
        QVERIFY(other.waitForStarted());

        KioskState state;
        state.archiveFolder = archives.folder();
        ScriptedDialogs dialogs;
        ManualClock clock;
        FrontEnd screen(state, dialogs, clock);
        screen.activate();
        auto *queue = screen.findChild<QPushButton *>(QStringLiteral("PB1(10)"));
        auto *box = screen.findChild<QLineEdit *>(QStringLiteral("Numero11"));

        int refused = 0;
        for (int i = 0; i < presses; ++i) {
            const int before = box->text().toInt();
            const qsizetype messages = dialogs.messages.size();
            queue->click();
            if (dialogs.messages.size() > messages) {
                ++refused;
                QVERIFY2(dialogs.messages.last().text.contains(QStringLiteral("restituito"))
                             || dialogs.messages.last().text.contains(
                                 QStringLiteral("non è stato emesso")),
                         qPrintable(dialogs.messages.last().text));
                QCOMPARE(box->text().toInt(), before);
            } else {
                QCOMPARE(box->text().toInt(), before + 1);
            }
            QVERIFY(screen.isEnabled());
        }
        other.kill();
        other.waitForFinished();

        static const QRegularExpression name(
            QStringLiteral(R"(^ticket-\d{8}-\d{6}-(\d+)(-\d+)?\.pdf$)"));
        QList<int> numbers;
        for (const QString &file :
             QDir(tickets).entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
            const QRegularExpressionMatch match = name.match(file);
            QVERIFY2(match.hasMatch(), qPrintable(file));
            numbers << match.captured(1).toInt();
        }
        std::sort(numbers.begin(), numbers.end());
        const int issued = presses - refused;
        QCOMPARE(numbers.size(), issued);
        for (int i = 0; i < numbers.size(); ++i)
            QCOMPARE(numbers.at(i), i + 1);
        QCOMPARE(archives.firstValue(QStringLiteral("Totem.mdb"), QStringLiteral("Numerazione"),
                                     QStringLiteral("P11")),
                 QString::number(issued));
        // The other process really was there, taking its locks.
        QVERIFY(archives
                    .firstValue(QStringLiteral("KZ4B.mdb"), QStringLiteral("NumeriCode1"),
                                QStringLiteral("NumeroA1"))
                    .toInt()
                > 0);
        qInfo("%d presses, %d refused and given back", presses, refused);
        QDir::setCurrent(previous);
    }
};

QTEST_MAIN(TestTicketLoad)
#include "tst_ticketload.moc"
