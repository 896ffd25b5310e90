#include "setup/imporete.h"

#include "support/kioskfixture.h"
#include "ui/msgform.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestImpoRete : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
    ScriptedDialogs dialogs_;

    void put(const QByteArray &bytes)
    {
        QFile file(path_);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray take() const
    {
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    static void click(QWidget &screen, int cbt)
    {
        QTest::mouseClick(named<QPushButton>(screen, u"cbt(%1)"_qs.arg(cbt)), Qt::LeftButton);
    }

private slots:
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
        QTest::addColumn<QStringList>("lines"); // both lines as shown; "-" for a hidden one

        const QStringList saved{u"Percorso archivi impostato correttamente !"_qs,
                                u"Riavviare modulo KZ4 - Totem !"_qs};
        QTest::newRow("chosen folder, no file before")
            << QByteArray("<none>") << u"D:\\Archivi"_qs << QByteArray("\"D:\\Archivi\"\r\n")
            << saved;
        QTest::newRow("as read, with a comma") << QByteArray("\"\\\\srv\\a,b\"\r\n") << QString()
                                               << QByteArray("\"\\\\srv\\a,b\"\r\n") << saved;
        QTest::newRow("empty folder")
            << QByteArray("\r\n") << QString() << QByteArray("\"\"\r\n") << saved;
        const QByteArray mark("\"Percorso da impostare!\"\r\n");
        QTest::newRow("unset mark")
            << mark << QString() << mark
            << QStringList{u"Selezionare un Percorso per gli archivi !"_qs, u"-"_qs};
    }

    void saveAndItsMessages()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, chosen);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, lines);
        const bool closes = lines.size() == 2 && lines[1] != u"-";
        if (before != "<none>")
            put(before);
        QStringList shown;
        QByteArray whileShown; // the file is written, or not, before the message appears
        dialogs_.screenScripts << [&](QDialog &msg) {
            whileShown = take();
            msg.show();
            for (int i = 0; i < 2; ++i) {
                const auto *label = named<QLabel>(msg, u"Label2(%1)"_qs.arg(i));
                shown << (label->isVisible() ? label->text() : u"-"_qs);
            }
            // What the file says when the message closes is what the screen shows next.
            if (!closes)
                put("\"E:\\Altrove\"\r\n");
            named<QPushButton>(msg, u"PB1(1)"_qs)->click();
            return msg.result();
        };

        ImpoRete screen(dialogs_, path_);
        screen.show();
        const QString read = PercorsiFile::read(path_).folder;
        QCOMPARE(screen.folderText(), read);
        if (!chosen.isEmpty()) {
            dialogs_.folders << chosen;
            click(screen, 1);
            QCOMPARE(dialogs_.prompts, QStringList{u"Selezionare la cartella"_qs});
            QCOMPARE(screen.folderText(), chosen);
        }
        click(screen, 2);
        QCOMPARE(dialogs_.screens, QStringList{u"MsgForm"_qs});
        QCOMPARE(shown, lines);
        QCOMPARE(whileShown, after);
        QCOMPARE(screen.isVisible(), !closes);
        QCOMPARE(screen.result(), closes ? int(QDialog::Accepted) : int(QDialog::Rejected));
        if (!closes)
            QCOMPARE(screen.folderText(), u"E:\\Altrove"_qs);
    }

    // A cancelled choice keeps the folder shown; closing, by the button or the window,
    // writes nothing; a file that cannot be written is told and the choice kept.
    void cancelCloseOrFailureWriteNothing()
    {
        put("\"C:\\Vecchio\"\r\n");
        dialogs_.folders << std::nullopt << u"D:\\Archivi"_qs << u"D:\\Archivi"_qs
                         << u"D:\\Archivi"_qs;
        ImpoRete chiudi(dialogs_, path_);
        chiudi.show();
        click(chiudi, 1);
        QCOMPARE(chiudi.folderText(), u"C:\\Vecchio"_qs);
        click(chiudi, 1);
        click(chiudi, 0);
        QVERIFY(!chiudi.isVisible());
        ImpoRete closed(dialogs_, path_);
        closed.show();
        click(closed, 1);
        closed.close();
        QCOMPARE(take(), QByteArray("\"C:\\Vecchio\"\r\n"));
        QVERIFY(dialogs_.messages.isEmpty() && dialogs_.screens.isEmpty());

        // A folder that does not exist cannot be written even by root.
        ImpoRete failing(dialogs_, dir_->filePath(u"manca/"_qs + PercorsiFile::fileName()));
        failing.show();
        click(failing, 1);
        click(failing, 2);
        QVERIFY(dialogs_.alert().startsWith(u"Impossibile scrivere il file"_qs));
        QVERIFY(dialogs_.screens.isEmpty() && failing.isVisible());
        QCOMPARE(failing.folderText(), u"D:\\Archivi"_qs); // kept for another try
    }

    void onlyTheMessageScreenRereadsOnReturn()
    {
        put("\"C:\\Salvato\"\r\n");
        dialogs_.folders << u"D:\\Scelto"_qs;
        ImpoRete screen(dialogs_, path_);
        screen.show();
        QApplication::setActiveWindow(&screen);
        click(screen, 1);
        // A chooser or message box closing gives the activation back: the choice stays.
        QDialog chooser;
        chooser.show();
        QApplication::setActiveWindow(&chooser);
        QApplication::setActiveWindow(&screen);
        QCOMPARE(screen.folderText(), u"D:\\Scelto"_qs);
        MsgForm message(&screen);
        message.show();
        QApplication::setActiveWindow(&message);
        message.close();
        QApplication::setActiveWindow(&screen);
        QCOMPARE(screen.folderText(), u"C:\\Salvato"_qs);
    }
};

QTEST_MAIN(TestImpoRete)
#include "tst_imporete.moc"
