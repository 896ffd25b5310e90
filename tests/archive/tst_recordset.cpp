#include "archive/archiveerror.h"
#include "archive/recordset.h"
#include "support/sqlitefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

class TestRecordSet : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path_;

    template <typename F> ArchiveError::Reason failureOf(F &&operation)
    {
        try {
            operation();
        } catch (const ArchiveError &error) {
            return error.reason();
        }
        return ArchiveError::Reason::Other;
    }

    RecordSet opened(const QString &source)
    {
        RecordSet set;
        set.bind(path_, source);
        set.open();
        return set;
    }

private slots:
    void init()
    {
        path_ = dir_.filePath(QStringLiteral("Totem.mdb"));
        QFile::remove(path_);
        QVERIFY(SqliteFile::run(
            path_,
            {QStringLiteral("CREATE TABLE \"TotemLunedì\"(\"sette\" LONG, \"Quindici\" LONG)"),
             QStringLiteral("INSERT INTO \"TotemLunedì\" VALUES(3, 30)"),
             QStringLiteral("INSERT INTO \"TotemLunedì\" VALUES(1, 10)"),
             QStringLiteral("INSERT INTO \"TotemLunedì\" VALUES(2, 20)"),
             QStringLiteral("CREATE TABLE \"Layout1\"(\"DescCampo\" TEXT, \"Testo\" TEXT)"),
             QStringLiteral("INSERT INTO \"Layout1\" VALUES('Postazione10', 'Dieci')"),
             QStringLiteral("INSERT INTO \"Layout1\" VALUES('Postazione1', 'Uno')"),
             QStringLiteral("INSERT INTO \"Layout1\" VALUES('Postazione2', NULL)"),
             QStringLiteral("CREATE TABLE \"Numerazione\"(\"P1\" LONG, \"P2\" LONG)"),
             QStringLiteral("INSERT INTO \"Numerazione\" VALUES(41, 7)"),
             QStringLiteral("CREATE TABLE \"Vuota\"(\"A\" LONG)"),
             QStringLiteral("CREATE TABLE \"Tipi\"(b BOOLEAN, i SMALLINT, l LONG, s SINGLE, "
                            "d DOUBLE, t DATETIME, c CURRENCY, y BYTE, x TEXT, m MEMO, "
                            "v VARCHAR(20), n)"),
             QStringLiteral("INSERT INTO \"Tipi\" VALUES(-1, 5, 70000, 8.25, 0.1, "
                            "'2026-12-04 12:00:00', 12.5, 200, 'testo', 'lungo', 'v', 'n')"),
             QStringLiteral("INSERT INTO \"Tipi\" VALUES(NULL, NULL, NULL, NULL, NULL, NULL, "
                            "NULL, NULL, NULL, NULL, NULL, NULL)")}));
    }

    void tableAndFieldNamesIgnoreCaseAccentsIncluded()
    {
        for (const QString &name : {QStringLiteral("TotemLunedì"), QStringLiteral("Totemlunedì"),
                                    QStringLiteral("TOTEMLUNEDÌ")}) {
            RecordSet set = opened(name);
            QCOMPARE(set.tableName(), QStringLiteral("TotemLunedì"));
            QCOMPARE(set.value(QStringLiteral("SETTE")).toInt(), 3);
            QCOMPARE(set.value(QStringLiteral("quindici")).toInt(), 30);
            QCOMPARE(set.toInt32(QStringLiteral("Quindici")), 30);
        }
    }

    void naturalOrderIsInsertionOrder()
    {
        RecordSet set = opened(QStringLiteral("totemlunedì"));
        QCOMPARE(set.recordCount(), 3);
        QList<int> seen;
        QList<double> percents;
        for (set.moveFirst(); !set.isEof(); set.moveNext()) {
            seen << set.toInt32(QStringLiteral("sette"));
            percents << set.percentPosition();
        }
        QCOMPARE(seen, (QList<int>{3, 1, 2}));
        QCOMPARE(percents.first(), 0.0);
        QVERIFY(percents.at(1) > 0 && percents.at(2) < 100);
        QCOMPARE(set.percentPosition(), 100.0);
        QCOMPARE(failureOf([&] { set.moveNext(); }), ArchiveError::Reason::NoCurrentRecord);
        QCOMPARE(failureOf([&] { set.value(QStringLiteral("sette")); }),
                 ArchiveError::Reason::NoCurrentRecord);
    }

    void findFirstInBothFormsAndAFailedSearchStays()
    {
        RecordSet set = opened(QStringLiteral("Layout1"));
        // "Postazione1" must not stop at "Postazione10", the first record.
        QVERIFY(set.findFirst(QStringLiteral("[DescCampo]like'Postazione1'")));
        QCOMPARE(set.text(QStringLiteral("Testo")), QStringLiteral("Uno"));
        QVERIFY(set.findFirst(QStringLiteral("[DescCampo] LIKE 'postazione2'")));
        QCOMPARE(set.position(), 2);
        QVERIFY(!set.findFirst(QStringLiteral("[DescCampo]like'Postazione7'")));
        QCOMPARE(set.position(), 2);
        QVERIFY(set.findFirst(QStringLiteral("[DescCampo]like'Post*10'")));
        QCOMPARE(set.position(), 0);

        RecordSet numbers = opened(QStringLiteral("TotemLunedì"));
        QVERIFY(numbers.findFirst(QStringLiteral("[sette]=2")));
        QCOMPARE(numbers.toInt32(QStringLiteral("quindici")), 20);
        QVERIFY(!numbers.findFirst(QStringLiteral("[sette]=9")));
        QCOMPARE(numbers.toInt32(QStringLiteral("quindici")), 20);

        QCOMPARE(failureOf([&] { numbers.findFirst(QStringLiteral("sette > 1")); }),
                 ArchiveError::Reason::BadValue);
        QCOMPARE(failureOf([&] { numbers.findFirst(QStringLiteral("[nessuno]=1")); }),
                 ArchiveError::Reason::MissingField);

        RecordSet empty = opened(QStringLiteral("Vuota"));
        QVERIFY(!empty.findFirst(QStringLiteral("[A]=1")));
    }

    void nullsReadAsEmptyTextAndAreNotNumbers()
    {
        RecordSet set = opened(QStringLiteral("Layout1"));
        QVERIFY(set.findFirst(QStringLiteral("[DescCampo]like'Postazione2'")));
        QVERIFY(set.isNull(QStringLiteral("Testo")));
        QCOMPARE(set.text(QStringLiteral("Testo")), QString());

        RecordSet types = opened(QStringLiteral("Tipi"));
        types.moveNext();
        for (int i = 0; i < types.fieldCount(); ++i) {
            QVERIFY2(types.value(i).isNull(), qPrintable(types.fieldName(i)));
            QCOMPARE(types.text(types.fieldName(i)), QString());
        }
        QVERIFY(!types.isTrue(QStringLiteral("b")));
        QCOMPARE(failureOf([&] { types.toInt32(QStringLiteral("l")); }),
                 ArchiveError::Reason::BadValue);
    }

    void columnKindsComeFromDeclaredTypes()
    {
        RecordSet set = opened(QStringLiteral("Tipi"));
        const QList<FieldKind> expected{
            FieldKind::Boolean, FieldKind::Integer,  FieldKind::Long,     FieldKind::Single,
            FieldKind::Double,  FieldKind::DateTime, FieldKind::Currency, FieldKind::Byte,
            FieldKind::Text,    FieldKind::Memo,     FieldKind::Text,     FieldKind::Text};
        QCOMPARE(set.fieldCount(), int(expected.size()));
        for (int i = 0; i < set.fieldCount(); ++i)
            QVERIFY2(set.fieldKind(i) == expected.at(i), qPrintable(set.fieldName(i)));

        QCOMPARE(set.value(QStringLiteral("b")).typeId(), int(QMetaType::Bool));
        QVERIFY(set.isTrue(QStringLiteral("B")));
        QCOMPARE(set.value(QStringLiteral("l")).toInt(), 70000);
        QCOMPARE(set.value(QStringLiteral("s")).typeId(), int(QMetaType::Float));
        QCOMPARE(set.value(QStringLiteral("s")).toFloat(), 8.25f);
        QCOMPARE(set.value(QStringLiteral("t")).toDateTime(),
                 QDateTime(QDate(2026, 12, 4), QTime(12, 0)));

        // The same kinds through a SELECT, which the driver alone reports as text.
        RecordSet selected = opened(QStringLiteral("select * from Tipi where [l]=70000"));
        QCOMPARE(selected.recordCount(), 1);
        for (int i = 0; i < selected.fieldCount(); ++i)
            QVERIFY2(selected.fieldKind(i) == expected.at(i), qPrintable(selected.fieldName(i)));
        QCOMPARE(failureOf([&] { selected.edit(); }), ArchiveError::Reason::NotUpdatable);
    }

    void editUpdatePersistsOnlyTheFieldsWritten()
    {
        RecordSet set = opened(QStringLiteral("numerazione"));
        // Another workstation writes P2 after we read the record.
        QVERIFY(SqliteFile::run(path_, {QStringLiteral("UPDATE Numerazione SET P2 = 99")}));
        set.edit();
        set.setValue(QStringLiteral("p1"), 42);
        QCOMPARE(set.toInt32(QStringLiteral("P1")), 42);
        set.update();

        RecordSet again = opened(QStringLiteral("Numerazione"));
        QCOMPARE(again.toInt32(QStringLiteral("P1")), 42);
        QCOMPARE(again.toInt32(QStringLiteral("P2")), 99);

        RecordSet types = opened(QStringLiteral("Tipi"));
        types.edit();
        types.setValue(QStringLiteral("b"), false);
        types.setValue(QStringLiteral("t"), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        types.update();
        RecordSet typesAgain = opened(QStringLiteral("Tipi"));
        QVERIFY(!typesAgain.isTrue(QStringLiteral("b")));
        QVERIFY(!typesAgain.isNull(QStringLiteral("b")));
        QCOMPARE(typesAgain.value(QStringLiteral("t")).toDateTime(),
                 QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));

        // A cancelled edit writes nothing and a write outside an edit is refused.
        again.edit();
        again.setValue(QStringLiteral("P1"), 1);
        again.cancelUpdate();
        QCOMPARE(again.toInt32(QStringLiteral("P1")), 42);
        QCOMPARE(failureOf([&] { again.setValue(QStringLiteral("P1"), 2); }),
                 ArchiveError::Reason::NotUpdatable);
        QCOMPARE(failureOf([&] { again.update(); }), ArchiveError::Reason::NotUpdatable);
        QCOMPARE(opened(QStringLiteral("Numerazione")).toInt32(QStringLiteral("P1")), 42);
    }

    void valuesThatDoNotFitAreRefusedBeforeWriting()
    {
        RecordSet set = opened(QStringLiteral("Numerazione"));
        set.edit();
        QCOMPARE(failureOf([&] { set.setValue(QStringLiteral("P1"), QStringLiteral("dodici")); }),
                 ArchiveError::Reason::BadValue);
        QCOMPARE(failureOf([&] { set.setValue(QStringLiteral("P1"), 2147483648.0); }),
                 ArchiveError::Reason::BadValue);
        QCOMPARE(failureOf([&] { set.setValue(QStringLiteral("P9"), 1); }),
                 ArchiveError::Reason::MissingField);
        set.update();
        QCOMPARE(opened(QStringLiteral("Numerazione")).toInt32(QStringLiteral("P1")), 41);
    }

    // Unreachable folders and files that are not archives are tried through every screen in
    // tst_archivefaults; these are the failures only a reader of the archive meets.
    void failuresAreArchiveErrorsAndNothingIsCreated()
    {
        const QString missing = dir_.filePath(QStringLiteral("KZ4.mdb"));
        RecordSet set;
        set.bind(missing, QStringLiteral("configurazione"));
        QCOMPARE(failureOf([&] { set.open(); }), ArchiveError::Reason::Unreachable);
        QVERIFY(!QFile::exists(missing));

        set.bind(path_, QStringLiteral("select * from NonCe"));
        QCOMPARE(failureOf([&] { set.open(); }), ArchiveError::Reason::MissingTable);

        RecordSet empty = opened(QStringLiteral("Vuota"));
        QCOMPARE(empty.recordCount(), 0);
        QVERIFY(empty.isEof());
        QCOMPARE(failureOf([&] { empty.edit(); }), ArchiveError::Reason::NoCurrentRecord);
    }

    void aWriteOfAnotherWorkstationMakesUsWait()
    {
        RecordSet set = opened(QStringLiteral("Numerazione"));
        std::atomic<bool> locked{false};
        std::thread other([&] {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                            QStringLiteral("other-workstation"));
                db.setDatabaseName(path_);
                db.open();
                QSqlQuery query(db);
                query.exec(QStringLiteral("BEGIN EXCLUSIVE"));
                query.exec(QStringLiteral("UPDATE Numerazione SET P2 = 5"));
                locked = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(400));
                query.exec(QStringLiteral("COMMIT"));
            }
            QSqlDatabase::removeDatabase(QStringLiteral("other-workstation"));
        });
        while (!locked)
            std::this_thread::yield();
        set.edit();
        set.setValue(QStringLiteral("P1"), 43);
        try {
            set.update();
        } catch (const ArchiveError &error) {
            other.join();
            QFAIL(error.what());
        }
        other.join();
        RecordSet again = opened(QStringLiteral("Numerazione"));
        QCOMPARE(again.toInt32(QStringLiteral("P1")), 43);
        QCOMPARE(again.toInt32(QStringLiteral("P2")), 5);
    }
};

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
