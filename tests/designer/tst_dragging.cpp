#include "core/kioskstate.h"
#include "designer/layout1.h"
#include "designertesting.h"
#include "support/scripteddialogs.h"
#include "ui/twips.h"

#include <QtTest>

// Elements dragged by their handles with the mouse, and where they land.
class TestDragging : public QObject
{
    Q_OBJECT

private:
    KioskState state_;
    ScriptedDialogs dialogs_;

private slots:
    void initTestCase() { QCOMPARE(Twips::logicalDpi(), 96.0); }

    void dropPlaces_data()
    {
        QTest::addColumn<QString>("handle");
        QTest::addColumn<QString>("element");
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("to"); // from the element's place, or from the window's
                                        // outer bottom right corner when fromCorner
        QTest::addColumn<bool>("fromCorner");
        QTest::addColumn<QString>("lands");
        const QString followed = u"there"_qs, unmoved = u"unmoved"_qs, corner = u"corner"_qs;
        QTest::newRow("title") << u"Image4"_qs << u"Titolo"_qs << int(Qt::LeftButton)
                               << QPoint(30, 20) << false << followed;
        QTest::newRow("bar") << u"Image3"_qs << u"GB0"_qs << int(Qt::LeftButton) << QPoint(12, 40)
                             << false << followed;
        QTest::newRow("single queue")
            << u"Image1(10)"_qs << u"Postazione1(10)"_qs << int(Qt::LeftButton) << QPoint(45, -30)
            << false << followed;
        QTest::newRow("tool panel") << u"Image2"_qs << u"SSPanel1"_qs << int(Qt::LeftButton)
                                    << QPoint(-200, 10) << false << followed;
        QTest::newRow("right button") << u"Image4"_qs << u"Titolo"_qs << int(Qt::RightButton)
                                      << QPoint(40, 40) << false << unmoved;
        QTest::newRow("top equal to the height")
            << u"Image4"_qs << u"Titolo"_qs << int(Qt::LeftButton) << QPoint(-600, 0) << true
            << followed;
        QTest::newRow("top a pixel lower") << u"Image4"_qs << u"Titolo"_qs << int(Qt::LeftButton)
                                           << QPoint(-600, 1) << true << corner;
        QTest::newRow("left a pixel further") << u"Image3"_qs << u"GB0"_qs << int(Qt::LeftButton)
                                              << QPoint(1, -300) << true << corner;
        QTest::newRow("above the top") << u"Image4"_qs << u"Titolo"_qs << int(Qt::LeftButton)
                                       << QPoint(0, -700) << false << corner;
        QTest::newRow("past the left edge")
            << u"Image1(10)"_qs << u"Postazione1(10)"_qs << int(Qt::LeftButton) << QPoint(-400, 0)
            << false << corner;
    }

    void dropPlaces()
    {
        QFETCH(QString, handle);
        QFETCH(QString, element);
        QFETCH(int, button);
        QFETCH(QPoint, to);
        QFETCH(bool, fromCorner);
        QFETCH(QString, lands);
        Layout1 designer(state_, dialogs_);
        designer.show();
        QWidget *grip = named(designer, handle);
        QWidget *moved = named(designer, element);
        const QPoint from = moved->pos();
        const QSize outer = designer.frameGeometry().size();
        const QPoint target = fromCorner ? QPoint(outer.width(), outer.height()) + to : from + to;
        const QPoint grab(5, 5);

        QTest::mousePress(grip, Qt::MouseButton(button), {}, grab);
        // Two steps: the handle goes with its element, so the pointer keeps its grip.
        QTest::mouseMove(grip, grab + (target - from) / 2);
        QTest::mouseMove(grip, grab + (target - from) - (target - from) / 2);
        QCOMPARE(designer.dragState().isDragging(), button == Qt::LeftButton);
        QTest::mouseRelease(grip, Qt::MouseButton(button), {}, grab);

        QVERIFY(!designer.dragState().isDragging());
        const QPoint landed = lands == u"there"_qs    ? target
                              : lands == u"corner"_qs ? QPoint()
                                                      : from;
        QCOMPARE(moved->pos(), landed);
        // The tool panel's place is not part of the layout.
        QCOMPARE(designer.hasUnsavedChanges(), landed != from && element != u"SSPanel1"_qs);
    }
};

QTEST_MAIN(TestDragging)
#include "tst_dragging.moc"
