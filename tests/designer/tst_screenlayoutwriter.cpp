#include "archive/archiveerror.h"
#include "console/screenlayoutreader.h"
#include "console/screenlayoutwriter.h"
#include "layouttablerows.h"
#include "support/archivefixture.h"

#include <QFile>
#include <QtTest>

namespace {

constexpr qint32 rgb(int red, int green, int blue)
{
    return red | green << 8 | blue << 16;
}

// Values distinct per record and per field, so that one written to the wrong place shows.
ScreenLayout distinctLayout()
{
    ScreenLayout layout;
    layout.title = {u"Comune di Valdoria"_qs, 480, 645, u"DejaVu Serif"_qs, 20.25f,
                    true, true, rgb(20, 66, 114), rgb(255, 255, 250), false};
    layout.bar = {1500, 300, rgb(1, 2, 3), rgb(4, 5, 6), false};
    for (int i = 0; i < ScreenLayout::PanelCount; ++i)
        layout.panels[i] = {i % 3 != 0,
                            float(3000 + 15 * i),
                            float(150 * i),
                            QStringLiteral("Carattere %1").arg(i),
                            8.25f + float(i),
                            i % 2 == 0,
                            i % 2 == 1,
                            i % 7,
                            rgb(10, 0, i),
                            rgb(0, 20, i),
                            rgb(i, 30, 0),
                            std::nullopt};
    layout.panels[10].buttonText = u"Tutti gli sportelli"_qs;
    layout.backColor = rgb(234, 240, 246);
    layout.picturePath = u"/srv/immagini/sfondo.jpg"_qs;
    return layout;
}

// The demo's own layout with every record changed.
ScreenLayout changedLayout(const QString &folder)
{
    ScreenLayout layout = ScreenLayoutReader::read(folder, nullptr);
    *layout.title.left += 15;
    *layout.bar.left += 15;
    for (ScreenLayout::Panel &panel : layout.panels)
        *panel.left += 15;
    layout.backColor = rgb(9, 9, 9);
    return layout;
}

} // namespace

class TestScreenLayoutWriter : public QObject
{
    Q_OBJECT

private slots:
    void writingWhatWasReadChangesNothing_data()
    {
        QTest::addColumn<bool>("demo");
        QTest::newRow("fresh") << false;
        QTest::newRow("demo") << true;
    }

    void writingWhatWasReadChangesNothing()
    {
        QFETCH(bool, demo);
        ArchiveFixture fixture(demo);
        QVERIFY(fixture.isValid());
        const QString totem = fixture.path(u"Totem.mdb"_qs);
        const QStringList before = layoutTableRows(totem);
        QCOMPARE(before.size(), ScreenLayout::RecordCount);

        QStringList problems;
        ScreenLayoutWriter::write(ScreenLayoutReader::read(fixture.folder(), &problems),
                                  fixture.folder());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        QCOMPARE(layoutTableRows(totem), before);
    }

    void eachValueReachesItsRecordAndField()
    {
        ArchiveFixture fixture(true);
        QVERIFY(fixture.isValid());
        const ScreenLayout written = distinctLayout();
        ScreenLayoutWriter::write(written, fixture.folder());

        QStringList problems;
        const ScreenLayout read = ScreenLayoutReader::read(fixture.folder(), &problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        QCOMPARE(read.title.text, written.title.text);
        QCOMPARE(read.title.top, written.title.top);
        QCOMPARE(read.title.left, written.title.left);
        QCOMPARE(read.title.fontName, written.title.fontName);
        QCOMPARE(read.title.fontSize, written.title.fontSize);
        QCOMPARE(read.title.bold, true);
        QCOMPARE(read.title.italic, true);
        QCOMPARE(read.title.backColor, written.title.backColor);
        QCOMPARE(read.title.textColor, written.title.textColor);
        QCOMPARE(read.title.visible, false);
        QCOMPARE(read.bar.top, written.bar.top);
        QCOMPARE(read.bar.left, written.bar.left);
        QCOMPARE(read.bar.backColor, written.bar.backColor);
        QCOMPARE(read.bar.fixedTextColor, written.bar.fixedTextColor);
        QCOMPARE(read.bar.visible, std::optional<bool>(false));
        for (int i = 0; i < ScreenLayout::PanelCount; ++i) {
            const ScreenLayout::Panel &panel = read.panels[i];
            const ScreenLayout::Panel &expected = written.panels[i];
            QCOMPARE(panel.visible, expected.visible);
            QCOMPARE(panel.top, expected.top);
            QCOMPARE(panel.left, expected.left);
            QCOMPARE(panel.fontName, expected.fontName);
            QCOMPARE(panel.fontSize, expected.fontSize);
            QCOMPARE(panel.bold, expected.bold);
            QCOMPARE(panel.italic, expected.italic);
            QCOMPARE(panel.appearance, expected.appearance);
            QCOMPARE(panel.textColor, expected.textColor);
            QCOMPARE(panel.panelColor, expected.panelColor);
            QCOMPARE(panel.fixedTextColor, expected.fixedTextColor);
        }
        QCOMPARE(read.panels[10].buttonText, written.panels[10].buttonText);
        QCOMPARE(read.backColor, written.backColor);
        QCOMPARE(read.picturePath, written.picturePath);

        // The stored forms, and the fields that belong to no element of a record.
        const QStringList rows = layoutTableRows(fixture.path(u"Totem.mdb"_qs));
        QVERIFY2(rows[0].contains(u"FontBold=-1"_qs), qPrintable(rows[0]));
        QVERIFY2(rows[0].contains(u"Visibile=0"_qs), qPrintable(rows[0]));
        QVERIFY2(rows[2].contains(u"DimFont=8.25"_qs), qPrintable(rows[2]));
        QVERIFY2(rows[1].contains(u"NomeFont=NULL"_qs), qPrintable(rows[1]));
        for (int record = 3; record <= 12; ++record)
            QVERIFY2(rows[record - 1].contains(u"TestoPulsante=NULL"_qs),
                     qPrintable(rows[record - 1]));
        QVERIFY2(rows[13].contains(u"top=NULL"_qs), qPrintable(rows[13]));
    }

    void noPictureIsStoredAsAnEmptyText()
    {
        ArchiveFixture fixture(true);
        QVERIFY(fixture.isValid());
        ScreenLayout layout = distinctLayout();
        layout.picturePath = QString(); // a null text, as an empty label gives it
        ScreenLayoutWriter::write(layout, fixture.folder());
        QVERIFY(layoutTableRows(fixture.path(u"Totem.mdb"_qs))[13].contains(
            u"PercorsoImmagine=''"_qs));
    }

    void aFailureSaysWhichRecordAndKeepsThoseBefore_data()
    {
        QTest::addColumn<QStringList>("damage");
        QTest::addColumn<bool>("removeArchive");
        QTest::addColumn<int>("failedRecord"); // 0: the table could not be opened
        QTest::addColumn<QString>("sentence");

        QTest::newRow("twelve records")
            << QStringList{u"DELETE FROM Layout1 WHERE rowid IN (SELECT rowid FROM Layout1 "
                           u"ORDER BY rowid DESC LIMIT 2)"_qs}
            << false << 13
            << u"Il record 13 di 14 (pannello della coda unica) non è stato memorizzato: i "
               u"record da 1 a 12 sono stati memorizzati"_qs;
        QTest::newRow("record 5 refused")
            << QStringList{u"CREATE TRIGGER rifiuta BEFORE UPDATE ON Layout1 WHEN old.rowid = 5 "
                           u"BEGIN SELECT RAISE(ABORT, 'record bloccato'); END"_qs}
            << false << 5
            << u"Il record 5 di 14 (pannello della postazione 3) non è stato memorizzato: i "
               u"record da 1 a 4 sono stati memorizzati"_qs;
        QTest::newRow("record 1 refused")
            << QStringList{u"CREATE TRIGGER rifiuta BEFORE UPDATE ON Layout1 WHEN old.rowid = 1 "
                           u"BEGIN SELECT RAISE(ABORT, 'record bloccato'); END"_qs}
            << false << 1 << u"nessun record è stato memorizzato"_qs;
        QTest::newRow("no archive") << QStringList{} << true << 0
                                    << u"La tabella Layout1 non può essere aperta: nessun "
                                       u"record è stato memorizzato."_qs;
    }

    void aFailureSaysWhichRecordAndKeepsThoseBefore()
    {
        QFETCH(QStringList, damage);
        QFETCH(bool, removeArchive);
        QFETCH(int, failedRecord);
        QFETCH(QString, sentence);

        ArchiveFixture fixture(true);
        QVERIFY(fixture.isValid());
        const QString totem = fixture.path(u"Totem.mdb"_qs);
        const ScreenLayout layout = changedLayout(fixture.folder());
        if (!damage.isEmpty())
            QVERIFY(fixture.run(u"Totem.mdb"_qs, damage));
        const QStringList before = layoutTableRows(totem);
        if (removeArchive)
            QVERIFY(QFile::remove(totem));

        try {
            ScreenLayoutWriter::write(layout, fixture.folder());
            QFAIL("the save did not fail");
        } catch (const ArchiveError &error) {
            QVERIFY2(error.message().contains(sentence), qPrintable(error.message()));
        }
        if (removeArchive)
            return;
        const QStringList after = layoutTableRows(totem);
        QCOMPARE(after.size(), before.size());
        for (int record = 1; record <= after.size(); ++record) {
            if (record < failedRecord)
                QVERIFY2(after[record - 1] != before[record - 1], qPrintable(after[record - 1]));
            else
                QCOMPARE(after[record - 1], before[record - 1]);
        }
    }
};

QTEST_GUILESS_MAIN(TestScreenLayoutWriter)
#include "tst_screenlayoutwriter.moc"
