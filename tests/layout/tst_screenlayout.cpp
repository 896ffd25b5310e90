#include "archive/archiveerror.h"
#include "archive/fresharchives.h"
#include "designer/designertesting.h"
#include "layout/screenlayoutreader.h"
#include "layout/screenlayoutwriter.h"
#include "support/sqlitefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using Content = FreshArchives::Content;

// The layout table read, written and read again; the readings of damaged values; how far a
// failed save got.
class TestScreenLayout : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QStringList problems_;

    QString archives(const QString &name, Content content, const QStringList &changes = {})
    {
        const QString folder = dir_.filePath(name);
        QDir().mkpath(folder);
        FreshArchives::create(folder, content, true);
        if (!SqliteFile::run(folder + u"/Totem.mdb"_qs, changes))
            qFatal("cannot change the layout table");
        return folder;
    }

    static QString update(int record, const QString &assignments)
    {
        return u"UPDATE Layout1 SET %1 WHERE rowid = %2"_qs.arg(assignments).arg(record);
    }

private slots:
    void init() { problems_.clear(); }

    void writtenLayoutReadsBackTheSame_data()
    {
        QTest::addColumn<Content>("content");
        QTest::addColumn<QStringList>("changes");
        QTest::newRow("design") << Content::Empty << QStringList{};
        QTest::newRow("demo") << Content::Demo << QStringList{};
        QTest::newRow("hidden, off the pixel grid, unknown style")
            << Content::Demo
            << QStringList{update(4, u"Visibile = 0, top = 17000, \"left\" = 0"_qs),
                           update(7, u"top = 2161.5, Appearance = 9, FontItalic = -1"_qs)};
        QTest::newRow("texts as typed")
            << Content::Demo
            << QStringList{update(1, u"TestoTitolo = '<b>Uffici</b> & co', DimFont = 8.25"_qs),
                           update(13, u"TestoPulsante = ''"_qs),
                           update(14, u"PercorsoImmagine = '/non/esiste.jpg'"_qs)};
    }

    void writtenLayoutReadsBackTheSame()
    {
        QFETCH(Content, content);
        QFETCH(QStringList, changes);
        const ScreenLayout stored =
            ScreenLayoutReader::read(archives(u"a"_qs, content, changes), &problems_);
        QCOMPARE(problems_, QStringList());

        // Into a table that holds other values everywhere.
        const QString other =
            archives(u"b"_qs, content == Content::Demo ? Content::Empty : Content::Demo);
        ScreenLayoutWriter::write(stored, other);
        QVERIFY(ScreenLayoutReader::read(other, &problems_) == stored);
        QCOMPARE(problems_, QStringList());
    }

    void damagedValuesAreLeftEmptyAndReported_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("empty title text and yes/no tested for true")
            << QStringList{update(1, u"FontBold = NULL, visibile = NULL, TestoTitolo = ''"_qs)}
            << QStringList{};
        QTest::newRow("empty yes/no converted")
            << QStringList{update(6, u"Visibile = NULL"_qs)}
            << QStringList{u"record 6 (pannello della postazione 4): campo Visibile vuoto"_qs};
        QTest::newRow("unreadable numbers")
            << QStringList{update(1, u"\"left\" = 'a destra'"_qs),
                           update(13, u"DimFont = 0, NomeFont = ''"_qs),
                           update(14, u"ColoreSfondo = -2147483633, PercorsoImmagine = NULL"_qs)}
            << QStringList{u"record 1 (titolo): campo left non valido («a destra»)"_qs,
                           u"record 13 (pannello della coda unica): campo NomeFont vuoto"_qs,
                           u"record 13 (pannello della coda unica): campo DimFont non valido "
                           "(«0»)"_qs,
                           u"record 14 (schermo): campo ColoreSfondo non valido "
                           "(«-2147483633»)"_qs};
        QTest::newRow("fewer records")
            << QStringList{u"DELETE FROM Layout1 WHERE rowid IN (13, 14)"_qs}
            << QStringList{u"la tabella Layout1 contiene 12 record invece di 14; elementi "
                           "lasciati come progettati: pannello della coda unica, schermo"_qs};
    }

    void damagedValuesAreLeftEmptyAndReported()
    {
        QFETCH(QStringList, changes);
        QFETCH(QStringList, problems);
        const ScreenLayout layout =
            ScreenLayoutReader::read(archives(u"a"_qs, Content::Demo, changes), &problems_);
        QCOMPARE(problems_, problems);
        // What was reported is left empty, whatever the rest holds.
        const ScreenLayout &l = layout;
        QCOMPARE(std::tuple(l.panels[3].visible.has_value(), l.title.left.has_value(),
                            l.panels[10].fontSize.has_value(), l.backColor.has_value()),
                 std::tuple(!problems.join(u' ').contains(u"record 6"),
                            !problems.join(u' ').contains(u"record 1 "),
                            !problems.join(u' ').contains(u"coda unica"),
                            !problems.join(u' ').contains(u"schermo")));
    }

    void aFailedSaveSaysHowFarItGot_data()
    {
        QTest::addColumn<QString>("damage");   // empty: the archive is removed
        QTest::addColumn<int>("failedRecord"); // 0: the table could not be opened
        QTest::addColumn<QString>("sentence");
        const QString refuse = u"CREATE TRIGGER rifiuta BEFORE UPDATE ON Layout1 WHEN "
                               u"old.rowid = %1 BEGIN SELECT RAISE(ABORT, 'bloccato'); END"_qs;
        QTest::newRow("twelve records")
            << u"DELETE FROM Layout1 WHERE rowid > 12"_qs << 13
            << u"Il record 13 di 14 (pannello della coda unica) non è stato memorizzato: i "
               u"record da 1 a 12 sono stati memorizzati"_qs;
        QTest::newRow("record 5 refused")
            << refuse.arg(5) << 5
            << u"Il record 5 di 14 (pannello della postazione 3) non è stato memorizzato: i "
               u"record da 1 a 4 sono stati memorizzati"_qs;
        QTest::newRow("record 1 refused")
            << refuse.arg(1) << 1 << u"nessun record è stato memorizzato"_qs;
        QTest::newRow("no archive")
            << QString() << 0 << u"La tabella Layout1 non può essere aperta"_qs;
    }

    void aFailedSaveSaysHowFarItGot()
    {
        QFETCH(QString, damage);
        QFETCH(int, failedRecord);
        QFETCH(QString, sentence);
        const QString folder = archives(u"a"_qs, Content::Demo);
        const QString totem = folder + u"/Totem.mdb"_qs;
        ScreenLayout layout = ScreenLayoutReader::read(folder, nullptr);
        *layout.title.left += 15;
        *layout.bar.left += 15;
        for (ScreenLayout::Panel &panel : layout.panels)
            *panel.left += 15;
        layout.backColor = 0x090909;
        if (damage.isEmpty())
            QVERIFY(QFile::remove(totem));
        else
            QVERIFY(SqliteFile::run(totem, {damage}));
        const QStringList before = failedRecord > 0 ? layoutTableRows(totem) : QStringList();

        try {
            ScreenLayoutWriter::write(layout, folder);
            QFAIL("the save did not fail");
        } catch (const ArchiveError &error) {
            QVERIFY2(error.message().contains(sentence), qPrintable(error.message()));
        }
        if (failedRecord == 0) {
            QVERIFY(!QFile::exists(totem)); // and no empty archive made in its place
            return;
        }
        const QStringList after = layoutTableRows(totem);
        QCOMPARE(after.size(), before.size());
        for (int record = 1; record <= before.size(); ++record)
            QCOMPARE(after[record - 1] == before[record - 1], record >= failedRecord);
    }
};

QTEST_GUILESS_MAIN(TestScreenLayout)
#include "tst_screenlayout.moc"
