#include "core/kioskstate.h"
#include "designer/designerloader.h"
#include "designer/layout1.h"
#include "designertesting.h"
#include "support/archivefixture.h"
#include "support/scripteddialogs.h"
#include "ui/twips.h"

#include <QtTest>

namespace {

const QPoint Grip(5, 5);

// Presses a button on the handle and moves the pointer by the given pixels.
void drag(QWidget *handle, const QPoint &by, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(handle, button, {}, Grip);
    QTest::mouseMove(handle, Grip + by);
}

void drop(QWidget *handle, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseRelease(handle, button, {}, Grip);
}

} // namespace

class TestDragging : public QObject
{
    Q_OBJECT

private:
    KioskState state_;
    ScriptedDialogs dialogs_;

private slots:
    void initTestCase() { QCOMPARE(Twips::logicalDpi(), 96.0); }

    void theElementFollowsThePointer_data()
    {
        QTest::addColumn<QString>("handle");
        QTest::addColumn<QString>("element");
        QTest::newRow("title") << u"Image4"_qs << u"Titolo"_qs;
        QTest::newRow("bar") << u"Image3"_qs << u"GB0"_qs;
        QTest::newRow("single queue") << u"Image1(10)"_qs << u"Postazione1(10)"_qs;
        QTest::newRow("tool panel") << u"Image2"_qs << u"SSPanel1"_qs;
    }

    void theElementFollowsThePointer()
    {
        QFETCH(QString, handle);
        QFETCH(QString, element);
        Layout1 designer(state_, dialogs_);
        designer.show();
        QWidget *grip = named(designer, handle);
        QWidget *moved = named(designer, element);
        const QPoint from = moved->pos();

        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            drag(grip, QPoint(40, 40), button);
            QVERIFY(!designer.dragState().isDragging());
            drop(grip, button);
        }
        QCOMPARE(moved->pos(), from);
        drag(grip, QPoint(30, 20));
        QCOMPARE(moved->pos(), from + QPoint(30, 20));
        QCOMPARE(designer.dragState().startX(), 75.0); // 5 pixels, in twips
        // The handle went along, so the pointer is on the grip point again.
        QTest::mouseMove(grip, Grip + QPoint(12, 4));
        drop(grip);
        QVERIFY(!designer.dragState().isDragging());
        QCOMPARE(moved->pos(), from + QPoint(42, 24));
    }

    void dropsOutsideTheWindowGoToTheCorner_data()
    {
        // Where the element is dropped, from the window's outer bottom right corner, or
        // when that is null, from where it stood.
        QTest::addColumn<QPoint>("fromCorner");
        QTest::addColumn<QPoint>("fromStart");
        QTest::addColumn<bool>("kept");
        QTest::newRow("top equal to the height") << QPoint(-600, 0) << QPoint() << true;
        QTest::newRow("top a pixel lower") << QPoint(-600, 1) << QPoint() << false;
        QTest::newRow("left equal to the width") << QPoint(0, -300) << QPoint() << true;
        QTest::newRow("left a pixel further") << QPoint(1, -300) << QPoint() << false;
        QTest::newRow("above the top") << QPoint() << QPoint(0, -700) << false;
        QTest::newRow("past the left edge") << QPoint() << QPoint(-20, 0) << false;
    }

    void dropsOutsideTheWindowGoToTheCorner()
    {
        QFETCH(QPoint, fromCorner);
        QFETCH(QPoint, fromStart);
        QFETCH(bool, kept);
        Layout1 designer(state_, dialogs_);
        designer.show();
        QWidget *title = named(designer, u"Titolo"_qs);
        QWidget *grip = named(designer, u"Image4"_qs);
        const QRect outer = designer.frameGeometry();
        const QPoint target = fromStart.isNull()
                                  ? QPoint(outer.width(), outer.height()) + fromCorner
                                  : title->pos() + fromStart;

        drag(grip, target - title->pos());
        QCOMPARE(title->pos(), target);
        drop(grip);
        QCOMPARE(title->pos(), kept ? target : QPoint(0, 0));
    }

    void aDroppedPanelIsSavedWhereItLies()
    {
        ArchiveFixture fixture(true);
        QVERIFY(fixture.isValid());
        state_.archiveFolder = fixture.folder();
        const QString totem = fixture.path(u"Totem.mdb"_qs);
        const QStringList before = layoutTableRows(totem);
        Layout1 designer(state_, dialogs_);
        DesignerLoader::load(designer, state_.archiveFolder, nullptr);
        designer.show();

        for (const auto &[handle, by] : {std::pair(u"Image1(2)"_qs, QPoint(45, -30)),
                                         std::pair(u"Image2"_qs, QPoint(-200, 10))}) {
            drag(named(designer, handle), by);
            drop(named(designer, handle));
        }
        designer.save();

        // Panel 3 of the demo stands at 7845, 2160; the tool panel is not stored.
        const QStringList after = layoutTableRows(totem);
        for (int record = 1; record <= 14; ++record) {
            if (record != 5)
                QCOMPARE(after[record - 1], before[record - 1]);
        }
        QVERIFY2(after[4].contains(u"top=1710 left=8520"_qs), qPrintable(after[4]));
    }
};

QTEST_MAIN(TestDragging)
#include "tst_dragging.moc"
