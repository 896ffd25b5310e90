#include "archive/fresharchives.h"
#include "core/kioskstate.h"
#include "designer/designertesting.h"
#include "frontend/frontend.h"
#include "layout/layoutapplier.h"
#include "layout/screenlayoutreader.h"
#include "layout/screenlayoutwriter.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"
#include "support/sqlitefile.h"
#include "ui/colorvalue.h"
#include "ui/twips.h"

#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// The stored layout read, written, and applied to the real public screen.
class TestLayoutApplier : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;
    KioskState state_;
    ScriptedDialogs dialogs_;
    ManualClock clock_;

    // Fresh archives changed by statements on the layout table's records (rowid 1 to 14).
    QString archives(const QString &name, const QStringList &changes = {},
                     FreshArchives::Content content = FreshArchives::Content::Demo)
    {
        const QString folder = dir_.filePath(name);
        QDir().mkpath(folder);
        FreshArchives::create(folder, content, true);
        if (!SqliteFile::run(folder + u"/Totem.mdb"_qs, changes))
            qFatal("cannot change the layout table");
        return folder;
    }

    ScreenLayout stored(const QStringList &changes)
    {
        return ScreenLayoutReader::read(archives(u"a"_qs, changes), nullptr);
    }

private slots:
    void initTestCase() { QCOMPARE(Twips::logicalDpi(), 96.0); }

    void writtenLayoutReadsBackTheSame_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::newRow("demo") << QStringList{};
        QTest::newRow("hidden, off the pixel grid, unknown style, texts as typed") << QStringList{
            u"UPDATE Layout1 SET Visibile = 0, top = 17000, FontItalic = -1 WHERE rowid = 4"_qs,
            u"UPDATE Layout1 SET top = 2161.5, Appearance = 9 WHERE rowid = 7"_qs,
            u"UPDATE Layout1 SET TestoTitolo = '<b>A</b> & B', DimFont = 8.25 WHERE rowid = 1"_qs,
            u"UPDATE Layout1 SET TestoPulsante = '' WHERE rowid = 13"_qs,
            u"UPDATE Layout1 SET PercorsoImmagine = '/non/esiste.jpg' WHERE rowid = 14"_qs};
    }

    // Into a table that holds other values everywhere.
    void writtenLayoutReadsBackTheSame()
    {
        QFETCH(QStringList, changes);
        QStringList problems;
        const ScreenLayout layout = ScreenLayoutReader::read(archives(u"a"_qs, changes), &problems);
        const QString other = archives(u"b"_qs, {}, FreshArchives::Content::Empty);
        ScreenLayoutWriter::write(layout, other);
        QVERIFY(ScreenLayoutReader::read(other, &problems) == layout);
        QCOMPARE(problems, QStringList());
    }

    void eachRecordReachesItsElements_data()
    {
        QTest::addColumn<int>("record");
        QTest::addColumn<QString>("assignments");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QVariant>("expected");
        const auto row = [](const char *name, int record, const char *set, const char *element,
                            const char *what, const QVariant &expected) {
            QTest::newRow(name) << record << QString::fromUtf8(set) << QString::fromLatin1(element)
                                << QString::fromLatin1(what) << expected;
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
        QFETCH(int, record);
        QFETCH(QString, assignments);
        QFETCH(QString, element);
        QFETCH(QString, what);
        QFETCH(QVariant, expected);
        FrontEnd screen(state_, dialogs_, clock_);
        LayoutApplier::apply(
            stored({u"UPDATE Layout1 SET %1 WHERE rowid = %2"_qs.arg(assignments).arg(record)}),
            screen);

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
        QCOMPARE(seen.value(what), expected);
    }

    void aPictureThatWillNotLoadIsOnlyLogged()
    {
        ScreenLayout layout; // nothing but the picture
        layout.picturePath = dir_.filePath(u"sfondo.bmp"_qs);
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
