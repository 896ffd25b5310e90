#include "setup/imporete.h"

#include "support/scripteddialogs.h"
#include "ui/msgform.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

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

static void click(QWidget &screen, int cbt)
{
    QTest::mouseClick(screen.findChild<QPushButton *>(QStringLiteral("cbt(%1)").arg(cbt)),
                      Qt::LeftButton);
}

class TestImpoRete : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
    ScriptedDialogs dialogs_;

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        path_ = dir_->filePath(PercorsiFile::fileName());
        dialogs_ = ScriptedDialogs();
    }

    void folderTextIsReadAtShow()
    {
        ImpoRete none(dialogs_, path_);
        none.show();
        QCOMPARE(none.findChild<QLabel *>(u"txtshortcutdir"_qs)->text(), QString());
        put(path_, "\"\\\\srv\\a,b\"\r\n");
        ImpoRete screen(dialogs_, path_);
        screen.show();
        QCOMPARE(screen.findChild<QLabel *>(u"txtshortcutdir"_qs)->text(), u"\\\\srv\\a,b"_qs);
        QVERIFY(dialogs_.messages.isEmpty() && dialogs_.screens.isEmpty());
    }

    void saveAndItsMessages_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QStringList>("lines"); // both lines as shown; "-" for a hidden one
        QTest::addColumn<bool>("closed");

        const QStringList saved{u"Percorso archivi impostato correttamente !"_qs,
                                u"Riavviare modulo KZ4 - Totem !"_qs};
        QTest::newRow("chosen folder") << QByteArray() << u"D:\\Archivi"_qs
                                       << QByteArray("\"D:\\Archivi\"\r\n") << saved << true;
        QTest::newRow("empty folder")
            << QByteArray() << QString() << QByteArray("\"\"\r\n") << saved << true;
        const QByteArray mark("\"Percorso da impostare!\"\r\n");
        QTest::newRow("unset mark")
            << mark << QString() << mark
            << QStringList{u"Selezionare un Percorso per gli archivi !"_qs, u"-"_qs} << false;
    }

    void saveAndItsMessages()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, chosen);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, lines);
        QFETCH(bool, closed);

        if (!before.isEmpty())
            put(path_, before);
        QStringList shown;
        QByteArray whileShown; // the file is written, or not, before the message appears
        dialogs_.screenScripts << [&](QDialog &msg) {
            whileShown = take(path_);
            msg.show();
            for (int i = 0; i < 2; ++i) {
                const auto *label = msg.findChild<QLabel *>(QStringLiteral("Label2(%1)").arg(i));
                shown << (label->isVisible() ? label->text() : u"-"_qs);
            }
            // What the file says when the message closes is what the screen shows next.
            if (!closed)
                put(path_, "\"E:\\Altrove\"\r\n");
            msg.findChild<QPushButton *>(u"PB1(1)"_qs)->click();
            return msg.result();
        };

        ImpoRete screen(dialogs_, path_);
        screen.show();
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
        QCOMPARE(screen.isVisible(), !closed);
        if (closed)
            QCOMPARE(screen.result(), int(QDialog::Accepted));
        else
            QCOMPARE(screen.folderText(), u"E:\\Altrove"_qs);
    }

    void cancelledChoiceOrCloseChangesNothing()
    {
        put(path_, "\"C:\\Vecchio\"\r\n");
        dialogs_.folders << std::nullopt << u"D:\\Archivi"_qs << u"D:\\Archivi"_qs;

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

        QCOMPARE(take(path_), QByteArray("\"C:\\Vecchio\"\r\n"));
        QVERIFY(dialogs_.messages.isEmpty() && dialogs_.screens.isEmpty());
    }

    void unwritableFileIsReportedAndScreenStays()
    {
        // A folder that does not exist cannot be written even by root.
        const QString path = dir_->filePath(u"manca/"_qs + PercorsiFile::fileName());
        dialogs_.folders << u"D:\\Archivi"_qs;
        ImpoRete screen(dialogs_, path);
        screen.show();
        click(screen, 1);
        click(screen, 2);

        QVERIFY(dialogs_.alert().startsWith(u"Impossibile scrivere il file"_qs));
        QVERIFY(dialogs_.screens.isEmpty());
        QVERIFY(screen.isVisible());
        QCOMPARE(screen.folderText(), u"D:\\Archivi"_qs); // kept for another try
    }

    void onlyTheMessageScreenRereadsOnReturn()
    {
        put(path_, "\"C:\\Salvato\"\r\n");
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
