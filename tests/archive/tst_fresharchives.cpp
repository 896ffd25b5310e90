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
    // record or an empty number would be an error there.
    void anEmptyInstallationHoldsZeroesInARollbackJournal()
    {
        FreshArchives::create(dir_->path(), FreshArchives::Content::Empty);
        QCOMPARE(opened(u"KZ4.mdb"_qs, u"Utenti"_qs).recordCount(), 0);
        const RecordSet ticket = opened(u"Totem.mdb"_qs, u"DatiDaStampare"_qs);
        QVERIFY(ticket.recordCount() == 1 && !ticket.isNull(u"QualeUtente"_qs));
        QCOMPARE(ticket.fieldKind(ticket.fieldIndex(u"NumeroDaStampare"_qs)), FieldKind::Long);
        QCOMPARE(opened(u"Totem.mdb"_qs, u"Numerazione"_qs).toInt32(u"P11Q"_qs), 0);
        // Not WAL (header bytes 18 and 19 would be 2): WAL does not work on a shared folder.
        for (const QString &name : {u"KZ4.mdb"_qs, u"KZ4B.mdb"_qs, u"Totem.mdb"_qs}) {
            QFile file(ArchivePath::join(dir_->path(), name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.read(20).right(2), QByteArray("\1\1"));
        }
    }

    void archivesThereOrUnreachableAreNeverReplacedUnasked()
    {
        const QString folder = dir_->path();
        FreshArchives::create(folder, FreshArchives::Content::Empty);
        QVERIFY_THROWS_EXCEPTION(ArchiveError,
                                 FreshArchives::create(folder, FreshArchives::Content::Demo));
        QCOMPARE(opened(u"KZ4.mdb"_qs, u"Utenti"_qs).recordCount(), 0);
        FreshArchives::create(folder, FreshArchives::Content::Demo, true);
        QVERIFY(opened(u"KZ4.mdb"_qs, u"Utenti"_qs).recordCount() > 0);
        // Nothing built on the way is left behind.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList({u"KZ4.mdb"_qs, u"KZ4B.mdb"_qs, u"Totem.mdb"_qs}));

        // One archive alone is someone else's file: left as it is, nothing added.
        QTemporaryDir other;
        QFile file(ArchivePath::join(other.path(), u"Totem.mdb"_qs));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not ours") > 0);
        file.close();
        QVERIFY_THROWS_EXCEPTION(
            ArchiveError, FreshArchives::create(other.path(), FreshArchives::Content::Empty));
        QCOMPARE(QDir(other.path()).entryList(QDir::Files), QStringList{u"Totem.mdb"_qs});
        QCOMPARE(file.size(), 8);

        const QString missing = dir_->filePath(u"assente"_qs);
        QVERIFY_THROWS_EXCEPTION(ArchiveError,
                                 FreshArchives::create(missing, FreshArchives::Content::Empty));
        QVERIFY(!QFileInfo::exists(missing));
    }

    // The demonstration must look like a working office: known operators, none twice in
    // one hour, nobody on Sunday, a screen whose elements neither overlap nor leave it.
    void theDemoIsAConsistentOffice()
    {
        FreshArchives::create(dir_->path(), FreshArchives::Content::Demo);
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
                if (day == u"TotemDomenica"_qs)
                    QCOMPARE(thisHour, QSet<qint32>{0});
            }
        }
        // Numbers past their starting ones, and never served beyond those handed out.
        const RecordSet current = opened(u"Totem.mdb"_qs, u"Numerazione"_qs);
        const RecordSet initial = opened(u"Totem.mdb"_qs, u"NumerazioneIniziale"_qs);
        for (int counter = 1; counter <= 10; ++counter) {
            const qint32 now = current.toInt32(u"P%1"_qs.arg(counter));
            QVERIFY(now == 0 || now > initial.toInt32(u"P%1"_qs.arg(counter + 10)));
            QVERIFY(opened(u"KZ4B.mdb"_qs, u"NumeriCode%1"_qs.arg(counter)).toInt32(u"NumeroA1"_qs)
                    <= now);
        }
        RecordSet layout = opened(u"Totem.mdb"_qs, u"Layout1"_qs);
        const QList<QSizeF> sizes =
            QList<QSizeF>{{17895, 675}, {17895, 855}} + QList<QSizeF>(11, QSizeF(3495, 3975));
        QList<QRectF> placed;
        for (const QSizeF &size : sizes) {
            const QRectF rect(QPointF(layout.toSingle(u"left"_qs), layout.toSingle(u"top"_qs)),
                              size);
            QVERIFY(layout.isTrue(u"Visibile"_qs) && QRectF(0, 0, 19200, 15360).contains(rect));
            for (const QRectF &other : std::as_const(placed))
                QVERIFY(!rect.intersects(other));
            placed << rect;
            layout.moveNext();
        }
    }
};

QTEST_GUILESS_MAIN(TestFreshArchives)
#include "tst_fresharchives.moc"
