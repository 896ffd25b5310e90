#include "setup/percorsifile.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using Status = PercorsiFile::ReadResult::Status;

static void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

static QByteArray take(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

class TestPercorsiFile : public QObject
{
    Q_OBJECT

private:
private slots:
    void firstField_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected"); // "<nothing>": nothing to read

        const QString nothing = u"<nothing>"_qs;
        QTest::newRow("as written") << QByteArray("\"D:\\Archivi\"\r\n") << u"D:\\Archivi"_qs;
        QTest::newRow("quoted comma")
            << QByteArray("\"\\\\srv\\a,b\",\"x\"\r\n") << u"\\\\srv\\a,b"_qs;
        QTest::newRow("quoted blanks") << QByteArray("\" C:\\a b \"") << u" C:\\a b "_qs;
        QTest::newRow("unquoted comma") << QByteArray("\\\\srv\\a,b\r\n") << u"\\\\srv\\a"_qs;
        QTest::newRow("leading blanks") << QByteArray(" \t \"C:\\a\"") << u"C:\\a"_qs;
        QTest::newRow("leading tab unquoted") << QByteArray("\t C:\\a") << u"C:\\a"_qs;
        QTest::newRow("trailing blanks") << QByteArray("C:\\a b \t \r\n") << u"C:\\a b"_qs;
        QTest::newRow("blanks before comma") << QByteArray("C:\\a  ,x") << u"C:\\a"_qs;
        QTest::newRow("LF only") << QByteArray("\"C:\\a\"\nC:\\b\n") << u"C:\\a"_qs;
        QTest::newRow("unquoted LF") << QByteArray("C:\\a\nC:\\b") << u"C:\\a"_qs;
        QTest::newRow("unquoted CR") << QByteArray("C:\\a\rC:\\b") << u"C:\\a"_qs;
        QTest::newRow("no closing quote") << QByteArray("\"C:\\a,b\r\nc\"") << u"C:\\a,b"_qs;
        QTest::newRow("blank lines first") << QByteArray("\r\n \r\n\"C:\\a\"") << u"C:\\a"_qs;
        QTest::newRow("quoted empty") << QByteArray("\"\"\r\n") << QString();
        QTest::newRow("cp1252") << QByteArray("\"C:\\Citt\xE0\"\r\n") << u"C:\\Città"_qs;
        QTest::newRow("cp1252 last byte") << QByteArray("C:\\Citt\xE0") << u"C:\\Città"_qs;
        QTest::newRow("cp1252 table") << QByteArray("\x80\x92\x93\x8A\x9F") << u"€’“ŠŸ"_qs;
        QTest::newRow("cp1252 holes") << QByteArray("\x81\x9D") << u"\u0081\u009D"_qs;
        QTest::newRow("utf-8") << QByteArray("C:\\Citt\xC3\xA0 \xE2\x82\xAC") << u"C:\\Città €"_qs;
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF\"C:\\Citt\xC3\xA0\"") << u"C:\\Città"_qs;
        // Only the first line is used, so the rest cannot turn its UTF-8 into cp1252.
        QTest::newRow("later lines") << QByteArray("C:\\Citt\xC3\xA0\r\n\xE8") << u"C:\\Città"_qs;
        QTest::newRow("zero bytes") << QByteArray() << nothing;
        QTest::newRow("blanks and breaks") << QByteArray(" \t\r\n  \n\r") << nothing;
        QTest::newRow("BOM and break") << QByteArray("\xEF\xBB\xBF\r\n") << nothing;
    }

    void firstField()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);

        const std::optional<QString> value = PercorsiFile::parseFirstField(bytes);
        QCOMPARE(value.value_or(u"<nothing>"_qs), expected);
    }

    void read_data()
    {
        QTest::addColumn<QString>("name"); // where the file is, inside a fresh folder
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Status>("status");
        QTest::addColumn<QString>("folder");

        const QString file = PercorsiFile::fileName();
        const QByteArray line("\"D:\\Archivi\"\r\n");
        const QByteArray past(PercorsiFile::MaxReadBytes + 10, ' ');
        const QByteArray within(PercorsiFile::MaxReadBytes - 64, ' ');
        QTest::newRow("written") << file << line << Status::Ok << u"D:\\Archivi"_qs;
        QTest::newRow("missing") << file << QByteArray() << Status::Missing << QString();
        QTest::newRow("no folder")
            << u"x/"_qs + file << QByteArray() << Status::FolderMissing << QString();
        QTest::newRow("a folder") << file << QByteArray("/") << Status::Unreadable << QString();
        QTest::newRow("empty") << file << QByteArray("\r\n") << Status::Empty << QString();
        // A huge file is read only as far as the limit: a field beyond it is never seen.
        QTest::newRow("past limit") << file << past + line << Status::Empty << QString();
        QTest::newRow("within limit") << file << within + line << Status::Ok << u"D:\\Archivi"_qs;
    }

    void read()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(Status, status);
        QFETCH(QString, folder);

        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (bytes == "/")
            QVERIFY(QDir(dir.path()).mkdir(name));
        else if (!bytes.isEmpty())
            put(path, bytes);

        const PercorsiFile::ReadResult result = PercorsiFile::read(path);
        QCOMPARE(result.status, status);
        QCOMPARE(result.folder, folder);
        QCOMPARE(result.detail.isEmpty(), status == Status::Ok);
    }

    void writeRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(PercorsiFile::fileName());
        put(path, "\"C:\\Una cartella piu lunga della nuova\"\r\nseconda riga\r\n");

        const QString folder = u"\\\\srv\\dati,2024\\Città"_qs;
        QString error;
        QVERIFY2(PercorsiFile::write(folder, &error, path), qPrintable(error));
        QCOMPARE(take(path), QByteArray("\"\\\\srv\\dati,2024\\Citt\xC3\xA0\"\r\n"));
        QCOMPARE(PercorsiFile::read(path).folder, folder);

        QVERIFY(PercorsiFile::write(QString(), &error, path));
        QCOMPARE(take(path), QByteArray("\"\"\r\n"));
        QCOMPARE(PercorsiFile::read(path).status, Status::Ok);

        const QString lost = dir.filePath(u"manca/"_qs + PercorsiFile::fileName());
        QVERIFY(!PercorsiFile::write(folder, &error, lost));
        QVERIFY2(error.startsWith(u"Impossibile scrivere il file "_qs), qPrintable(error));
        QVERIFY2(error.contains(u"percorsiT.txt: la cartella "_qs), qPrintable(error));
        QVERIFY(!PercorsiFile::write(folder, nullptr, lost));
    }

    void failedWriteLeavesOldContent()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(PercorsiFile::fileName());
        put(path, "\"D:\\Vecchio\"\r\n");
        const QFileDevice::Permissions writable = QFile::permissions(dir.path());
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const auto restore = qScopeGuard([&] { QFile::setPermissions(dir.path(), writable); });
        if (QFile probe(dir.filePath(u"prova"_qs)); probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("this user writes into read-only folders (root?): the failure cannot happen");
        }

        QString error;
        QVERIFY(!PercorsiFile::write(u"E:\\Nuovo"_qs, &error, path));
        QVERIFY2(error.startsWith(u"Impossibile scrivere il file "_qs), qPrintable(error));
        QCOMPARE(take(path), QByteArray("\"D:\\Vecchio\"\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{PercorsiFile::fileName()});
    }
};

QTEST_GUILESS_MAIN(TestPercorsiFile)
#include "tst_percorsifile.moc"
