#include "archive/fresharchives.h"
#include "layout/screenlayoutreader.h"
#include "layout/screenlayoutwriter.h"
#include "support/sqlitefile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using Content = FreshArchives::Content;

// The layout table read, written into another and read again. (Damaged tables and failed
// saves are the console's and the fault runs' to try.)
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
};

QTEST_GUILESS_MAIN(TestScreenLayout)
#include "tst_screenlayout.moc"
