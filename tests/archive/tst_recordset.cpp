#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/findcriteria.h"
#include "archive/fresharchives.h"
#include "archive/recordset.h"
#include "support/archivefailureof.h"
#include "support/archivefixture.h"

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

private slots:
    void init()
    {
        fresh_ = std::make_unique<QTemporaryDir>();
        QFile::remove(path_);
        QVERIFY(SqliteFile::run(
            path_, {u"CREATE TABLE Numerazione(P1 LONG, P2 LONG)"_qs,
                    u"INSERT INTO Numerazione VALUES(41, 7)"_qs,
                    u"CREATE TABLE Tipi(b BOOLEAN, i SMALLINT, l LONG, y BYTE, d DATETIME)"_qs,
                    u"INSERT INTO Tipi VALUES(-1, 5, 70000, 200, '2026-12-07 09:40:00')"_qs}));
    }

    void updateWritesOnlyTheFieldsSetAndRefusesWhatDoesNotFit()
    {
        RecordSet set = opened(u"numerazione"_qs);
        // Another workstation writes P2 after we read the record.
        QVERIFY(SqliteFile::run(path_, {u"UPDATE Numerazione SET P2 = 99"_qs}));
        set.edit();
        set.setValue(u"p1"_qs, 42);
        QCOMPARE(archiveFailureOf([&] { set.setValue(u"P1"_qs, u"dodici"_qs); }), Reason::BadValue);
        QCOMPARE(archiveFailureOf([&] { set.setValue(u"P1"_qs, 2147483648.0); }), Reason::BadValue);
        set.update();
        RecordSet again = opened(u"Numerazione"_qs);
        QCOMPARE(again.toInt32(u"P1"_qs) * 1000 + again.toInt32(u"P2"_qs), 42099);
        again.edit();
        again.setValue(u"P1"_qs, 1);
        again.cancelUpdate();
        QCOMPARE(archiveFailureOf([&] { again.update(); }), Reason::NotUpdatable);
        QCOMPARE(opened(u"Numerazione"_qs).toInt32(u"P1"_qs), 42);

        RecordSet types = opened(u"Tipi"_qs);
        types.edit();
        types.setValue(u"b"_qs, false);
        types.setValue(u"l"_qs, u" "_qs); // an empty text empties a number or date field
        types.setValue(u"d"_qs, QString());
        types.setValue(u"i"_qs, -5);
        QCOMPARE(archiveFailureOf([&] { types.setValue(u"y"_qs, -1); }), Reason::BadValue);
        types.update();
        QVERIFY(!opened(u"Tipi"_qs).isNull(u"b"_qs) && opened(u"Tipi"_qs).isNull(u"l"_qs));
        QVERIFY(opened(u"Tipi"_qs).isNull(u"d"_qs));
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

    // Patterns read as the installation's own tools read them: * ? # and [..] classes.
    void likePatternsReadAsAccessReadsThem()
    {
        const auto matches = [](const QString &pattern, const QString &text) {
            return FindCriteria::parse(u"[DescCampo]like'%1'"_qs.arg(pattern)).matches(text);
        };
        QVERIFY(matches(u"postazione1"_qs, u"Postazione1"_qs));
        QVERIFY(!matches(u"Postazione1"_qs, u"Postazione10"_qs));
        QVERIFY(matches(u"Post*#"_qs, u"Postazione7"_qs) && !matches(u"Post*#"_qs, u"PostX"_qs));
        QVERIFY(matches(u"P?sta[!x]ione[1-3]"_qs, u"Postazione2"_qs));
        QVERIFY(!matches(u"Postazione[1-3]"_qs, u"Postazione4"_qs));
    }
};

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
