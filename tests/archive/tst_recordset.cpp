#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/fresharchives.h"
#include "archive/recordset.h"
#include "support/archivefixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using Reason = ArchiveError::Reason;

class TestRecordSet : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    QString path_ = dir_.filePath(QStringLiteral("Totem.mdb"));
    std::unique_ptr<QTemporaryDir> fresh_;
    QString freshPath(const QString &archive) const { return fresh_->filePath(archive); }

    RecordSet opened(const QString &source, const QString &path = QString())
    {
        RecordSet set;
        set.bind(path.isEmpty() ? path_ : path, source);
        set.open();
        return set;
    }
    template <typename F> static Reason failureOf(F &&operation)
    {
        try {
            operation();
        } catch (const ArchiveError &error) {
            return error.reason();
        }
        return Reason::Other;
    }

private slots:
    void init()
    {
        fresh_ = std::make_unique<QTemporaryDir>();
        QFile::remove(path_);
        QVERIFY(SqliteFile::run(
            path_, {u"CREATE TABLE \"TotemLunedì\"(\"sette\" LONG, \"Quindici\" LONG)"_qs,
                    u"INSERT INTO \"TotemLunedì\" VALUES(3, 30), (1, 10), (2, 20)"_qs,
                    u"CREATE TABLE Layout1(DescCampo TEXT, Testo TEXT)"_qs,
                    u"INSERT INTO Layout1 VALUES('Postazione10', 'Dieci'), ('Postazione1', "
                    "'Uno'), ('Postazione2', NULL)"_qs,
                    u"CREATE TABLE Numerazione(P1 LONG, P2 LONG)"_qs,
                    u"INSERT INTO Numerazione VALUES(41, 7)"_qs,
                    u"CREATE TABLE Tipi(b BOOLEAN, i SMALLINT, l LONG, s SINGLE, d DOUBLE, "
                    "t DATETIME, c CURRENCY, y BYTE, x TEXT, m MEMO, v VARCHAR(20), n)"_qs,
                    u"INSERT INTO Tipi VALUES(-1, 5, 70000, 8.25, 0.1, '2026-12-04 12:00:00', "
                    "12.5, 200, 'testo', 'lungo', 'v', 'n'), (NULL, NULL, NULL, NULL, NULL, "
                    "NULL, NULL, NULL, NULL, NULL, NULL, NULL)"_qs}));
    }

    void namesIgnoreCaseOrderIsInsertionAndFindFirstStaysOnAMiss()
    {
        RecordSet set = opened(u"TOTEMLUNEDÌ"_qs);
        QCOMPARE(set.tableName(), u"TotemLunedì"_qs);
        QList<int> seen;
        for (; !set.isEof(); set.moveNext())
            seen << set.toInt32(u"SETTE"_qs) * 10 + set.toInt32(u"quindici"_qs) / 10;
        QCOMPARE(seen, (QList<int>{33, 11, 22}));
        QVERIFY(set.findFirst(u"[sette]=2"_qs) && !set.findFirst(u"[sette]=9"_qs));
        QCOMPARE(set.toInt32(u"quindici"_qs), 20);

        RecordSet layout = opened(u"Layout1"_qs);
        // "Postazione1" must not stop at "Postazione10", the first record.
        QVERIFY(layout.findFirst(u"[DescCampo]like'Postazione1'"_qs));
        QCOMPARE(layout.text(u"Testo"_qs), u"Uno"_qs);
        QVERIFY(layout.findFirst(u"[DescCampo] LIKE 'postazione2'"_qs));
        QVERIFY(!layout.findFirst(u"[DescCampo]like'Postazione7'"_qs) && layout.position() == 2);
    }

    void kindsComeFromDeclaredTypesAndNullsReadEmpty()
    {
        const QList<FieldKind> expected{
            FieldKind::Boolean, FieldKind::Integer,  FieldKind::Long,     FieldKind::Single,
            FieldKind::Double,  FieldKind::DateTime, FieldKind::Currency, FieldKind::Byte,
            FieldKind::Text,    FieldKind::Memo,     FieldKind::Text,     FieldKind::Text};
        // A SELECT, which the driver alone would report as text; a table's ticket record is
        // read for the ticket design in tst_gestionetotem.
        RecordSet set = opened(u"select * from Tipi where [l]=70000"_qs);
        QCOMPARE(set.fieldCount(), int(expected.size()));
        for (int i = 0; i < set.fieldCount(); ++i)
            QVERIFY2(set.fieldKind(i) == expected.at(i), qPrintable(set.fieldName(i)));
        QVERIFY(set.isTrue(u"B"_qs) && set.value(u"s"_qs).typeId() == QMetaType::Float);
        QCOMPARE(set.value(u"t"_qs).toDateTime(), QDateTime(QDate(2026, 12, 4), QTime(12, 0)));
        QCOMPARE(failureOf([&] { opened(u"select * from Tipi"_qs).edit(); }), Reason::NotUpdatable);
        RecordSet nulls = opened(u"Tipi"_qs);
        nulls.moveNext();
        for (int i = 0; i < nulls.fieldCount(); ++i)
            QVERIFY(nulls.value(i).isNull() && nulls.text(nulls.fieldName(i)).isEmpty());
        QCOMPARE(failureOf([&] { nulls.toInt32(u"l"_qs); }), Reason::BadValue);
        QVERIFY(SqliteFile::run(path_, {u"UPDATE Tipi SET s = 'otto'"_qs}));
        QCOMPARE(failureOf([&] { opened(u"Tipi"_qs).toSingle(u"s"_qs); }), Reason::BadValue);
        // Foreign files are tried through every screen in tst_archivefaults.
        const QString missing = dir_.filePath(u"KZ4.mdb"_qs);
        QCOMPARE(failureOf([&] { opened(u"configurazione"_qs, missing); }), Reason::Unreachable);
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(failureOf([&] { opened(u"select * from NonCe"_qs); }), Reason::MissingTable);
    }

    void updateWritesOnlyTheFieldsSetAndRefusesWhatDoesNotFit()
    {
        RecordSet set = opened(u"numerazione"_qs);
        // Another workstation writes P2 after we read the record.
        QVERIFY(SqliteFile::run(path_, {u"UPDATE Numerazione SET P2 = 99"_qs}));
        set.edit();
        set.setValue(u"p1"_qs, 42);
        QCOMPARE(failureOf([&] { set.setValue(u"P1"_qs, u"dodici"_qs); }), Reason::BadValue);
        QCOMPARE(failureOf([&] { set.setValue(u"P1"_qs, 2147483648.0); }), Reason::BadValue);
        set.update();
        RecordSet again = opened(u"Numerazione"_qs);
        QCOMPARE(again.toInt32(u"P1"_qs) * 1000 + again.toInt32(u"P2"_qs), 42099);
        again.edit();
        again.setValue(u"P1"_qs, 1);
        again.cancelUpdate();
        QCOMPARE(failureOf([&] { again.update(); }), Reason::NotUpdatable);
        QCOMPARE(opened(u"Numerazione"_qs).toInt32(u"P1"_qs), 42);

        RecordSet types = opened(u"Tipi"_qs);
        types.edit();
        types.setValue(u"b"_qs, false);
        types.setValue(u"l"_qs, u" "_qs); // an empty text empties a number field
        types.setValue(u"i"_qs, -5);
        QCOMPARE(failureOf([&] { types.setValue(u"y"_qs, -1); }), Reason::BadValue);
        types.update();
        QVERIFY(!opened(u"Tipi"_qs).isNull(u"b"_qs) && opened(u"Tipi"_qs).isNull(u"l"_qs));
    }

    // The kiosk reads the first record of each table and converts its numbers: a missing
    // record or an empty number would be an error there. Refusing archives that are there
    // already is tried through totem-archive in tst_totemarchive.
    void anEmptyInstallationHoldsZeroesInARollbackJournalAndReplacesWholly()
    {
        FreshArchives::create(fresh_->path(), FreshArchives::Content::Empty, true);
        QCOMPARE(opened(u"Utenti"_qs, freshPath(u"KZ4.mdb"_qs)).recordCount(), 0);
        const RecordSet ticket = opened(u"DatiDaStampare"_qs, freshPath(u"Totem.mdb"_qs));
        QVERIFY(ticket.recordCount() == 1 && !ticket.isNull(u"QualeUtente"_qs));
        QCOMPARE(opened(u"Numerazione"_qs, freshPath(u"Totem.mdb"_qs)).toInt32(u"P11Q"_qs), 0);
        // Not WAL (header bytes 18 and 19 would be 2): WAL does not work on a shared folder.
        const QStringList names{u"KZ4.mdb"_qs, u"KZ4B.mdb"_qs, u"Totem.mdb"_qs};
        for (const QString &name : names) {
            QFile file(ArchivePath::join(fresh_->path(), name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.read(20).right(2), QByteArray("\1\1"));
        }
        // Nothing built on the way is left behind.
        QCOMPARE(QDir(fresh_->path()).entryList(QDir::Files | QDir::Hidden), names);
    }
};

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
