#include "frontend/frontend.h"
#include "layout/layoutapplier.h"
#include "layout/screenlayoutreader.h"
#include "support/kioskfixture.h"
#include "ui/colorvalue.h"
#include "ui/twips.h"

#include <QtTest>

namespace {
// A statement on one record of the screen layout table (rowid 1 to 14).
QString update(int record, const QString &assignments)
{
    return u"UPDATE Layout1 SET %1 WHERE rowid = %2"_qs.arg(assignments).arg(record);
}
} // namespace

// The stored layout read and applied to the real public screen.
class TestLayoutApplier : public QObject
{
    Q_OBJECT

private:
    KioskState state_;
    ScriptedDialogs dialogs_;
    ManualClock clock_;

private slots:
    void initTestCase() { QCOMPARE(Twips::logicalDpi(), 96.0); }

    void eachRecordReachesItsElements_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QVariant>("expected");
        const auto row = [](const char *name, int record, const char *set, const char *element,
                            const char *what, const QVariant &expected) {
            QTest::newRow(name) << update(record, QString::fromUtf8(set))
                                << QString::fromLatin1(element) << QString::fromLatin1(what)
                                << expected;
        };
        row("title as typed", 1, "TestoTitolo = '<b>Uffici</b> & co'", "Label1(0)", "text",
            u"<b>Uffici</b> & co"_qs);
        row("title hidden when empty", 1, "visibile = NULL", "Label1(0)", "hidden", true);
        row("bar texts", 2, "ColoreTestiFissi = 65280", "Label1(1)", "windowText", 65280);
        row("panel hidden, placed all the same", 4, "Visibile = 0, top = 30", "Postazione1(1)",
            "pos", QPoint(274, 2));
        row("empty bold is not bold", 5, "FontBold = NULL", "PB1(2)", "bold", false);
        row("style", 6, "Appearance = 4", "PB1(3)", "appearance", 4);
        row("fixed labels", 9, "ColoreTestiFissi = 128", "Label8(6)", "windowText", 128);
        row("no counter caption", 12, "TestoPulsante = 'Anagrafe'", "PB1(9)", "text", QString());
        row("single queue's caption", 13, "TestoPulsante = 'Tutti'", "PB1(10)", "text",
            u"Tutti"_qs);
    }

    void eachRecordReachesItsElements()
    {
        QFETCH(QString, change);
        QFETCH(QString, element);
        QFETCH(QString, what);
        const ArchiveFixture demo(true);
        QVERIFY(demo.run(u"Totem.mdb"_qs, {change}));
        FrontEnd screen(state_, dialogs_, clock_);
        LayoutApplier::apply(ScreenLayoutReader::read(demo.folder(), nullptr), screen);

        QWidget *widget = named(screen, element);
        const QHash<QString, QVariant> seen{
            {u"text"_qs, widget->property("text")},
            {u"hidden"_qs, widget->isHidden()},
            {u"pos"_qs, widget->pos()},
            {u"bold"_qs, widget->font().bold()},
            {u"appearance"_qs, widget->property("appearance")},
            {u"windowText"_qs,
             ColorValue::fromColor(widget->palette().color(QPalette::WindowText))},
        };
        QTEST(seen.value(what), "expected");
    }

    // Rows past the fourteenth belong to nobody: the screen keeps the fourteenth's colour.
    void recordsPastTheFourteenthAreNotRead()
    {
        const ArchiveFixture demo(true), longer(true);
        QVERIFY(longer.run(u"Totem.mdb"_qs,
                           {u"INSERT INTO Layout1 SELECT * FROM Layout1 WHERE rowid = 14"_qs,
                            update(15, u"ColoreSfondo = 255"_qs)}));
        QVERIFY(ScreenLayoutReader::read(longer.folder(), nullptr)
                == ScreenLayoutReader::read(demo.folder(), nullptr));
    }

    void aPictureThatWillNotLoadIsOnlyLogged()
    {
        QTemporaryDir dir;
        ScreenLayout layout; // nothing but the picture
        layout.picturePath = dir.filePath(u"sfondo.bmp"_qs);
        QImage(4, 3, QImage::Format_RGB32).save(*layout.picturePath, "BMP");
        FrontEnd screen(state_, dialogs_, clock_);
        LayoutApplier::apply(layout, screen);
        QCOMPARE(screen.backgroundPicture().size(), QSize(4, 3));

        QStringList problems;
        layout.picturePath = u"/non/esiste.jpg"_qs;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"/non/esiste.jpg"_qs));
        LayoutApplier::apply(layout, screen, &problems);
        QCOMPARE(problems, QStringList());
        QCOMPARE(screen.backgroundPicture().size(), QSize(4, 3));

        layout.picturePath = QString();
        LayoutApplier::apply(layout, screen, &problems);
        QVERIFY(screen.backgroundPicture().isNull());
    }
};

QTEST_MAIN(TestLayoutApplier)
#include "tst_layoutapplier.moc"
