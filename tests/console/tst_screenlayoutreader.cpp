#include "archive/archivecontent.h"
#include "archive/archiveerror.h"
#include "archive/demoarchivecontent.h"
#include "archive/fresharchives.h"
#include "console/screenlayoutreader.h"
#include "support/sqlitefile.h"

#include <QTemporaryDir>
#include <QtTest>

using Content = FreshArchives::Content;

Q_DECLARE_METATYPE(FreshArchives::Content)

class TestScreenLayoutReader : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;

    QString folder() const { return dir_->path(); }

    // The fresh archive changed by statements on its layout table, whose records have no
    // key but their rowid (1 to 14).
    void freshWith(const QStringList &statements)
    {
        FreshArchives::create(folder(), Content::Empty);
        QVERIFY(SqliteFile::run(folder() + QStringLiteral("/Totem.mdb"), statements));
    }

    static ScreenLayout read(const QString &folder, QStringList &problems)
    {
        return ScreenLayoutReader::read(folder, &problems);
    }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void readsEveryRecordOfTheFreshArchives_data()
    {
        QTest::addColumn<Content>("content");
        QTest::newRow("vuoto") << Content::Empty;
        QTest::newRow("dimostrativo") << Content::Demo;
    }

    void readsEveryRecordOfTheFreshArchives()
    {
        QFETCH(Content, content);
        FreshArchives::create(folder(), content);
        const ArchiveContent::ScreenLayout stored = content == Content::Empty
                                                        ? ArchiveContent::designLayout()
                                                        : DemoArchiveContent::screenLayout();
        QStringList problems;
        const ScreenLayout layout = read(folder(), problems);

        QCOMPARE(problems, QStringList());
        QCOMPARE(layout.recordCount, 14);

        QCOMPARE(layout.title.text, stored.title);
        QCOMPARE(layout.title.left, float(stored.positions[0].x()));
        QCOMPARE(layout.title.top, float(stored.positions[0].y()));
        QCOMPARE(layout.title.fontName, stored.fontName);
        QCOMPARE(layout.title.fontSize, float(stored.titleFontSize));
        QCOMPARE(layout.title.bold, stored.titleBold);
        QCOMPARE(layout.title.italic, false);
        QCOMPARE(layout.title.backColor, stored.titleBackground);
        QCOMPARE(layout.title.textColor, stored.titleText);
        QCOMPARE(layout.title.visible, true);

        QCOMPARE(layout.bar.left, float(stored.positions[1].x()));
        QCOMPARE(layout.bar.top, float(stored.positions[1].y()));
        QCOMPARE(layout.bar.backColor, stored.barBackground);
        QCOMPARE(layout.bar.fixedTextColor, stored.barTexts);
        QCOMPARE(layout.bar.visible, true);

        for (int i = 0; i < ScreenLayout::PanelCount; ++i) {
            const ScreenLayout::Panel &panel = layout.panels[i];
            QCOMPARE(panel.visible, true);
            QCOMPARE(panel.left, float(stored.positions[2 + i].x()));
            QCOMPARE(panel.top, float(stored.positions[2 + i].y()));
            QCOMPARE(panel.fontName, stored.fontName);
            QCOMPARE(panel.fontSize, float(stored.buttonFontSize));
            QCOMPARE(panel.bold, stored.buttonBold);
            QCOMPARE(panel.appearance, stored.buttonStyle);
            QCOMPARE(panel.textColor, stored.buttonText);
            QCOMPARE(panel.panelColor, stored.panelBackgrounds[i]);
            QCOMPARE(panel.fixedTextColor, stored.panelTexts);
            QCOMPARE(panel.buttonText.has_value(), i == 10);
        }
        QCOMPARE(layout.panels[10].buttonText, QStringLiteral("Coda Unica"));

        QCOMPARE(layout.backColor, stored.screenBackground);
        // Stored as an empty text, which is not the same as an empty field.
        QCOMPARE(layout.picturePath, QString());
    }

    // Yes/no values tested for being true take empty as no; those converted to true or
    // false cannot.
    void yesNoValues()
    {
        freshWith({QStringLiteral("UPDATE Layout1 SET FontBold = NULL WHERE rowid IN (1, 5)"),
                   QStringLiteral("UPDATE Layout1 SET Visibile = NULL WHERE rowid IN (1, 2, 6)"),
                   QStringLiteral("UPDATE Layout1 SET Visibile = 0 WHERE rowid = 4")});
        QStringList problems;
        const ScreenLayout layout = read(folder(), problems);

        // A hidden panel is still placed and coloured.
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
        QCOMPARE(problems, QStringList({u"record 2 (barra di data e ora): campo Visibile vuoto"_qs,
                                        u"record 6 (pannello della postazione 4): campo "
                                        "Visibile vuoto"_qs}));
    }

    void unreadableValuesAreLeftEmptyAndReported()
    {
        freshWith({QStringLiteral("UPDATE Layout1 SET top = NULL WHERE rowid = 4"),
                   QStringLiteral("UPDATE Layout1 SET \"left\" = 'a destra' WHERE rowid = 1"),
                   QStringLiteral("UPDATE Layout1 SET ColoreSfondo = -2147483633 WHERE rowid = 14"),
                   QStringLiteral("UPDATE Layout1 SET DimFont = 0, NomeFont = '' WHERE rowid = 13"),
                   QStringLiteral("UPDATE Layout1 SET TestoTitolo = NULL WHERE rowid = 1")});
        QStringList problems;
        const ScreenLayout layout = read(folder(), problems);

        QCOMPARE(problems,
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
    }

    void missingFieldIsReportedForEveryRecordThatReadsIt()
    {
        freshWith({QStringLiteral("ALTER TABLE Layout1 DROP COLUMN ColoreTestiFissi")});
        QStringList problems;
        const ScreenLayout layout = read(folder(), problems);

        QCOMPARE(problems.size(), 12); // the bar and the eleven panels
        QCOMPARE(problems.first(),
                 u"record 2 (barra di data e ora): campo ColoreTestiFissi assente"_qs);
        QCOMPARE(problems.last(),
                 u"record 13 (pannello della coda unica): campo ColoreTestiFissi assente"_qs);
        QCOMPARE(layout.panels[10].fixedTextColor, std::nullopt);
        QCOMPARE(layout.panels[10].textColor, 0);
    }

    void fewerRecordsLeaveTheRestUnread()
    {
        freshWith({QStringLiteral("DELETE FROM Layout1 WHERE rowid IN (13, 14)")});
        QStringList problems;
        const ScreenLayout layout = read(folder(), problems);

        QCOMPARE(problems, QStringList(u"la tabella Layout1 contiene 12 record invece di 14; "
                                       "elementi lasciati come progettati: pannello della coda "
                                       "unica, schermo"_qs));
        QCOMPARE(layout.recordCount, 12);
        QCOMPARE(layout.panels[9].top, 6360.0f);
        QCOMPARE(layout.panels[10].top, std::nullopt);
        QCOMPARE(layout.panels[10].buttonText, std::nullopt);
        QCOMPARE(layout.backColor, std::nullopt);
        QCOMPARE(layout.picturePath, std::nullopt);
    }

    void textFields()
    {
        freshWith({QStringLiteral("UPDATE Layout1 SET TestoPulsante = 'Anagrafe' WHERE rowid = 5"),
                   QStringLiteral("UPDATE Layout1 SET TestoTitolo = '' WHERE rowid = 1"),
                   QStringLiteral("UPDATE Layout1 SET PercorsoImmagine = NULL WHERE rowid = 14")});
        QStringList problems;
        ScreenLayout layout = read(folder(), problems);
        QCOMPARE(problems, QStringList());
        QCOMPARE(layout.panels[2].buttonText, std::nullopt); // only record 13 has a caption
        QCOMPARE(layout.panels[10].buttonText, QStringLiteral("Coda Unica"));
        QCOMPARE(layout.title.text, QString());
        QCOMPARE(layout.picturePath, std::nullopt); // empty: no picture, nothing wrong

        QVERIFY(SqliteFile::run(folder() + QStringLiteral("/Totem.mdb"),
                                {QStringLiteral("UPDATE Layout1 SET TestoPulsante = NULL "
                                                "WHERE rowid = 13")}));
        problems.clear();
        layout = read(folder(), problems);
        QCOMPARE(layout.panels[10].buttonText, std::nullopt);
        QCOMPARE(problems, QStringList(u"record 13 (pannello della coda unica): campo "
                                       "TestoPulsante vuoto"_qs));
    }

    void tableThatCannotBeOpenedIsAnError()
    {
        freshWith({QStringLiteral("DROP TABLE Layout1")});
        QVERIFY_THROWS_EXCEPTION(ArchiveError, ScreenLayoutReader::read(folder(), nullptr));

        const QString nowhere = folder() + QStringLiteral("/mancante");
        QVERIFY_THROWS_EXCEPTION(ArchiveError, ScreenLayoutReader::read(nowhere, nullptr));
    }
};

QTEST_GUILESS_MAIN(TestScreenLayoutReader)
#include "tst_screenlayoutreader.moc"
