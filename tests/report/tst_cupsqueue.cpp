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
        QTest::addColumn<QString>("problem");
        QTest::newRow("only informed, so the stop is told")
            << QStringList{u"media-empty-warning"_qs, u"door-open-report"_qs, u"offline-report"_qs}
            << u"La stampante «T» è ferma."_qs;
        QTest::newRow("no paper") << QStringList{u"media-low"_qs, u"media-empty-error"_qs}
                                  << u"Carta esaurita nella stampante «T»."_qs;
    }
    void problemNamesTheCause()
    {
        QFETCH(QStringList, reasons);
        CupsQueue queue;
        queue.name = u"T"_qs;
        queue.reasons = reasons;
        // The cause is told before the stop that it brought about.
        queue.state = CupsQueue::State::Stopped;
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
        QTest::newRow("within a roll's margin, moved in")
            << QSizeF(80, 90) << QRectF(0, 0, 80, 9) << none << u"r80"_qs << QPointF(4, 2);
        QTest::newRow("longer than the short roll")
            << QSizeF(100, 200) << inside << none << u"wide-long"_qs << QPointF(10, 0);
        QTest::newRow("wider than all") << QSizeF(200, 90) << QRectF(50, 3, 100, 9) << none
                                        << u"wide-short"_qs << QPointF(-40, 0);
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
