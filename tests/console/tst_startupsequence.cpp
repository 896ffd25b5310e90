#include "console/instanceguard.h"
#include "console/startupsequence.h"
#include "core/kioskstate.h"
#include "support/scripteddialogs.h"
#include "support/sqlitefile.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using Outcome = StartupSequence::Outcome;

class TestStartupSequence : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<InstanceGuard> guard_;
    ScriptedDialogs dialogs_;
    KioskState state_;

    QString archives() const { return dir_->filePath(QStringLiteral("archivi")); }
    QString percorsi() const { return dir_->filePath(QStringLiteral("percorsiT.txt")); }
    QString kz4() const { return archives() + QStringLiteral("/KZ4.mdb"); }

    void writePercorsi(const QByteArray &content)
    {
        QFile file(percorsi());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // A KZ4.mdb with the given qualelayout value (SQL literal) and label tables.
    void makeKz4(const QString &labelSet, const QStringList &more = {})
    {
        QStringList statements{
            QStringLiteral("CREATE TABLE configurazione(qualelayout LONG)"),
            QStringLiteral("INSERT INTO configurazione VALUES(%1)").arg(labelSet),
            QStringLiteral("CREATE TABLE Layout1(DescCampo TEXT, Testo TEXT)"),
        };
        for (int i = 1; i <= 10; ++i)
            statements
                << QStringLiteral("INSERT INTO Layout1 VALUES('Postazione%1', 'Uno-%1')").arg(i);
        QVERIFY(SqliteFile::run(kz4(), statements + more));
    }

    Outcome runStartup()
    {
        StartupSequence startup(state_, dialogs_, *guard_);
        startup.setPercorsiPath(percorsi());
        return startup.run();
    }

    bool namesAllEmpty() const
    {
        return std::all_of(state_.counterNames.begin(), state_.counterNames.end(),
                           [](const QString &n) { return n.isEmpty(); });
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("archivi")));
        guard_ = std::make_unique<InstanceGuard>(dir_->filePath(QStringLiteral("totem.lock")));
        dialogs_ = ScriptedDialogs();
        state_ = KioskState();
    }

    void cleanup() { guard_.reset(); }

    void readsTheFolderAndTheNamesOfTheLabelSetInUse()
    {
        QStringList labels{QStringLiteral("CREATE TABLE Layout3(DescCampo TEXT, Testo TEXT)"),
                           QStringLiteral("INSERT INTO Layout3 VALUES('Postazione10', 'Cassa')"),
                           QStringLiteral("INSERT INTO Layout3 VALUES('Postazione1', 'Anagrafe')"),
                           QStringLiteral("INSERT INTO Layout3 VALUES('Postazione2', NULL)")};
        for (int i : {3, 4, 5, 6, 8, 9}) // counter 7 has no label record
            labels << QStringLiteral("INSERT INTO Layout3 VALUES('Postazione%1', 'Sportello %1')")
                          .arg(i);
        makeKz4(QStringLiteral("3"), labels);
        writePercorsi('"' + archives().toUtf8() + "\"\r\n");

        QCOMPARE(runStartup(), Outcome::ShowConsole);
        QCOMPARE(state_.archiveFolder, archives());
        QCOMPARE(state_.counterNames[0], QStringLiteral("Anagrafe"));
        QCOMPARE(state_.counterNames[1], QString());
        QCOMPARE(state_.counterNames[2], QStringLiteral("Sportello 3"));
        QCOMPARE(state_.counterNames[6], QString());
        QCOMPARE(state_.counterNames[9], QStringLiteral("Cassa"));
        QVERIFY(dialogs_.messages.isEmpty());
        QVERIFY(dialogs_.screens.isEmpty());
    }

    void aSecondCopyIsStoppedBeforeAnythingElse()
    {
        InstanceGuard first(dir_->filePath(QStringLiteral("totem.lock")));
        QVERIFY(first.tryAcquire());
        makeKz4(QStringLiteral("1"));
        writePercorsi('"' + archives().toUtf8() + '"');

        QCOMPARE(runStartup(), Outcome::EndProgram);
        QCOMPARE(dialogs_.alert(),
                 QStringLiteral("KZ4-Modulo Totem  risulta già in esecuzione sulla macchina !"));
        QVERIFY(state_.archiveFolder.isEmpty());
        QVERIFY(namesAllEmpty());

        first.release();
        dialogs_.messages.clear();
        QCOMPARE(runStartup(), Outcome::ShowConsole);
        QCOMPARE(state_.counterNames[0], QStringLiteral("Uno-1"));
    }

    void aMissingFileAsksForTheFolderAfterTheMessage()
    {
        int messagesWhenShown = -1;
        dialogs_.screenScripts << [&](QDialog &) {
            messagesWhenShown = int(dialogs_.messages.size());
            return int(QDialog::Rejected);
        };
        QCOMPARE(runStartup(), Outcome::ShowConsole);
        QCOMPARE(dialogs_.screens, QStringList{QStringLiteral("ImpoRete")});
        QCOMPARE(messagesWhenShown, 1);
        QCOMPARE(dialogs_.messages[0].kind, Dialogs::Kind::Information);
        QCOMPARE(dialogs_.messages[0].text,
                 QStringLiteral("Percorso Server non impostato o Server non raggiungibile !"));
        QCOMPARE(dialogs_.messages[0].title, QStringLiteral("KZ4 Totem-Messaggio"));
        QVERIFY(state_.archiveFolder.isEmpty());

        // The folder meant to hold the file is gone: the setup, without a message.
        dialogs_ = ScriptedDialogs();
        StartupSequence startup(state_, dialogs_, *guard_);
        startup.setPercorsiPath(dir_->filePath(QStringLiteral("nessuna/percorsiT.txt")));
        QCOMPARE(startup.run(), Outcome::ShowConsole);
        QCOMPARE(dialogs_.screens, QStringList{QStringLiteral("ImpoRete")});
        QVERIFY(dialogs_.messages.isEmpty());
    }

    void anUnreachableArchiveAsksForTheFolderAndEnds()
    {
        writePercorsi('"' + dir_->filePath(QStringLiteral("altrove")).toUtf8() + "\"\r\n");
        QCOMPARE(runStartup(), Outcome::EndProgram);
        QCOMPARE(dialogs_.screens, QStringList{QStringLiteral("ImpoRete")});
        QVERIFY(dialogs_.messages.isEmpty());
        QCOMPARE(state_.archiveFolder, dir_->filePath(QStringLiteral("altrove")));
        QVERIFY(!QFile::exists(dir_->filePath(QStringLiteral("altrove/KZ4.mdb"))));
    }

    void aFileThatIsNotAnArchiveStopsWithoutAWord()
    {
        QFile junk(kz4());
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(2048, '\x7f'));
        junk.close();
        writePercorsi('"' + archives().toUtf8() + '"');
        QCOMPARE(runStartup(), Outcome::ShowConsole);
        QVERIFY(dialogs_.messages.isEmpty());
        QVERIFY(dialogs_.screens.isEmpty());
        QCOMPARE(state_.archiveFolder, archives());
        QVERIFY(namesAllEmpty());
    }

    // Whatever someone leaves in percorsiT.txt, the start ends in a known way: a message, the
    // folder setup, the names read, or (for a file that cannot be read) a quiet stop. An
    // endless file proves the read stops at its limit.
    void spoiledFolderFiles_data()
    {
        QTest::addColumn<QByteArray>("content"); // "<folder>" stands for the archive folder
        QTest::addColumn<QString>("instead");    // "endless", "a folder" or empty: the content
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("says"); // a part of the only message; empty for none

        QByteArray binary(4096, Qt::Uninitialized);
        QRandomGenerator random(20261207);
        random.fillRange(reinterpret_cast<quint32 *>(binary.data()), binary.size() / 4);
        binary[0] = '\0';
        const QByteArray tenMegabytes(10 * 1024 * 1024, 'x');
        const QString empty = QStringLiteral("percorsiT.txt è vuoto");
        // An unreachable folder: the setup screen without a word, then the program ends.
        const QString none;
        QTest::newRow("zero bytes") << QByteArray() << none << Outcome::ShowConsole << empty;
        QTest::newRow("blank line")
            << QByteArray("  \r\n") << none << Outcome::ShowConsole << empty;
        QTest::newRow("binary") << binary << none << Outcome::EndProgram << none;
        QTest::newRow("10 MB on one line") << tenMegabytes << none << Outcome::EndProgram << none;
        QTest::newRow("10 MB after the folder")
            << "\"<folder>\"\r\n" + tenMegabytes << none << Outcome::ShowConsole << none;
        QTest::newRow("no closing quote")
            << QByteArray("\"<folder>\r\n") << none << Outcome::ShowConsole << none;
        QTest::newRow("endless") << QByteArray() << u"endless"_qs << Outcome::EndProgram << none;
        QTest::newRow("a folder") << QByteArray() << u"a folder"_qs << Outcome::ShowConsole << none;
    }

    void spoiledFolderFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, instead);
        QFETCH(Outcome, outcome);
        QFETCH(QString, says);
        makeKz4(QStringLiteral("1"));
        if (instead == u"endless") {
            if (!QFile::link(QStringLiteral("/dev/zero"), percorsi()))
                QSKIP("no endless file on this system");
        } else if (instead == u"a folder") {
            QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("percorsiT.txt")));
        } else {
            // Written even when empty: a missing file is another case.
            writePercorsi(content.replace("<folder>", archives().toUtf8()));
        }

        QCOMPARE(runStartup(), outcome);
        QCOMPARE(dialogs_.messages.size(), says.isEmpty() ? 0 : 1);
        if (!says.isEmpty())
            QVERIFY2(dialogs_.messages[0].text.contains(says),
                     qPrintable(dialogs_.messages[0].text));
        const bool quiet = instead == u"a folder";
        const bool reached = outcome == Outcome::ShowConsole && says.isEmpty() && !quiet;
        QCOMPARE(dialogs_.screens,
                 reached || quiet || !says.isEmpty() ? QStringList() : QStringList{u"ImpoRete"_qs});
        QCOMPARE(state_.counterNames[0], reached ? u"Uno-1"_qs : QString());
        if (!reached)
            QVERIFY(state_.archiveFolder.isEmpty() || outcome == Outcome::EndProgram);
    }

    void aBadLabelSetIsReportedAndTheStateReachedKept_data()
    {
        QTest::addColumn<QString>("labelSet");
        QTest::addColumn<QString>("expected");
        QTest::newRow("not a number") << QStringLiteral("'uno'") << QStringLiteral("qualelayout");
        QTest::newRow("no label table") << QStringLiteral("4") << QStringLiteral("Layout4");
    }

    void aBadLabelSetIsReportedAndTheStateReachedKept()
    {
        QFETCH(QString, labelSet);
        QFETCH(QString, expected);
        makeKz4(labelSet);
        writePercorsi(archives().toUtf8() + "\r\n");
        QCOMPARE(runStartup(), Outcome::ShowConsole);
        QCOMPARE(dialogs_.messages.size(), 1);
        QCOMPARE(dialogs_.messages[0].kind, Dialogs::Kind::Critical);
        QVERIFY2(dialogs_.messages[0].text.contains(expected),
                 qPrintable(dialogs_.messages[0].text));
        QCOMPARE(state_.archiveFolder, archives());
        QVERIFY(namesAllEmpty());
    }
};

QTEST_MAIN(TestStartupSequence)
#include "tst_startupsequence.moc"
