#include "console/instanceguard.h"
#include "console/startupsequence.h"
#include "core/kioskstate.h"
#include "support/kioskfixture.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSysInfo>
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
    bool rootGivenUp_ = false;

    QString archives() const { return dir_->filePath(QStringLiteral("archivi")); }
    QString percorsi() const { return dir_->filePath(QStringLiteral("percorsiT.txt")); }
    QString kz4() const { return archives() + QStringLiteral("/KZ4.mdb"); }

    // A KZ4.mdb with the given qualelayout (an SQL literal) and the label table Layout1.
    void makeKz4(const QString &labelSet, const QStringList &more = {})
    {
        QStringList statements{u"CREATE TABLE configurazione(qualelayout LONG)"_qs,
                               u"INSERT INTO configurazione VALUES(%1)"_qs.arg(labelSet),
                               u"CREATE TABLE Layout1(DescCampo TEXT, Testo TEXT)"_qs};
        for (int i = 1; i <= Office::CounterCount; ++i)
            statements << u"INSERT INTO Layout1 VALUES('Postazione%1', 'Uno-%1')"_qs.arg(i);
        QVERIFY(SqliteFile::run(kz4(), statements + more));
    }

    Outcome runStartup(const QString &percorsiPath = {})
    {
        StartupSequence startup(state_, dialogs_, *guard_);
        startup.setPercorsiPath(percorsiPath.isEmpty() ? percorsi() : percorsiPath);
        return startup.run();
    }

private slots:
    // File modes bite only without root: the whole test runs as nobody when it can.
    void initTestCase() { rootGivenUp_ = KioskFixture::giveUpRoot(); }

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
        QStringList labels{u"CREATE TABLE Layout3(DescCampo TEXT, Testo TEXT)"_qs,
                           u"INSERT INTO Layout3 VALUES('Postazione10', 'Cassa')"_qs,
                           u"INSERT INTO Layout3 VALUES('Postazione1', 'Anagrafe')"_qs,
                           u"INSERT INTO Layout3 VALUES('Postazione2', NULL)"_qs};
        for (int i : {3, 4, 5, 6, 8, 9}) // counter 7 has no label record
            labels << u"INSERT INTO Layout3 VALUES('Postazione%1', 'Sportello %1')"_qs.arg(i);
        makeKz4(u"3"_qs, labels);
        QVERIFY(put(percorsi(), '"' + archives().toUtf8() + "\"\r\n"));

        QCOMPARE(runStartup(), Outcome::ShowConsole);
        QCOMPARE(state_.archiveFolder, archives());
        const QStringList names(state_.counterNames.begin(), state_.counterNames.end());
        QCOMPARE(names.join(u','), u"Anagrafe,,Sportello 3,Sportello 4,Sportello 5,Sportello 6,,"
                                   "Sportello 8,Sportello 9,Cassa"_qs);
        QVERIFY(dialogs_.messages.isEmpty() && dialogs_.screens.isEmpty());
    }

    void aSecondCopyIsStoppedButNotACrashedOne()
    {
        const QString lock = dir_->filePath(u"totem.lock"_qs);
        InstanceGuard first(lock);
        QVERIFY(first.tryAcquire());
        QVERIFY(first.tryAcquire()); // asking again is no second copy
        makeKz4(u"1"_qs);
        QVERIFY(put(percorsi(), '"' + archives().toUtf8() + '"'));
        QCOMPARE(runStartup(), Outcome::EndProgram);
        QCOMPARE(dialogs_.alert(),
                 u"KZ4-Modulo Totem  risulta già in esecuzione sulla macchina !"_qs);
        QVERIFY(state_.archiveFolder.isEmpty() && state_.counterNames[0].isEmpty());

        // A lock written by a process that is gone, as a killed kiosk leaves it.
        first.release();
        QProcess gone;
        gone.start(u"true"_qs, {});
        QVERIFY(gone.waitForStarted());
        const QByteArray pid = QByteArray::number(gone.processId());
        QVERIFY(gone.waitForFinished());
        QVERIFY(put(lock, pid + "\ntotem\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
        QCOMPARE(runStartup(), Outcome::ShowConsole);
        QCOMPARE(state_.counterNames[0], u"Uno-1"_qs);
    }

    // Whatever stands in percorsiT.txt and where KZ4.mdb should be, the start ends in a known
    // way. Only a path that leads to no archive file is unreachable (the folder setup, then
    // the end); any other failure to open it stops the start without a word.
    void start_data()
    {
        QTest::addColumn<QByteArray>("percorsi"); // "<folder>": the archive folder
        QTest::addColumn<QString>("kz4");         // qualelayout as SQL, or what KZ4.mdb is
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QStringList>("shown"); // title|text of each message, screens by name

        QByteArray binary(4096, Qt::Uninitialized);
        QRandomGenerator(20261207).fillRange(reinterpret_cast<quint32 *>(binary.data()),
                                             binary.size() / 4);
        binary[0] = '\0';
        const QByteArray line("\"<folder>\"\r\n");
        const QStringList setup{u"ImpoRete"_qs};
        const QStringList none;
        const QStringList names{
            u"ATTENZIONE|I nomi delle postazioni non possono essere letti.\n"_qs};
        const QString one = u"1"_qs;
        QTest::newRow("as written") << line << one << Outcome::ShowConsole << none;
        QTest::newRow("10 MB after the folder")
            << line + QByteArray(10 * 1024 * 1024, 'x') << one << Outcome::ShowConsole << none;
        QTest::newRow("no closing quote")
            << QByteArray("\"<folder>\r\n") << one << Outcome::ShowConsole << none;
        QTest::newRow("no file") << QByteArray("<none>") << one << Outcome::ShowConsole
                                 << QStringList{
                                        u"KZ4 Totem-Messaggio|Percorso Server non impostato "
                                        "o Server non raggiungibile !"_qs,
                                        u"ImpoRete"_qs};
        QTest::newRow("its folder missing")
            << QByteArray("<no folder>") << one << Outcome::ShowConsole << setup;
        QTest::newRow("a folder") << QByteArray("<a folder>") << one << Outcome::ShowConsole
                                  << none;
        QTest::newRow("endless") << QByteArray("<endless>") << one << Outcome::EndProgram << setup;
        QTest::newRow("binary") << binary << one << Outcome::EndProgram << setup;
        QTest::newRow("blank line")
            << QByteArray("  \r\n") << one << Outcome::ShowConsole
            << QStringList{u"ATTENZIONE|Il file percorsiT.txt è vuoto: il percorso degli archivi "
                           "non è impostato.\nImpostarlo e riavviare il programma."_qs};
        QTest::newRow("archive folder missing")
            << QByteArray("\"<folder>/altrove\"") << one << Outcome::EndProgram << setup;
        QTest::newRow("KZ4.mdb missing") << line << u"none"_qs << Outcome::EndProgram << setup;
        QTest::newRow("not an archive") << line << u"junk"_qs << Outcome::ShowConsole << none;
        QTest::newRow("unreadable") << line << u"unreadable"_qs << Outcome::ShowConsole << none;
        QTest::newRow("no configurazione")
            << line << u"no table"_qs << Outcome::ShowConsole << none;
        QTest::newRow("label set not a number")
            << line << u"'uno'"_qs << Outcome::ShowConsole << names;
        QTest::newRow("no label table") << line << u"4"_qs << Outcome::ShowConsole << names;
    }

    void start()
    {
        QFETCH(QByteArray, percorsi);
        QFETCH(QString, kz4);
        QFETCH(Outcome, outcome);
        QFETCH(QStringList, shown);
        if (kz4 == u"junk")
            QVERIFY(put(this->kz4(), QByteArray(2048, '\x7f')));
        else if (kz4 == u"no table")
            QVERIFY(SqliteFile::run(this->kz4(), {u"CREATE TABLE altro(x)"_qs}));
        else if (kz4 != u"none")
            makeKz4(kz4 == u"unreadable" ? u"1"_qs : kz4);
        if (kz4 == u"unreadable") {
            QVERIFY(QFile::setPermissions(this->kz4(), QFile::WriteOwner));
            if (QFile probe(this->kz4()); !rootGivenUp_ || probe.open(QIODevice::ReadOnly))
                QSKIP("this user reads unreadable files (root?)");
        }
        QString path = this->percorsi();
        if (percorsi == "<endless>" && !QFile::link(u"/dev/zero"_qs, path))
            QSKIP("no endless file on this system");
        else if (percorsi == "<a folder>")
            QVERIFY(QDir(dir_->path()).mkdir(u"percorsiT.txt"_qs));
        else if (percorsi == "<no folder>")
            path = dir_->filePath(u"nessuna/percorsiT.txt"_qs);
        else if (!percorsi.startsWith('<'))
            QVERIFY(put(path, percorsi.replace("<folder>", archives().toUtf8())));
        QStringList seen;
        dialogs_.screenScripts << [&](QDialog &screen) {
            seen << dialogs_.messageTexts() << screen.objectName();
            return int(QDialog::Rejected);
        };

        QCOMPARE(runStartup(path), outcome);
        if (seen.isEmpty())
            seen = dialogs_.messageTexts();
        for (int i = 0; i < dialogs_.messages.size(); ++i)
            seen[i].prepend(dialogs_.messages[i].title + u'|');
        QCOMPARE(seen.size(), shown.size());
        for (int i = 0; i < shown.size(); ++i)
            QVERIFY2(seen[i].startsWith(shown[i]), qPrintable(seen[i]));
        const bool reached = outcome == Outcome::ShowConsole && shown.isEmpty()
                             && !percorsi.startsWith('<') && kz4 == u"1";
        QCOMPARE(state_.counterNames[0], reached ? u"Uno-1"_qs : QString());
    }
};

QTEST_MAIN(TestStartupSequence)
#include "tst_startupsequence.moc"
