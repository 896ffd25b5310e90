#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/fresharchives.h"
#include "archive/recordset.h"

#include <QDir>
#include <QRectF>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestFreshArchives : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    RecordSet opened(const QString &archive, const QString &source) const
    {
        RecordSet records;
        records.bind(ArchivePath::join(dir_->path(), archive), source);
        records.open();
        return records;
    }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    // The kiosk reads the first record of each table and converts its numbers: a missing
    // record or an empty number would be an error there. Refusing archives that are there
    // already is tried through totem-archive in tst_totemarchive.
    void anEmptyInstallationHoldsZeroesInARollbackJournalAndReplacesWholly()
    {
        FreshArchives::create(dir_->path(), FreshArchives::Content::Empty, true);
        QCOMPARE(opened(u"KZ4.mdb"_qs, u"Utenti"_qs).recordCount(), 0);
        const RecordSet ticket = opened(u"Totem.mdb"_qs, u"DatiDaStampare"_qs);
        QVERIFY(ticket.recordCount() == 1 && !ticket.isNull(u"QualeUtente"_qs));
        QCOMPARE(opened(u"Totem.mdb"_qs, u"Numerazione"_qs).toInt32(u"P11Q"_qs), 0);
        // Not WAL (header bytes 18 and 19 would be 2): WAL does not work on a shared folder.
        const QStringList names{u"KZ4.mdb"_qs, u"KZ4B.mdb"_qs, u"Totem.mdb"_qs};
        for (const QString &name : names) {
            QFile file(ArchivePath::join(dir_->path(), name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.read(20).right(2), QByteArray("\1\1"));
        }
        // Nothing built on the way is left behind.
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), names);
    }

    void archivesElsewhereOrUnreachableAreLeftAlone()
    {
        // One archive alone is someone else's file: left as it is, nothing added.
        QFile file(ArchivePath::join(dir_->path(), u"Totem.mdb"_qs));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not ours") > 0);
        file.close();
        QVERIFY_THROWS_EXCEPTION(
            ArchiveError, FreshArchives::create(dir_->path(), FreshArchives::Content::Empty));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{u"Totem.mdb"_qs});
        QCOMPARE(file.size(), 8);

        const QString missing = dir_->filePath(u"assente"_qs);
        QVERIFY_THROWS_EXCEPTION(ArchiveError,
                                 FreshArchives::create(missing, FreshArchives::Content::Empty));
        QVERIFY(!QFileInfo::exists(missing));
    }

    // The demonstration must look like a working office: known operators, none twice in
    // one hour, nobody on Sunday.
    void theDemoIsAConsistentOfficeAndEveryScreenFits()
    {
        FreshArchives::create(dir_->path(), FreshArchives::Content::Demo, true);
        QSet<qint32> operators;
        for (RecordSet users = opened(u"KZ4.mdb"_qs, u"Utenti"_qs); !users.isEof();
             users.moveNext())
            operators << users.toInt32(u"ID"_qs);
        for (const QString &day : ArchiveSchema::dayTables()) {
            RecordSet schedule = opened(u"Totem.mdb"_qs, day);
            for (int hour = 0; hour < schedule.fieldCount(); ++hour) {
                QSet<qint32> thisHour;
                for (schedule.moveFirst(); !schedule.isEof(); schedule.moveNext()) {
                    const qint32 id = schedule.toInt32(schedule.fieldName(hour));
                    QVERIFY(id == 0 || (operators.contains(id) && !thisHour.contains(id)));
                    thisHour << id;
                }
                QVERIFY(day != u"TotemDomenica"_qs || thisHour == QSet<qint32>{0});
            }
        }
        // Numbers past their starting ones, and never served beyond those handed out.
        const RecordSet current = opened(u"Totem.mdb"_qs, u"Numerazione"_qs);
        const RecordSet initial = opened(u"Totem.mdb"_qs, u"NumerazioneIniziale"_qs);
        for (int counter = 1; counter <= Office::CounterCount; ++counter) {
            const qint32 now = current.toInt32(u"P%1"_qs.arg(counter));
            QVERIFY(now == 0 || now > initial.toInt32(u"P%1"_qs.arg(counter + 10)));
            QVERIFY(opened(u"KZ4B.mdb"_qs, u"NumeriCode%1"_qs.arg(counter)).toInt32(u"NumeroA1"_qs)
                    <= now);
        }
        // Either screen's elements neither overlap nor leave it; a fresh installation puts
        // the single queue over the counters, which it stands for.
        for (const int lines : {Office::LineCount, Office::CounterCount}) {
            if (lines == Office::CounterCount)
                FreshArchives::create(dir_->path(), FreshArchives::Content::Empty, true);
            RecordSet layout = opened(u"Totem.mdb"_qs, u"Layout1"_qs);
            QList<QRectF> placed;
            for (int i = 0; i < 2 + lines; ++i, layout.moveNext()) {
                const QRectF rect(layout.toSingle(u"left"_qs), layout.toSingle(u"top"_qs),
                                  i < 2 ? 17895 : 3495, QList<qreal>{675, 855}.value(i, 3975));
                QVERIFY(layout.isTrue(u"Visibile"_qs) && QRectF(0, 0, 19200, 15360).contains(rect));
                for (const QRectF &other : std::as_const(placed))
                    QVERIFY(!rect.intersects(other));
                placed << rect;
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestFreshArchives)
#include "tst_fresharchives.moc"
