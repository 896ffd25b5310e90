#include "report/cupsqueue.h"

#include <QTest>

// The rules on what a spooler's queue reports: whether it may take a ticket now, and
// which of its papers a ticket goes on and where.
class TestCupsQueue : public QObject
{
    Q_OBJECT

private slots:
    void problemNamesTheCause_data()
    {
        QTest::addColumn<QStringList>("reasons");
        QTest::addColumn<bool>("accepting");
        QTest::addColumn<bool>("stopped");
        QTest::addColumn<QString>("problem");
        const QStringList none;
        QTest::newRow("ready") << none << true << false << QString();
        QTest::newRow("only informed")
            << QStringList{u"media-empty-warning"_qs, u"door-open-report"_qs, u"offline-report"_qs}
            << true << false << QString();
        QTest::newRow("no paper") << QStringList{u"media-low"_qs, u"media-empty-error"_qs} << true
                                  << false << u"Carta esaurita nella stampante «T»."_qs;
        QTest::newRow("jam before stopped") << QStringList{u"media-jam"_qs} << true << true
                                            << u"Carta inceppata nella stampante «T»."_qs;
        QTest::newRow("cover") << QStringList{u"door-open"_qs} << true << false
                               << u"Sportello aperto nella stampante «T»."_qs;
        QTest::newRow("unreachable") << QStringList{u"offline-error"_qs} << true << false
                                     << u"Stampante non raggiungibile «T»."_qs;
        QTest::newRow("rejecting")
            << none << false << true << u"La stampante «T» non accetta lavori."_qs;
        QTest::newRow("stopped") << QStringList{u"paused"_qs} << true << true
                                 << u"La stampante «T» è ferma."_qs;
    }
    void problemNamesTheCause()
    {
        QFETCH(QStringList, reasons);
        QFETCH(bool, accepting);
        QFETCH(bool, stopped);
        CupsQueue queue;
        queue.name = u"T"_qs;
        queue.reasons = reasons;
        queue.accepting = accepting;
        queue.state = stopped ? CupsQueue::State::Stopped : CupsQueue::State::Processing;
        QTEST(queue.problem(), "problem");
    }

    void ticketGoesOnTheNarrowestPaperThatHoldsIt_data()
    {
        QTest::addColumn<QSizeF>("ticket");
        QTest::addColumn<QRectF>("items");
        QTest::addColumn<QSizeF>("customMaximum");
        QTest::addColumn<QString>("medium");
        QTest::addColumn<QPointF>("origin");
        const QRectF inside(4, 3, 72, 80);
        const QSizeF none;
        QTest::newRow("as wide") << QSizeF(80, 90) << inside << none << u"r80"_qs << QPointF(0, 0);
        QTest::newRow("narrower roll")
            << QSizeF(58, 90) << inside << none << u"r58"_qs << QPointF(0, 0);
        QTest::newRow("centred") << QSizeF(60, 90) << QRectF(10, 3, 40, 9) << none << u"r80"_qs
                                 << QPointF(10, 0);
        QTest::newRow("within a roll's margin, moved in")
            << QSizeF(80, 90) << QRectF(0, 0, 80, 9) << none << u"r80"_qs << QPointF(4, 2);
        QTest::newRow("longer than the short roll")
            << QSizeF(100, 200) << inside << none << u"wide-long"_qs << QPointF(10, 0);
        QTest::newRow("wider than all") << QSizeF(200, 90) << QRectF(50, 3, 100, 9) << none
                                        << u"wide-short"_qs << QPointF(-40, 0);
        QTest::newRow("custom size") << QSizeF(80, 90) << inside << QSizeF(100, 1000)
                                     << u"custom_80x90mm_80x90mm"_qs << QPointF(0, 0);
        QTest::newRow("too large for custom sizes")
            << QSizeF(80, 90) << inside << QSizeF(70, 1000) << u"r80"_qs << QPointF(0, 0);
    }
    void ticketGoesOnTheNarrowestPaperThatHoldsIt()
    {
        QFETCH(QSizeF, ticket);
        QFETCH(QRectF, items);
        QFETCH(QSizeF, customMaximum);
        QFETCH(QString, medium);
        CupsQueue queue;
        const QMarginsF roll(4, 2, 4, 0);
        queue.media = {{u"wide-short"_qs, QSizeF(120, 150), roll},
                       {u"r80"_qs, QSizeF(80, 297), roll},
                       {u"wide-long"_qs, QSizeF(120, 400), roll},
                       {u"r58"_qs, QSizeF(58, 297), roll}};
        queue.customMinimum = QSizeF(10, 10);
        queue.customMaximum = customMaximum;
        const CupsMedium chosen = queue.mediumFor(ticket);
        QCOMPARE(chosen.name, medium);
        QTEST(chosen.ticketOrigin(ticket, items), "origin");
    }
};

QTEST_GUILESS_MAIN(TestCupsQueue)
#include "tst_cupsqueue.moc"
