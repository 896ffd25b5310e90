#include "archive/archiveconnection.h"
#include "frontend/frontend.h"
#include "frontend/ticketissuer.h"
#include "support/kioskfixture.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <atomic>

// Another workstation holds an archive's write lock for seven seconds while the public
// screen refreshes what it shows and a member of the public presses: the clock goes on,
// the touch is answered at once, and the press issues, through the kiosk's journal when
// Totem.mdb is the locked one.
class TestLockedArchives : public QObject
{
    Q_OBJECT

private slots:
    void theScreenLivesThroughALock_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::newRow("served numbers") << u"KZ4B.mdb"_qs;
        QTest::newRow("numbering and schedule") << u"Totem.mdb"_qs;
    }

    void theScreenLivesThroughALock()
    {
        QFETCH(QString, archive);
        KioskFixture office;
        QVERIFY(office.isValid());
        office.keepIssuingOffline(true);
        const std::unique_ptr<FrontEnd> screen = office.openScreen();
        auto *button =
            named<QPushButton>(*screen, u"PB1(%1)"_qs.arg(KioskFixture::StaffedCounter - 1));
        const QString caption = button->text();
        QVERIFY(button->isEnabled() && !caption.isEmpty());

        QProcess holder;
        holder.start(QStringLiteral(LOCKHOLDER_BIN), {office.folder(), u"7"_qs, archive});
        QTRY_VERIFY(holder.canReadLine());
        QCOMPARE(holder.readLine(), QByteArray("bloccato\n"));

        // The clock's own timer, as the screen's timers run it.
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        int ticks = 0;
        const auto *clockTimer = screen->findChild<QTimer *>(u"Timer1"_qs);
        connect(clockTimer, &QTimer::timeout, this, [&] {
            if (ticks++ > 0)
                longestGap = std::max(longestGap, sinceTick.elapsed());
            sinceTick.start();
        });
        // Reads due while one still waits for the lock are skipped, not queued behind it.
        std::atomic<int> lockedReads = 0;
        ArchiveConnection::setOpeningHook([&](const QString &path) {
            lockedReads += path.endsWith(archive)
                           && QThread::currentThread()->objectName().endsWith(u"reader"_qs);
        });
        // The touch shows before the archive is reached; the press waits for the lock no
        // longer than it may, and the ticket comes out all the same.
        button->click();
        QCOMPARE(button->text(), FrontEnd::busyCaption());
        QVERIFY(office.printed().isEmpty());
        for (int due = 0; due < 3; ++due) {
            screen->onServedRefresh();
            screen->onHourTest();
        }
        QTRY_VERIFY_WITH_TIMEOUT(screen->isEnabled(), 3 * TicketIssuer::LockWaitMs);
        QCOMPARE(button->text(), caption);
        QCOMPARE(office.dialogs.messageTexts(), QStringList());
        QCOMPARE(office.printed().size(), 1);
        // The read of a locked file gives up after the busy timeout: that is when the notice
        // comes up, and the clock must have ticked on all along. A server's reads do not
        // wait for a writer.
        const bool server = office.archives.onServer();
        const auto *notice = named<QLabel>(*screen, u"Label9"_qs);
        QTRY_VERIFY_WITH_TIMEOUT(server || !notice->isHidden(),
                                 3 * ArchiveConnection::BusyTimeoutMs);
        QTRY_VERIFY(ticks >= 3);
        // A blocked screen misses ticks for seconds; a busy machine makes one late by less.
        QVERIFY2(longestGap < clockTimer->interval() + 1000,
                 qPrintable(QString::number(longestGap)));
        screen->waitForArchiveWork();
        ArchiveConnection::setOpeningHook({});
        QVERIFY(server || lockedReads.load() == 1);

        // The lock gone, the same screen issues the next number.
        QTRY_VERIFY_WITH_TIMEOUT(holder.state() == QProcess::NotRunning, 10000);
        QVERIFY(office.press(*screen, KioskFixture::StaffedCounter));
        // The ticket given under the lock first, written back before this one if kept aside.
        QCOMPARE(office.archives.firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs,
                                            u"P%1"_qs.arg(KioskFixture::StaffedCounter)),
                 u"2"_qs);
    }
};

QTEST_MAIN(TestLockedArchives)
#include "tst_lockedarchives.moc"
