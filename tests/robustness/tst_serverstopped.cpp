#include "archive/archiveconnection.h"
#include "archive/archivepath.h"
#include "archive/issuejournal.h"
#include "frontend/frontend.h"
#include "support/kioskfixture.h"
#include "support/testserver.h"

#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

// The archives' server stops while a press is writing: the number was written, the ticket's
// record was waiting for another client's lock. Nothing of the press may stay on the server,
// and the kiosk either refuses the press or keeps it in its journal, then writes both back.
class TestServerStopped : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("KIOSK_TEST_STORE", "server");
        if (!TestServer::instance())
            QSKIP(qPrintable(TestServer::unavailableReason()));
    }

    void thePressIsWrittenWholeOrNotAtAll_data()
    {
        QTest::addColumn<bool>("journal");
        QTest::newRow("refused") << false;
        QTest::newRow("journaled") << true;
    }

    void thePressIsWrittenWholeOrNotAtAll()
    {
        QFETCH(bool, journal);
        KioskFixture office;
        QVERIFY(office.isValid());
        office.keepIssuingOffline(journal);
        const std::unique_ptr<FrontEnd> screen = office.openScreen();
        const QString totem = office.archives.path(ArchivePath::totem());
        const auto stored = [&] {
            return office.archives.firstValue(ArchivePath::totem(), u"Numerazione"_qs, u"P11"_qs)
                   + u'/'
                   + office.archives.firstValue(ArchivePath::totem(), u"DatiDaStampare"_qs,
                                                u"NumeroDaStampare"_qs);
        };
        QCOMPARE(stored(), u"0/0"_qs);
        {
            ArchiveConnection other(totem);
            QSqlQuery lock(other.database());
            QVERIFY(lock.exec(u"BEGIN"_qs)
                    && lock.exec(u"LOCK TABLE datidastampare IN EXCLUSIVE MODE"_qs));
            named<QPushButton>(*screen, u"PB1(10)"_qs)->click();
            QTest::qWait(500);
            TestServer::instance()->stop();
        }
        QTRY_VERIFY(screen->isEnabled());
        QCOMPARE(office.printed().size(), journal ? 1 : 0);
        QCOMPARE(office.dialogs.messages.size(), journal ? 0 : 1);
        QVERIFY(TestServer::instance()->start());
        QCOMPARE(stored(), u"0/0"_qs);
        if (journal) {
            screen->onServedRefresh();
            screen->waitForArchiveWork();
            QCOMPARE(IssueJournal().count(), 0);
            QCOMPARE(stored(), u"1/1"_qs);
        }
    }
};

QTEST_MAIN(TestServerStopped)
#include "tst_serverstopped.moc"
