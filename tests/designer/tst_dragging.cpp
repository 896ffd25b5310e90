#include "archive/archiveschema.h"
#include "archive/recordset.h"
#include "core/kioskstate.h"
#include "designer/designerloader.h"
#include "designer/layout1.h"
#include "layouttablerows.h"
#include "support/archivefixture.h"
#include "support/scripteddialogs.h"
#include "ui/twips.h"

#include <QtTest>

namespace {

QWidget *named(QWidget &screen, const QString &name)
{
    QWidget *widget = screen.findChild<QWidget *>(name);
    if (!widget)
        qFatal("no element %s", qPrintable(name));
    return widget;
}

// Presses the left button on a handle and moves the pointer by the given pixels; the
// pointer positions are relative to the handle wherever it has gone.
void drag(QWidget *handle, const QPoint &by, Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint grip(5, 5);
    QTest::mousePress(handle, button, {}, grip);
    QTest::mouseMove(handle, grip + by);
}

void drop(QWidget *handle, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseRelease(handle, button, {}, QPoint(5, 5));
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
        QTest::newRow("panel 5") << u"Image1(4)"_qs << u"Postazione1(4)"_qs;
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
        const QPoint gripPoint = grip->mapTo(&designer, QPoint(5, 5));

        drag(grip, QPoint(30, 20));
        QCOMPARE(moved->pos(), from + QPoint(30, 20));
        QVERIFY(designer.dragState().isDragging());
        QCOMPARE(designer.dragState().startX(), 75.0); // 5 pixels, in twips
        // Further moves are measured from the same point of the handle.
        QTest::mouseMove(grip, QPoint(5 + 12, 5 + 4));
        QCOMPARE(moved->pos(), from + QPoint(42, 24));
        QCOMPARE(grip->mapTo(&designer, QPoint(5, 5)), gripPoint + QPoint(42, 24));

        drop(grip);
        QVERIFY(!designer.dragState().isDragging());
        QCOMPARE(moved->pos(), from + QPoint(42, 24)); // dropped inside: kept exactly
    }

    void dropsOutsideTheWindowGoToTheCorner_data()
    {
        QTest::addColumn<int>("overTop");  // the dropped top minus the window's outer height
        QTest::addColumn<int>("overLeft"); // the dropped left minus the window's outer width
        QTest::addColumn<QPoint>("offset"); // used instead when not null: a move by pixels
        QTest::addColumn<bool>("kept");
        QTest::newRow("top equal to the height") << 0 << -600 << QPoint() << true;
        QTest::newRow("top a pixel lower") << 1 << -600 << QPoint() << false;
        QTest::newRow("left equal to the width") << -300 << 0 << QPoint() << true;
        QTest::newRow("left a pixel further") << -300 << 1 << QPoint() << false;
        QTest::newRow("above the top") << 0 << 0 << QPoint(0, -700) << false;
        QTest::newRow("past the left edge") << 0 << 0 << QPoint(-20, 0) << false;
    }

    void dropsOutsideTheWindowGoToTheCorner()
    {
        QFETCH(int, overTop);
        QFETCH(int, overLeft);
        QFETCH(QPoint, offset);
        QFETCH(bool, kept);
        Layout1 designer(state_, dialogs_);
        designer.show();
        QWidget *title = named(designer, u"Titolo"_qs);
        QWidget *grip = named(designer, u"Image4"_qs);
        const QRect outer = designer.frameGeometry();
        const QPoint target = offset.isNull()
                                  ? QPoint(outer.width() + overLeft, outer.height() + overTop)
                                  : title->pos() + offset;

        drag(grip, target - title->pos());
        QCOMPARE(title->pos(), target);
        drop(grip);

        QCOMPARE(title->pos(), kept ? target : QPoint(0, 0));
        const QPointF twips = designer.positions().position(*title);
        QCOMPARE(twips, kept ? QPointF(Twips::fromPixels(target.x()), Twips::fromPixels(target.y()))
                             : QPointF(0, 0));
    }

    void onlyTheLeftButtonDrags()
    {
        Layout1 designer(state_, dialogs_);
        designer.show();
        QWidget *panel = named(designer, u"Postazione1(2)"_qs);
        QWidget *grip = named(designer, u"Image1(2)"_qs);
        const QPoint from = panel->pos();

        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            drag(grip, QPoint(40, 40), button);
            QVERIFY(!designer.dragState().isDragging());
            QCOMPARE(panel->pos(), from);
            drop(grip, button);
        }
        // A move with no button held after a left drag has ended moves nothing either.
        drag(grip, QPoint(15, 0));
        drop(grip);
        QTest::mouseMove(grip, QPoint(60, 60));
        QCOMPARE(panel->pos(), from + QPoint(15, 0));
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

        QWidget *grip = named(designer, u"Image1(2)"_qs);
        drag(grip, QPoint(45, -30));
        drop(grip);
        // The tool panel is not part of the layout.
        grip = named(designer, u"Image2"_qs);
        drag(grip, QPoint(-200, 10));
        drop(grip);
        designer.save();

        RecordSet records;
        records.bind(totem, ArchiveSchema::screenLayoutTable());
        records.open();
        for (int n = 1; n < 5; ++n)
            records.moveNext();
        QCOMPARE(records.toSingle(u"left"_qs), 7845.0f + 45 * 15);
        QCOMPARE(records.toSingle(u"top"_qs), 2160.0f - 30 * 15);
        const QStringList after = layoutTableRows(totem);
        for (int record = 1; record <= 14; ++record) {
            if (record != 5)
                QCOMPARE(after[record - 1], before[record - 1]);
        }
    }
};

QTEST_MAIN(TestDragging)
#include "tst_dragging.moc"
