#include "archive/archiveerror.h"
#include "designertesting.h"
#include "layout/screenlayoutreader.h"
#include "layout/screenlayoutwriter.h"
#include "support/archivefixture.h"

#include <QFile>
#include <QtTest>

class TestScreenLayoutWriter : public QObject
{
    Q_OBJECT

private slots:
    void aFailureSaysWhichRecordAndKeepsThoseBefore_data()
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

    void aFailureSaysWhichRecordAndKeepsThoseBefore()
    {
        QFETCH(QString, damage);
        QFETCH(int, failedRecord);
        QFETCH(QString, sentence);

        ArchiveFixture fixture(true);
        QVERIFY(fixture.isValid());
        const QString totem = fixture.path(u"Totem.mdb"_qs);
        // Every record changed.
        ScreenLayout layout = ScreenLayoutReader::read(fixture.folder(), nullptr);
        *layout.title.left += 15;
        *layout.bar.left += 15;
        for (ScreenLayout::Panel &panel : layout.panels)
            *panel.left += 15;
        layout.backColor = 0x090909;

        if (damage.isEmpty())
            QVERIFY(QFile::remove(totem));
        else
            QVERIFY(fixture.run(u"Totem.mdb"_qs, {damage}));
        const QStringList before = failedRecord > 0 ? layoutTableRows(totem) : QStringList();

        try {
            ScreenLayoutWriter::write(layout, fixture.folder());
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
        for (int record = 1; record <= before.size(); ++record) {
            if (record < failedRecord)
                QVERIFY2(after[record - 1] != before[record - 1], qPrintable(after[record - 1]));
            else
                QCOMPARE(after[record - 1], before[record - 1]);
        }
    }
};

QTEST_GUILESS_MAIN(TestScreenLayoutWriter)
#include "tst_screenlayoutwriter.moc"
