#include "setup/percorsifile.h"

#include "support/kioskfixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Status = PercorsiFile::ReadResult::Status;

namespace {

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray take(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

} // namespace

// What percorsiT.txt holds, as read and as written. What the start-up makes of a missing,
// empty or unreadable file is tried in tst_startupsequence.
class TestPercorsiFile : public QObject
{
    Q_OBJECT

private slots:
    // File modes bite only without root: the whole test runs as nobody when it can.
    void initTestCase() { KioskFixture::giveUpRoot(); }

    void firstField_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected"); // "<nothing>": nothing to read

        QTest::newRow("as written") << QByteArray("\"D:\\Archivi\"\r\n") << u"D:\\Archivi"_qs;
        QTest::newRow("quoted comma") << QByteArray("\"\\\\srv\\a,b\",\"x\"") << u"\\\\srv\\a,b"_qs;
        QTest::newRow("quoted blanks") << QByteArray("\" C:\\a b \"") << u" C:\\a b "_qs;
        QTest::newRow("unquoted comma") << QByteArray("\\\\srv\\a,b\r\n") << u"\\\\srv\\a"_qs;
        QTest::newRow("leading blanks") << QByteArray(" \t \"C:\\a\"") << u"C:\\a"_qs;
        QTest::newRow("trailing blanks") << QByteArray("C:\\a b \t ,x") << u"C:\\a b"_qs;
        QTest::newRow("unquoted CR") << QByteArray("C:\\a\rC:\\b") << u"C:\\a"_qs;
        QTest::newRow("no closing quote") << QByteArray("\"C:\\a,b\r\nc\"") << u"C:\\a,b"_qs;
        QTest::newRow("blank lines first") << QByteArray("\r\n \r\n\"C:\\a\"") << u"C:\\a"_qs;
        QTest::newRow("quoted empty") << QByteArray("\"\"\r\n") << QString();
        QTest::newRow("cp1252") << QByteArray("\"C:\\Citt\xE0\x80\"\r\n") << u"C:\\Città€"_qs;
        QTest::newRow("utf-8") << QByteArray("C:\\Citt\xC3\xA0 \xE2\x82\xAC") << u"C:\\Città €"_qs;
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF\"C:\\Citt\xC3\xA0\"") << u"C:\\Città"_qs;
        // Only the first line is used, so the rest cannot turn its UTF-8 into cp1252.
        QTest::newRow("later lines") << QByteArray("C:\\Citt\xC3\xA0\r\n\xE8") << u"C:\\Città"_qs;
        QTest::newRow("blanks and breaks") << QByteArray(" \t\r\n  \n\r") << u"<nothing>"_qs;
        QTest::newRow("BOM and break") << QByteArray("\xEF\xBB\xBF\r\n") << u"<nothing>"_qs;
    }

    void firstField()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(PercorsiFile::parseFirstField(bytes).value_or(u"<nothing>"_qs), expected);
    }

    // A file filled with rubbish is read only as far as the limit: a field beyond it is
    // never seen.
    void readStopsAtItsLimit()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(PercorsiFile::fileName());
        const QByteArray line("\"D:\\Archivi\"\r\n");
        put(path, QByteArray(PercorsiFile::MaxReadBytes - 64, ' ') + line);
        QCOMPARE(PercorsiFile::read(path).folder, u"D:\\Archivi"_qs);
        put(path, QByteArray(PercorsiFile::MaxReadBytes + 10, ' ') + line);
        QCOMPARE(PercorsiFile::read(path).status, Status::Empty);
    }

    void writeIsWholeOrNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(PercorsiFile::fileName());
        put(path, "\"C:\\Una cartella piu lunga della nuova\"\r\nseconda riga\r\n");
        const QString folder = u"\\\\srv\\dati,2024\\Città"_qs;
        QString error;
        QVERIFY2(PercorsiFile::write(folder, &error, path), qPrintable(error));
        QCOMPARE(take(path), QByteArray("\"\\\\srv\\dati,2024\\Citt\xC3\xA0\"\r\n"));
        QCOMPARE(PercorsiFile::read(path).folder, folder);

        QVERIFY(!PercorsiFile::write(folder, &error, dir.filePath(u"manca/percorsiT.txt"_qs)));
        QVERIFY2(error.startsWith(u"Impossibile scrivere il file "_qs)
                     && error.contains(u"percorsiT.txt: la cartella "_qs),
                 qPrintable(error));

        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        if (QFile probe(dir.filePath(u"prova"_qs)); probe.open(QIODevice::WriteOnly))
            QSKIP("this user writes into read-only folders (root?)");
        QVERIFY(!PercorsiFile::write(u"E:\\Nuovo"_qs, &error, path));
        QCOMPARE(take(path), QByteArray("\"\\\\srv\\dati,2024\\Citt\xC3\xA0\"\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{PercorsiFile::fileName()});
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestPercorsiFile)
#include "tst_percorsifile.moc"
