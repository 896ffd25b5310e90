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

const QStringList dayTables{u"TotemLunedì"_qs,  u"TotemMartedì"_qs, u"TotemMercoledì"_qs,
                            u"TotemGiovedì"_qs, u"TotemVenerdì"_qs, u"TotemSabato"_qs,
                            u"TotemDomenica"_qs};

constexpr double PanelWidth = 3495;
constexpr double PanelHeight = 3975;

} // namespace

class TestFreshArchives : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void holdsExactlyTheRecordsTheKioskNeeds_data();
    void holdsExactlyTheRecordsTheKioskNeeds();
    void declaresEveryFieldWithItsKind();
    void startsFromNeutralValues();
    void arrangesTheScreenAsDesigned();

    void refusesToReplaceArchivesUnlessAsked();
    void refusesWhenOnlyOneArchiveExists();
    void refusesAMissingFolder();

    void demoRotaNamesKnownOperatorsOnceAnHour();
    void demoNumbersAreConsistent();
    void demoScreenFitsWithoutOverlaps();

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestFreshArchives::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestFreshArchives::holdsExactlyTheRecordsTheKioskNeeds_data()
{
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("records");

    QTest::newRow("configurazione") << Kz4 << u"configurazione"_qs << 1;
    QTest::newRow("labels") << Kz4 << u"Layout1"_qs << 10;
    QTest::newRow("Utenti") << Kz4 << u"Utenti"_qs << 0;
    for (int counter = 1; counter <= 10; ++counter)
        QTest::addRow("NumeriCode%d", counter) << Kz4b << u"NumeriCode%1"_qs.arg(counter) << 1;
    QTest::newRow("Numerazione") << TotemMdb << u"Numerazione"_qs << 1;
    QTest::newRow("NumerazioneIniziale") << TotemMdb << u"NumerazioneIniziale"_qs << 1;
    QTest::newRow("DatiDaStampare") << TotemMdb << u"DatiDaStampare"_qs << 1;
    for (const QString &day : dayTables)
        QTest::newRow(qPrintable(day)) << TotemMdb << day << 10;
    QTest::newRow("screen layout") << TotemMdb << u"Layout1"_qs << 14;
}

void TestFreshArchives::holdsExactlyTheRecordsTheKioskNeeds()
{
    QFETCH(QString, archive);
    QFETCH(QString, table);
    QFETCH(int, records);

    FreshArchives::create(dir_->path(), FreshArchives::Content::Empty);
    QCOMPARE(opened(dir_->path(), archive, table).recordCount(), records);
}

void TestFreshArchives::declaresEveryFieldWithItsKind()
{
    FreshArchives::create(dir_->path(), FreshArchives::Content::Empty);

    for (const ArchiveSchema::Archive &archive : ArchiveSchema::archives()) {
        for (const ArchiveSchema::Table &table : archive.tables) {
            const RecordSet records = opened(dir_->path(), archive.fileName, table.name);
            QCOMPARE(records.fieldCount(), table.fields.size());
            for (int i = 0; i < records.fieldCount(); ++i) {
                QCOMPARE(records.fieldName(i), table.fields.at(i).name);
                QCOMPARE(records.fieldKind(i), table.fields.at(i).kind);
            }
        }
    }

    // The kinds the readers rely on, stated independently of the schema's own table.
    const QList<std::tuple<QString, QString, FieldKind>> kinds{
        {u"Layout1"_qs, u"Top"_qs, FieldKind::Single},
        {u"Layout1"_qs, u"left"_qs, FieldKind::Single},
        {u"Layout1"_qs, u"DimFont"_qs, FieldKind::Single},
        {u"Layout1"_qs, u"visibile"_qs, FieldKind::Boolean},
        {u"Layout1"_qs, u"ColoreSfondo"_qs, FieldKind::Long},
        {u"DatiDaStampare"_qs, u"NumeroDaStampare"_qs, FieldKind::Long},
        {u"DatiDaStampare"_qs, u"QualeData"_qs, FieldKind::Text}};
    for (const auto &[table, field, kind] : kinds) {
        const RecordSet records = opened(dir_->path(), TotemMdb, table);
        QCOMPARE(records.fieldKind(records.fieldIndex(field)), kind);
    }

    // The rollback journal: header bytes 18 and 19 are 2 in a WAL database.
    for (const QString &name : {Kz4, Kz4b, TotemMdb}) {
        QFile file(ArchivePath::join(dir_->path(), name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(20);
        QCOMPARE(int(header.at(18)), 1);
        QCOMPARE(int(header.at(19)), 1);
    }
}

void TestFreshArchives::startsFromNeutralValues()
{
    FreshArchives::create(dir_->path(), FreshArchives::Content::Empty);
    const QString folder = dir_->path();

    QCOMPARE(opened(folder, Kz4, u"configurazione"_qs).toInt32(u"qualelayout"_qs), 1);
    RecordSet labels = opened(folder, Kz4, u"Layout1"_qs);
    for (int counter = 1; counter <= 10; ++counter) {
        QVERIFY(labels.findFirst(u"[DescCampo]like'Postazione%1'"_qs.arg(counter)));
        QCOMPARE(labels.text(u"Testo"_qs), u"Postazione %1"_qs.arg(counter));
    }
    for (int counter = 1; counter <= 10; ++counter)
        QCOMPARE(opened(folder, Kz4b, u"NumeriCode%1"_qs.arg(counter)).toInt32(u"NumeroA1"_qs), 0);

    // Every number the kiosk converts must be 0, not empty: an empty one is an error there.
    const RecordSet current = opened(folder, TotemMdb, u"Numerazione"_qs);
    for (int line = 1; line <= 11; ++line)
        QCOMPARE(current.toInt32(u"P%1"_qs.arg(line)), 0);
    QCOMPARE(current.toInt32(u"P11Q"_qs), 0);
    const RecordSet initial = opened(folder, TotemMdb, u"NumerazioneIniziale"_qs);
    for (int field = 11; field <= 21; ++field)
        QCOMPARE(initial.toInt32(u"P%1"_qs.arg(field)), 0);

    const RecordSet ticket =
        opened(folder, TotemMdb, u"select * from DatiDaStampare where [ID]=1"_qs);
    QCOMPARE(ticket.recordCount(), 1);
    QVERIFY(!ticket.isNull(u"QualeUtente"_qs));
    QCOMPARE(ticket.toInt32(u"NumeroDaStampare"_qs), 0);

    for (const QString &day : dayTables) {
        RecordSet schedule = opened(folder, TotemMdb, day);
        for (; !schedule.isEof(); schedule.moveNext()) {
            QCOMPARE(schedule.fieldCount(), 14);
            for (int hour = 0; hour < schedule.fieldCount(); ++hour)
                QCOMPARE(schedule.toInt32(schedule.fieldName(hour)), 0);
        }
    }
}

void TestFreshArchives::arrangesTheScreenAsDesigned()
{
    FreshArchives::create(dir_->path(), FreshArchives::Content::Empty);
    RecordSet layout = opened(dir_->path(), TotemMdb, u"Layout1"_qs);

    const QList<QPointF> designed{{240, 240},   {240, 1080},   {240, 2040},   {3840, 2040},
                                  {7440, 2040}, {11040, 2040}, {14640, 2040}, {240, 6360},
                                  {3840, 6360}, {7440, 6360},  {11040, 6360}, {14640, 6360},
                                  {15000, 4680}};
    for (int record = 1; record <= 13; ++record, layout.moveNext()) {
        QCOMPARE(QPointF(layout.toSingle(u"left"_qs), layout.toSingle(u"Top"_qs)),
                 designed.at(record - 1));
        QVERIFY(layout.isTrue(u"visibile"_qs));
        if (record >= 3)
            QCOMPARE(layout.text(u"TestoPulsante"_qs), record == 13 ? u"Coda Unica"_qs : QString());
    }
    // An empty text, not an empty field.
    QVERIFY(!layout.isNull(u"PercorsoImmagine"_qs));
    QCOMPARE(layout.text(u"PercorsoImmagine"_qs), QString());
}

void TestFreshArchives::refusesToReplaceArchivesUnlessAsked()
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
}

void TestFreshArchives::refusesWhenOnlyOneArchiveExists()
{
    const QString totemPath = ArchivePath::join(dir_->path(), TotemMdb);
    QFile file(totemPath);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not ours") > 0);
    file.close();
    QVERIFY_THROWS_EXCEPTION(ArchiveError,
                             FreshArchives::create(dir_->path(), FreshArchives::Content::Empty));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{TotemMdb});
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("not ours"));
}

void TestFreshArchives::refusesAMissingFolder()
{
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

void TestFreshArchives::demoRotaNamesKnownOperatorsOnceAnHour()
{
    FreshArchives::create(dir_->path(), FreshArchives::Content::Demo);

    QSet<qint32> operators;
    for (RecordSet users = opened(dir_->path(), Kz4, u"Utenti"_qs); !users.isEof();
         users.moveNext()) {
        QVERIFY(!users.text(u"Nominativo"_qs).isEmpty());
        operators << users.toInt32(u"ID"_qs);
    }
    QCOMPARE(operators.size(), 8);

    QSet<qint32> onRota;
    for (const QString &day : dayTables) {
        RecordSet schedule = opened(dir_->path(), TotemMdb, day);
        QCOMPARE(schedule.recordCount(), 10);
        for (int hour = 0; hour < 14; ++hour) {
            QSet<qint32> thisHour;
            for (schedule.moveFirst(); !schedule.isEof(); schedule.moveNext()) {
                const qint32 id = schedule.toInt32(schedule.fieldName(hour));
                if (id == 0)
                    continue;
                QVERIFY2(operators.contains(id), qPrintable(u"%1: %2"_qs.arg(day).arg(id)));
                QVERIFY2(!thisHour.contains(id), qPrintable(u"%1 twice on %2"_qs.arg(id).arg(day)));
                thisHour << id;
                onRota << id;
            }
            if (day == u"TotemDomenica"_qs)
                QVERIFY(thisHour.isEmpty());
        }
    }
    QCOMPARE(onRota, operators);
}

void TestFreshArchives::demoNumbersAreConsistent()
{
    FreshArchives::create(dir_->path(), FreshArchives::Content::Demo);
    const QString folder = dir_->path();

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
        const qint32 first = initial.toInt32(u"P%1"_qs.arg(counter + 10));
        const qint32 served =
            opened(folder, Kz4b, u"NumeriCode%1"_qs.arg(counter)).toInt32(u"NumeroA1"_qs);
        QVERIFY2(now == 0 || now > first, qPrintable(u"counter %1"_qs.arg(counter)));
        QVERIFY2(served <= now, qPrintable(u"counter %1"_qs.arg(counter)));
    }
    QCOMPARE(current.toInt32(u"P11Q"_qs), current.toInt32(u"P11"_qs));

    const RecordSet ticket = opened(folder, TotemMdb, u"DatiDaStampare"_qs);
    const RecordSet title = opened(folder, TotemMdb, u"Layout1"_qs);
    QCOMPARE(ticket.text(u"Titolo"_qs), title.text(u"TestoTitolo"_qs));
}

void TestFreshArchives::demoScreenFitsWithoutOverlaps()
{
    FreshArchives::create(dir_->path(), FreshArchives::Content::Demo);
    RecordSet layout = opened(dir_->path(), TotemMdb, u"Layout1"_qs);

    const QList<QSizeF> sizes = QList<QSizeF>{{17895, 675}, {17895, 855}} +
                                QList<QSizeF>(11, QSizeF(PanelWidth, PanelHeight));
    QList<QRectF> placed;
    for (const QSizeF &size : sizes) {
        QVERIFY(layout.isTrue(u"Visibile"_qs));
        const QRectF rect(QPointF(layout.toSingle(u"left"_qs), layout.toSingle(u"top"_qs)), size);
        QVERIFY2(QRectF(0, 0, 19200, 15360).contains(rect),
                 qPrintable(u"record %1"_qs.arg(placed.size() + 1)));
        for (const QRectF &other : std::as_const(placed))
            QVERIFY2(!rect.intersects(other), qPrintable(u"record %1"_qs.arg(placed.size() + 1)));
        placed << rect;
        layout.moveNext();
    }
}

QTEST_GUILESS_MAIN(TestFreshArchives)
#include "tst_fresharchives.moc"
