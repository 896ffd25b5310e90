#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/fresharchives.h"
#include "archive/recordset.h"

#include <QDir>
#include <QFile>
#include <QRectF>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

namespace {

RecordSet opened(const QString &folder, const QString &archive, const QString &source)
{
    RecordSet records;
    records.bind(ArchivePath::join(folder, archive), source);
    records.open();
    return records;
}

const QString Kz4 = QStringLiteral("KZ4.mdb");
const QString Kz4b = QStringLiteral("KZ4B.mdb");
const QString TotemMdb = QStringLiteral("Totem.mdb");

} // namespace

class TestFreshArchives : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    // The kiosk reads the first record of most tables and converts its numbers: a missing
    // record or an empty number is an error there, so a fresh installation has neither.
    void anEmptyInstallationHoldsZeroesNotEmptiness()
    {
        FreshArchives::create(dir_->path(), FreshArchives::Content::Empty);
        const QString folder = dir_->path();

        QCOMPARE(opened(folder, Kz4, u"configurazione"_qs).toInt32(u"qualelayout"_qs), 1);
        RecordSet labels = opened(folder, Kz4, u"Layout1"_qs);
        QCOMPARE(labels.recordCount(), 10);
        for (int counter = 1; counter <= 10; ++counter) {
            QVERIFY(labels.findFirst(u"[DescCampo]like'Postazione%1'"_qs.arg(counter)));
            QCOMPARE(labels.text(u"Testo"_qs), u"Postazione %1"_qs.arg(counter));
            QCOMPARE(opened(folder, Kz4b, u"NumeriCode%1"_qs.arg(counter)).toInt32(u"NumeroA1"_qs),
                     0);
        }
        QCOMPARE(opened(folder, Kz4, u"Utenti"_qs).recordCount(), 0);

        const RecordSet current = opened(folder, TotemMdb, u"Numerazione"_qs);
        const RecordSet initial = opened(folder, TotemMdb, u"NumerazioneIniziale"_qs);
        for (int line = 1; line <= 11; ++line) {
            QCOMPARE(current.toInt32(u"P%1"_qs.arg(line)), 0);
            QCOMPARE(initial.toInt32(u"P%1"_qs.arg(line + 10)), 0);
        }
        QCOMPARE(current.toInt32(u"P11Q"_qs), 0);
        const RecordSet ticket =
            opened(folder, TotemMdb, u"select * from DatiDaStampare where [ID]=1"_qs);
        QCOMPARE(ticket.recordCount(), 1);
        QVERIFY(!ticket.isNull(u"QualeUtente"_qs));
        QCOMPARE(ticket.toInt32(u"NumeroDaStampare"_qs), 0);
        for (const QString &day : ArchiveSchema::dayTables()) {
            RecordSet schedule = opened(folder, TotemMdb, day);
            QCOMPARE(schedule.recordCount(), 10);
            for (; !schedule.isEof(); schedule.moveNext()) {
                QCOMPARE(schedule.fieldCount(), 14);
                for (int hour = 0; hour < schedule.fieldCount(); ++hour)
                    QCOMPARE(schedule.toInt32(schedule.fieldName(hour)), 0);
            }
        }

        // The kinds the readers rely on, stated independently of the schema's own table.
        const QList<std::tuple<QString, QString, FieldKind>> kinds{
            {u"Layout1"_qs, u"Top"_qs, FieldKind::Single},
            {u"Layout1"_qs, u"DimFont"_qs, FieldKind::Single},
            {u"Layout1"_qs, u"visibile"_qs, FieldKind::Boolean},
            {u"Layout1"_qs, u"ColoreSfondo"_qs, FieldKind::Long},
            {u"DatiDaStampare"_qs, u"NumeroDaStampare"_qs, FieldKind::Long},
            {u"DatiDaStampare"_qs, u"QualeData"_qs, FieldKind::Text}};
        for (const auto &[table, field, kind] : kinds) {
            const RecordSet records = opened(folder, TotemMdb, table);
            QCOMPARE(records.fieldKind(records.fieldIndex(field)), kind);
        }
        // A rollback journal, not WAL (header bytes 18 and 19 would be 2): the archives live
        // on a shared folder, where WAL's shared memory does not work.
        for (const QString &name : {Kz4, Kz4b, TotemMdb}) {
            QFile file(ArchivePath::join(folder, name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray header = file.read(20);
            QCOMPARE(int(header.at(18)), 1);
            QCOMPARE(int(header.at(19)), 1);
        }
    }

    void existingOrUnreachableArchivesAreNeverReplacedUnasked()
    {
        const QString folder = dir_->path();
        FreshArchives::create(folder, FreshArchives::Content::Empty);
        RecordSet served = opened(folder, Kz4b, u"NumeriCode3"_qs);
        served.edit();
        served.setValue(u"NumeroA1"_qs, 42);
        served.update();
        try {
            FreshArchives::create(folder, FreshArchives::Content::Demo);
            QFAIL("existing archives were replaced without being asked");
        } catch (const ArchiveError &error) {
            QVERIFY2(error.message().contains(u"KZ4.mdb"_qs), qPrintable(error.message()));
            QVERIFY2(error.message().contains(u"--force"_qs), qPrintable(error.message()));
        }
        QCOMPARE(opened(folder, Kz4b, u"NumeriCode3"_qs).toInt32(u"NumeroA1"_qs), 42);
        FreshArchives::create(folder, FreshArchives::Content::Empty, true);
        QCOMPARE(opened(folder, Kz4b, u"NumeriCode3"_qs).toInt32(u"NumeroA1"_qs), 0);
        // Nothing built on the way is left behind.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList({Kz4, Kz4b, TotemMdb}));

        // One archive alone is someone else's file: left as it is, nothing added.
        QTemporaryDir other;
        QFile file(ArchivePath::join(other.path(), TotemMdb));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not ours") > 0);
        file.close();
        QVERIFY_THROWS_EXCEPTION(
            ArchiveError, FreshArchives::create(other.path(), FreshArchives::Content::Empty));
        QCOMPARE(QDir(other.path()).entryList(QDir::Files), QStringList{TotemMdb});
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("not ours"));

        const QString missing = dir_->filePath(u"assente"_qs);
        try {
            FreshArchives::create(missing, FreshArchives::Content::Empty);
            QFAIL("archives created in a missing folder");
        } catch (const ArchiveError &error) {
            QCOMPARE(error.reason(), ArchiveError::Reason::Unreachable);
            QVERIFY(error.message().contains(u"assente"_qs));
        }
        QVERIFY(!QFileInfo::exists(missing));
    }

    // The demonstration must look like a working office: known operators on duty once an
    // hour, numbers past their starting ones, a screen whose elements neither overlap nor
    // leave it.
    void theDemoIsAConsistentOffice()
    {
        FreshArchives::create(dir_->path(), FreshArchives::Content::Demo);
        const QString folder = dir_->path();

        QSet<qint32> operators;
        for (RecordSet users = opened(folder, Kz4, u"Utenti"_qs); !users.isEof();
             users.moveNext()) {
            QVERIFY(!users.text(u"Nominativo"_qs).isEmpty());
            operators << users.toInt32(u"ID"_qs);
        }
        QCOMPARE(operators.size(), 8);
        QSet<qint32> onRota;
        for (const QString &day : ArchiveSchema::dayTables()) {
            RecordSet schedule = opened(folder, TotemMdb, day);
            for (int hour = 0; hour < 14; ++hour) {
                QSet<qint32> thisHour;
                for (schedule.moveFirst(); !schedule.isEof(); schedule.moveNext()) {
                    const qint32 id = schedule.toInt32(schedule.fieldName(hour));
                    if (id == 0)
                        continue;
                    QVERIFY2(operators.contains(id), qPrintable(u"%1: %2"_qs.arg(day).arg(id)));
                    QVERIFY2(!thisHour.contains(id),
                             qPrintable(u"%1 twice on %2"_qs.arg(id).arg(day)));
                    thisHour << id;
                    onRota << id;
                }
                if (day == u"TotemDomenica"_qs)
                    QVERIFY(thisHour.isEmpty());
            }
        }
        QCOMPARE(onRota, operators);

        RecordSet labels = opened(folder, Kz4, u"Layout1"_qs);
        QSet<QString> names;
        for (int counter = 1; counter <= 10; ++counter) {
            QVERIFY(labels.findFirst(u"[DescCampo]like'Postazione%1'"_qs.arg(counter)));
            names << labels.text(u"Testo"_qs);
        }
        names.remove(QString());
        QCOMPARE(names.size(), 10);
        const RecordSet current = opened(folder, TotemMdb, u"Numerazione"_qs);
        const RecordSet initial = opened(folder, TotemMdb, u"NumerazioneIniziale"_qs);
        for (int counter = 1; counter <= 10; ++counter) {
            const qint32 now = current.toInt32(u"P%1"_qs.arg(counter));
            const qint32 served =
                opened(folder, Kz4b, u"NumeriCode%1"_qs.arg(counter)).toInt32(u"NumeroA1"_qs);
            QVERIFY2(now == 0 || now > initial.toInt32(u"P%1"_qs.arg(counter + 10)),
                     qPrintable(u"counter %1"_qs.arg(counter)));
            QVERIFY2(served <= now, qPrintable(u"counter %1"_qs.arg(counter)));
        }
        QCOMPARE(current.toInt32(u"P11Q"_qs), current.toInt32(u"P11"_qs));
        RecordSet layout = opened(folder, TotemMdb, u"Layout1"_qs);
        QCOMPARE(opened(folder, TotemMdb, u"DatiDaStampare"_qs).text(u"Titolo"_qs),
                 layout.text(u"TestoTitolo"_qs));

        const QList<QSizeF> sizes =
            QList<QSizeF>{{17895, 675}, {17895, 855}} + QList<QSizeF>(11, QSizeF(3495, 3975));
        QList<QRectF> placed;
        for (const QSizeF &size : sizes) {
            const QString record = u"record %1"_qs.arg(placed.size() + 1);
            QVERIFY(layout.isTrue(u"Visibile"_qs));
            const QRectF rect(QPointF(layout.toSingle(u"left"_qs), layout.toSingle(u"top"_qs)),
                              size);
            QVERIFY2(QRectF(0, 0, 19200, 15360).contains(rect), qPrintable(record));
            for (const QRectF &other : std::as_const(placed))
                QVERIFY2(!rect.intersects(other), qPrintable(record));
            placed << rect;
            layout.moveNext();
        }
    }
};

QTEST_GUILESS_MAIN(TestFreshArchives)
#include "tst_fresharchives.moc"
