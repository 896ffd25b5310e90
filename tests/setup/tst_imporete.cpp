#include "setup/imporete.h"

#include "support/kioskfixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using Status = PercorsiFile::ReadResult::Status;

// The folder setup screen and percorsiT.txt, as read and as written. What the start-up makes
// of a missing, empty or unreadable file is tried in tst_gestionetotem.
class TestImpoRete : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
    ScriptedDialogs dialogs_;

    static void click(QWidget &screen, int cbt)
    {
        QTest::mouseClick(named<QPushButton>(screen, u"cbt(%1)"_qs.arg(cbt)), Qt::LeftButton);
    }

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

    void writeIsWholeOrNothing()
    {
        QVERIFY(put(path_, "\"C:\\Una cartella piu lunga della nuova\"\r\nseconda riga\r\n"));
        const QString folder = u"\\\\srv\\dati,2024\\Città"_qs;
        QString error;
        QVERIFY2(PercorsiFile::write(folder, &error, path_), qPrintable(error));
        QCOMPARE(take(path_), QByteArray("\"\\\\srv\\dati,2024\\Citt\xC3\xA0\"\r\n"));
        QCOMPARE(PercorsiFile::read(path_).folder, folder);

        QVERIFY(
            QFile::setPermissions(dir_->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        if (QFile probe(dir_->filePath(u"prova"_qs)); probe.open(QIODevice::WriteOnly))
            QSKIP("this user writes into read-only folders (root?)");
        QVERIFY(!PercorsiFile::write(u"E:\\Nuovo"_qs, &error, path_));
        QCOMPARE(take(path_), QByteArray("\"\\\\srv\\dati,2024\\Citt\xC3\xA0\"\r\n"));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{PercorsiFile::fileName()});
        QFile::setPermissions(dir_->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                | QFileDevice::ExeOwner);
    }

    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        path_ = dir_->filePath(PercorsiFile::fileName());
        dialogs_ = ScriptedDialogs();
    }

    void saveAndItsMessages_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("chosen folder, no file before")
            << QByteArray("<none>") << u"D:\\Archivi"_qs << QByteArray("\"D:\\Archivi\"\r\n");
        QTest::newRow("typed server") << QByteArray("<none>") << u"typed:postgresql://db/kz4"_qs
                                      << QByteArray("\"postgresql://db/kz4\"\r\n");
        QTest::newRow("as read, with a comma") << QByteArray("\"\\\\srv\\a,b\"\r\n") << QString()
                                               << QByteArray("\"\\\\srv\\a,b\"\r\n");
        QTest::newRow("empty folder") << QByteArray("\r\n") << QString() << QByteArray("\"\"\r\n");
    }

    void saveAndItsMessages()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, chosen);
        QFETCH(QByteArray, after);
        if (before != "<none>")
            QVERIFY(put(path_, before));
        QStringList shown;
        QByteArray whileShown; // the file is written before the message appears
        dialogs_.screenScripts << [&](QDialog &msg) {
            whileShown = take(path_);
            for (int i = 0; i < 2; ++i)
                shown << named<QLabel>(msg, u"Label2(%1)"_qs.arg(i))->text();
            named<QPushButton>(msg, u"PB1(1)"_qs)->click();
            return msg.result();
        };

        ImpoRete screen(dialogs_, path_);
        screen.show();
        const QString read = PercorsiFile::read(path_).folder;
        QCOMPARE(screen.folderText(), read);
        if (chosen.startsWith(u"typed:"_qs)) {
            QTest::keyClicks(named<QLineEdit>(screen, u"txtshortcutdir"_qs), chosen.mid(6));
        } else if (!chosen.isEmpty()) {
            dialogs_.folders << chosen;
            click(screen, 1);
            QCOMPARE(dialogs_.prompts, QStringList{u"Selezionare la cartella"_qs});
            QCOMPARE(screen.folderText(), chosen);
        }
        click(screen, 2);
        QCOMPARE(dialogs_.screens, QStringList{u"MsgForm"_qs});
        QCOMPARE(shown, (QStringList{u"Percorso archivi impostato correttamente !"_qs,
                                     u"Riavviare modulo KZ4 - Totem !"_qs}));
        QCOMPARE(whileShown, after);
        QVERIFY(!screen.isVisible());
        QCOMPARE(screen.result(), int(QDialog::Accepted));
    }

    // A file that cannot be written is told, and the choice kept for another try.
    void aFailedWriteKeepsTheChoice()
    {
        dialogs_.folders << u"D:\\Archivi"_qs;
        // A folder that does not exist cannot be written even by root.
        ImpoRete failing(dialogs_, dir_->filePath(u"manca/"_qs + PercorsiFile::fileName()));
        failing.show();
        click(failing, 1);
        click(failing, 2);
        QVERIFY2(dialogs_.alert().startsWith(u"Impossibile scrivere il file "_qs)
                     && dialogs_.alert().contains(u"percorsiT.txt: la cartella "_qs),
                 qPrintable(dialogs_.alert()));
        QVERIFY(dialogs_.screens.isEmpty() && failing.isVisible());
        QCOMPARE(failing.folderText(), u"D:\\Archivi"_qs);
    }
};

QTEST_MAIN(TestImpoRete)
#include "tst_imporete.moc"
