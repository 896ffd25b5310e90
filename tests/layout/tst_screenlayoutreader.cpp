#include "archive/archivecontent.h"
#include "archive/demoarchivecontent.h"
#include "archive/fresharchives.h"
#include "layout/screenlayoutreader.h"
#include "support/sqlitefile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <tuple>

using Content = FreshArchives::Content;

Q_DECLARE_METATYPE(FreshArchives::Content)

// A spoiled record is worded by its number, what it holds and the field; the rest is read.
class TestScreenLayoutReader : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QStringList problems_;

    // The fresh archive changed by statements on its layout table, whose records have no
    // key but their rowid (1 to 14), then read.
    ScreenLayout readAfter(const QStringList &statements)
    {
        dir_ = std::make_unique<QTemporaryDir>();
        FreshArchives::create(dir_->path(), Content::Empty);
        if (!SqliteFile::run(dir_->path() + QStringLiteral("/Totem.mdb"), statements))
            return {};
        problems_.clear();
        return ScreenLayoutReader::read(dir_->path(), &problems_);
    }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void readsEveryRecordAsWritten_data()
    {
        QTest::addColumn<Content>("content");
        QTest::newRow("vuoto") << Content::Empty;
        QTest::newRow("dimostrativo") << Content::Demo;
    }

    void readsEveryRecordAsWritten()
    {
        QFETCH(Content, content);
        FreshArchives::create(dir_->path(), content);
        const ArchiveContent::ScreenLayout stored = content == Content::Empty
                                                        ? ArchiveContent::designLayout()
                                                        : DemoArchiveContent::screenLayout();
        const ScreenLayout layout = ScreenLayoutReader::read(dir_->path(), &problems_);
        QCOMPARE(problems_, QStringList());
        QCOMPARE(layout.recordCount, 14);

        const ScreenLayout::Title &t = layout.title;
        QCOMPARE(
            std::tuple(t.text, t.left, t.top, t.fontName, t.fontSize),
            std::tuple(std::optional(stored.title), std::optional(float(stored.positions[0].x())),
                       std::optional(float(stored.positions[0].y())),
                       std::optional(stored.fontName), std::optional(float(stored.titleFontSize))));
        QCOMPARE(std::tuple(t.bold, t.italic, t.backColor, t.textColor, t.visible),
                 std::tuple(stored.titleBold, false, std::optional(stored.titleBackground),
                            std::optional(stored.titleText), true));
        const ScreenLayout::Bar &b = layout.bar;
        QCOMPARE(std::tuple(b.left, b.top, b.backColor, b.fixedTextColor, b.visible),
                 std::tuple(std::optional(float(stored.positions[1].x())),
                            std::optional(float(stored.positions[1].y())),
                            std::optional(stored.barBackground), std::optional(stored.barTexts),
                            std::optional(true)));
        for (int i = 0; i < ScreenLayout::PanelCount; ++i) {
            const ScreenLayout::Panel &p = layout.panels[i];
            QVERIFY2(
                p.visible == true && p.left == float(stored.positions[2 + i].x())
                    && p.top == float(stored.positions[2 + i].y()) && p.fontName == stored.fontName
                    && p.fontSize == float(stored.buttonFontSize) && p.bold == stored.buttonBold
                    && p.appearance == stored.buttonStyle && p.textColor == stored.buttonText
                    && p.panelColor == stored.panelBackgrounds[i]
                    && p.fixedTextColor == stored.panelTexts
                    && p.buttonText.has_value() == (i == 10),
                qPrintable(u"panel %1"_qs.arg(i)));
        }
        QCOMPARE(layout.panels[10].buttonText, QStringLiteral("Coda Unica"));
        QCOMPARE(layout.backColor, stored.screenBackground);
        // Stored as an empty text, which is not the same as an empty field.
        QCOMPARE(layout.picturePath, QString());
    }

    // Yes/no values tested for being true take empty as no; those converted to true or
    // false cannot. A hidden panel is still placed and coloured.
    void yesNoValues()
    {
        const ScreenLayout layout = readAfter(
            {QStringLiteral("UPDATE Layout1 SET FontBold = NULL WHERE rowid IN (1, 5)"),
             QStringLiteral("UPDATE Layout1 SET Visibile = NULL WHERE rowid IN (1, 2, 6)"),
             QStringLiteral("UPDATE Layout1 SET Visibile = 0 WHERE rowid = 4"),
             QStringLiteral("UPDATE Layout1 SET TestoTitolo = '' WHERE rowid = 1")});
        QCOMPARE(layout.title.text, QString()); // an empty title is not a problem
        QCOMPARE(layout.panels[1].visible, false);
        QCOMPARE(layout.panels[1].top, 2040.0f);
        QCOMPARE(layout.panels[1].panelColor, ArchiveContent::colour(225, 226, 236));
        QCOMPARE(layout.panels[2].visible, true);
        QCOMPARE(layout.title.bold, false);
        QCOMPARE(layout.title.visible, false);
        QCOMPARE(layout.panels[2].bold, false);
        QCOMPARE(layout.panels[3].bold, true);
        QCOMPARE(layout.bar.visible, std::nullopt);
        QCOMPARE(layout.panels[3].visible, std::nullopt);
        QCOMPARE(problems_, QStringList({u"record 2 (barra di data e ora): campo Visibile vuoto"_qs,
                                         u"record 6 (pannello della postazione 4): campo "
                                         "Visibile vuoto"_qs}));
    }

    void unreadableValuesAreLeftEmptyAndReported()
    {
        ScreenLayout layout = readAfter(
            {QStringLiteral("UPDATE Layout1 SET top = NULL WHERE rowid = 4"),
             QStringLiteral("UPDATE Layout1 SET \"left\" = 'a destra' WHERE rowid = 1"),
             QStringLiteral("UPDATE Layout1 SET ColoreSfondo = -2147483633 WHERE rowid = 14"),
             QStringLiteral("UPDATE Layout1 SET DimFont = 0, NomeFont = '' WHERE rowid = 13"),
             QStringLiteral("UPDATE Layout1 SET TestoTitolo = NULL WHERE rowid = 1"),
             QStringLiteral("UPDATE Layout1 SET TestoPulsante = 'Anagrafe' WHERE rowid = 5"),
             QStringLiteral("UPDATE Layout1 SET PercorsoImmagine = NULL WHERE rowid = 14")});
        QCOMPARE(problems_,
                 QStringList({u"record 1 (titolo): campo TestoTitolo vuoto"_qs,
                              u"record 1 (titolo): campo left non valido («a destra»)"_qs,
                              u"record 4 (pannello della postazione 2): campo Top vuoto"_qs,
                              u"record 13 (pannello della coda unica): campo NomeFont vuoto"_qs,
                              u"record 13 (pannello della coda unica): campo DimFont non "
                              "valido («0»)"_qs,
                              u"record 14 (schermo): campo ColoreSfondo non valido "
                              "(«-2147483633»)"_qs}));
        QCOMPARE(layout.title.text, std::nullopt);
        QCOMPARE(layout.title.left, std::nullopt);
        QCOMPARE(layout.title.top, 240.0f);
        QCOMPARE(layout.panels[1].top, std::nullopt);
        QCOMPARE(layout.panels[1].left, 3840.0f);
        QCOMPARE(layout.panels[10].fontName, std::nullopt);
        QCOMPARE(layout.panels[10].fontSize, std::nullopt);
        QCOMPARE(layout.backColor, std::nullopt);
        QCOMPARE(layout.panels[2].buttonText, std::nullopt); // only record 13 has a caption
        QCOMPARE(layout.picturePath, std::nullopt);          // empty: no picture, nothing wrong

        layout = readAfter({QStringLiteral("ALTER TABLE Layout1 DROP COLUMN ColoreTestiFissi")});
        QCOMPARE(problems_.size(), 12); // the bar and the eleven panels
        QCOMPARE(problems_.first(),
                 u"record 2 (barra di data e ora): campo ColoreTestiFissi assente"_qs);
        QCOMPARE(problems_.last(),
                 u"record 13 (pannello della coda unica): campo ColoreTestiFissi assente"_qs);
        QCOMPARE(layout.panels[10].fixedTextColor, std::nullopt);
        QCOMPARE(layout.panels[10].textColor, 0);
    }

    void fewerRecordsLeaveTheRestUnread()
    {
        const ScreenLayout layout =
            readAfter({QStringLiteral("DELETE FROM Layout1 WHERE rowid IN (13, 14)")});
        QCOMPARE(problems_, QStringList(u"la tabella Layout1 contiene 12 record invece di 14; "
                                        "elementi lasciati come progettati: pannello della coda "
                                        "unica, schermo"_qs));
        QCOMPARE(layout.recordCount, 12);
        QCOMPARE(layout.panels[9].top, 6360.0f);
        QCOMPARE(layout.panels[10].top, std::nullopt);
        QCOMPARE(layout.panels[10].buttonText, std::nullopt);
        QCOMPARE(layout.backColor, std::nullopt);
        QCOMPARE(layout.picturePath, std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestScreenLayoutReader)
#include "tst_screenlayoutreader.moc"
