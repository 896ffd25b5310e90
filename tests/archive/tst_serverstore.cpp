#include "archive/archiveconnection.h"
#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/fresharchives.h"
#include "archive/recordset.h"
#include "support/archivefailureof.h"
#include "support/testserver.h"

#include <QSqlQuery>
#include <QtTest>

using Reason = ArchiveError::Reason;

// The archives on a server give what the files give by themselves (kinds, natural order,
// names without regard to case), and what only a server does (another client's lock, a
// missing schema or database) ends in the errors the kiosk already handles for files.
// The press, the editors and the console run on the server in their own tests' @server runs.
class TestServerStore : public QObject
{
    Q_OBJECT

    TestServer *server_ = nullptr;
    QString address_;
    QString totem() const { return ArchivePath::join(address_, ArchivePath::totem()); }

    static RecordSet opened(const QString &path, const QString &source)
    {
        RecordSet set;
        set.bind(path, source);
        set.open();
        return set;
    }
    void writeFirstNumber(qint32 number)
    {
        RecordSet numbers = opened(totem(), u"Numerazione"_qs);
        numbers.edit();
        numbers.setValue(u"P1"_qs, number);
        numbers.update();
    }

private slots:
    void initTestCase()
    {
        server_ = TestServer::instance();
        if (!server_)
            QSKIP(qPrintable(TestServer::unavailableReason()));
        address_ = server_->newDatabase();
        FreshArchives::create(address_, FreshArchives::Content::Empty);
    }

    void readsEveryArchiveAsTheFilesDo()
    {
        QCOMPARE(archiveFailureOf(
                     [&] { FreshArchives::create(address_, FreshArchives::Content::Empty); }),
                 Reason::Other);
        for (const ArchiveSchema::Archive &archive : ArchiveSchema::archives()) {
            for (const ArchiveSchema::Table &table : archive.tables) {
                const RecordSet set =
                    opened(ArchivePath::join(address_, archive.fileName), table.name.toUpper());
                QCOMPARE(set.fieldCount(), table.fields.size());
                for (int i = 0; i < table.fields.size(); ++i)
                    QCOMPARE(set.fieldKind(i), table.fields.at(i).kind);
            }
        }
        // The counters' rows of a day stay in the order they were added after an update has
        // moved one of them on the server's pages.
        QVERIFY(server_->run(address_.section(u'/', -1),
                             u"UPDATE totem.\"totemlunedì\" SET sette = 9 "
                             "WHERE ordine_inserimento = 1"_qs));
        QCOMPARE(opened(totem(), u"TOTEMLUNEDÌ"_qs).value(u"sette"_qs).toInt(), 9);

        // Every kind another workstation may declare reads back as declared, also through a
        // statement in the files' dialect, which never sees the server's own row column.
        QVERIFY(server_->run(address_.section(u'/', -1),
                             u"SET search_path TO totem; CREATE TABLE tipi (ordine_inserimento "
                             "bigint GENERATED ALWAYS AS IDENTITY, b yesno, i smallint, l long, "
                             "s single, d double precision, t datetime, c currency, y byte, "
                             "x text, m memo); INSERT INTO tipi (b, i, l, s, d, t, c, y, x, m) "
                             "VALUES (-1, 5, 70000, 1.5, 2.25, '2026-12-07 09:40', 12.5, 200, "
                             "'x[a]', 'b')"_qs));
        for (const QString &source :
             {u"Tipi"_qs, u"select * from TIPI where [L]=70000 and [X]='x[a]'"_qs}) {
            const RecordSet set = opened(totem(), source);
            QStringList texts;
            for (int i = 0; i < set.fieldCount(); ++i) {
                QCOMPARE(set.fieldKind(i), FieldKind(i));
                texts << set.text(set.fieldName(i));
            }
            QCOMPARE(texts.join(u' '),
                     u"-1 5 70000 1.5 2.25 2026-12-07 09:40:00 12.5 200 x[a] b"_qs);
        }

        QCOMPARE(archiveFailureOf(
                     [&] { opened(ArchivePath::join(address_, u"Altro.mdb"_qs), u"x"_qs); }),
                 Reason::Unreachable);
        QCOMPARE(archiveFailureOf([&] {
                     opened(ArchivePath::join(address_ + u"_no"_qs, ArchivePath::totem()), u"x"_qs);
                 }),
                 Reason::Unreachable);
    }

    void anotherClientsLockMakesTheWriteWaitThenGiveUp()
    {
        ArchiveConnection other(totem());
        QSqlQuery lock(other.database());
        QVERIFY(lock.exec(u"BEGIN"_qs) && lock.exec(u"SELECT * FROM numerazione FOR UPDATE"_qs));
        ArchiveConnection::setBusyTimeoutOfThisThread(300);
        QCOMPARE(archiveFailureOf([&] { writeFirstNumber(7); }), Reason::Busy);
        // Reading is not held up by a writer.
        QCOMPARE(opened(totem(), u"Numerazione"_qs).toInt32(u"P1"_qs), 0);
        QVERIFY(lock.exec(u"ROLLBACK"_qs));
        writeFirstNumber(7);
        QCOMPARE(opened(totem(), u"Numerazione"_qs).toInt32(u"P1"_qs), 7);
    }
};

QTEST_GUILESS_MAIN(TestServerStore)
#include "tst_serverstore.moc"
