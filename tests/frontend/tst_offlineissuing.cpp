#include "archive/archiveconnection.h"
#include "archive/issuejournal.h"
#include "console/numberingstart.h"
#include "frontend/frontend.h"
#include "frontend/ticketissuer.h"
#include "numbering/impostazione.h"
#include "support/kioskfixture.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSemaphore>
#include <QtTest>

#include <atomic>

// The archive share goes away in the middle of the day: the kiosk keeps issuing from its own
// numbers, keeps them in its journal, and writes them into the archive when the share is back,
// in order and once. Meanwhile nobody can change the numbering behind the journal's back.
class TestOfflineIssuing : public QObject
{
    Q_OBJECT

private slots:
    void theKioskIssuesThroughALostShare()
    {
        KioskFixture office;
        QVERIFY(office.isValid());
        office.keepIssuingOffline(true);
        const std::unique_ptr<FrontEnd> screen = office.openScreen();
        const auto *notice = named<QLabel>(*screen, u"AvvisoGiornale"_qs);
        QVERIFY(notice->isHidden());

        const QString away = office.folder() + u".lontano"_qs;
        QVERIFY(QDir().rename(office.folder(), away));
        // Each ticket with the next number: their files sort by it, the clock standing still.
        for (int i = 1; i <= 20; ++i) {
            QVERIFY(office.press(*screen, 11));
            QCOMPARE(office.printed().last().section(u'-', 3),
                     u"%1.pdf"_qs.arg(i, 3, 10, QChar(u'0')));
        }
        screen->waitForArchiveWork();
        QCOMPARE(office.dialogs.messageTexts(), QStringList());
        QCOMPARE(named<QLineEdit>(*screen, u"Numero11"_qs)->text(), u"20"_qs);
        QVERIFY(!notice->isHidden());
        IssueJournal journal;
        QCOMPARE(journal.count(), 20);

        // The console opens the screen again from the kiosk's numbers, and refuses an edit
        // that the journal would overwrite later.
        QCOMPARE(NumberingStart::loadCurrent(office.folder()).back(), 20);
        Impostazione editor(office.state, office.dialogs);
        named<QPushButton>(editor, u"Na1(0)"_qs)->click();
        QVERIFY(office.dialogs.messageTexts().join(u'\n').contains(u"20 emissioni"_qs));

        QVERIFY(QDir().rename(away, office.folder()));
        screen->onServedRefresh();
        screen->waitForArchiveWork();
        QCOMPARE(journal.count(), 0);
        QVERIFY(notice->isHidden());
        const ArchiveFixture &archives = office.archives;
        QCOMPARE(archives.firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, u"P11"_qs), u"20"_qs);
        QCOMPARE(archives.firstValue(u"Totem.mdb"_qs, u"DatiDaStampare"_qs, u"NumeroDaStampare"_qs),
                 u"20"_qs);

        // Back on the archive, the next ticket carries on from the last one kept.
        QVERIFY(office.press(*screen, 11));
        QCOMPARE(archives.firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, u"P11"_qs), u"21"_qs);
    }

    // A share that hangs rather than goes away: the press gives up waiting, refuses, and no
    // press is taken until the stalled write has ended; its number is then handed out once.
    void aHangingShareRefusesUntilItAnswers()
    {
        KioskFixture office;
        QVERIFY(office.isValid());
        const std::unique_ptr<FrontEnd> screen = office.openScreen();
        QSemaphore answer;
        std::atomic<bool> hanging = true;
        ArchiveConnection::setOpeningHook([&](const QString &) {
            if (hanging && QThread::currentThread()->objectName().endsWith(u"writer"_qs))
                answer.acquire();
        });
        named<QPushButton>(*screen, u"PB1(10)"_qs)->click();
        QTRY_VERIFY_WITH_TIMEOUT(screen->isEnabled(), 2 * TicketIssuer::AnswerLimitMs);
        QVERIFY(!office.press(*screen, 11));
        const QStringList said = office.dialogs.messageTexts();
        QCOMPARE(said.size(), 2);
        QVERIFY(said[0].contains(u"non risponde entro"_qs));
        QVERIFY(said[1].contains(u"non risponde ancora"_qs));
        QCOMPARE(named<QLineEdit>(*screen, u"Numero11"_qs)->text(), u"0"_qs);

        hanging = false;
        answer.release(100);
        screen->waitForArchiveWork();
        ArchiveConnection::setOpeningHook({});
        QVERIFY(office.press(*screen, 11));
        QCOMPARE(office.printed().size(), 1);
        QCOMPARE(named<QLineEdit>(*screen, u"Numero11"_qs)->text(), u"1"_qs);
    }
};

QTEST_MAIN(TestOfflineIssuing)
#include "tst_offlineissuing.moc"
