#include "archive/archiveconnection.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "console/gestionetotem.h"
#include "console/instanceguard.h"
#include "console/qttranslation.h"
#include "console/startupsequence.h"
#include "core/kioskstate.h"
#include "frontend/frontend.h"
#include "report/reportengine.h"
#include "report/ticketproject.h"
#include "support/kioskfixture.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Schema = ArchiveSchema;
const QString Totem = ArchivePath::totem();
const QString Kz4 = ArchivePath::kz4();
const QString Monday = Schema::dayTable(1);

// One way an installation's archive may be spoiled: a table gone, a field gone, or a field
// empty in every record. all() walks ArchiveSchema, so a table or field added there is
// damaged too without a test being touched.
struct ArchiveDamage
{
    enum class Kind
    {
        MissingTable,
        MissingField,
        EmptyField
    };
    Kind kind = Kind::MissingTable;
    QString archive, table, field; // no field for a missing table

    static QList<ArchiveDamage> all()
    {
        QList<ArchiveDamage> damages;
        for (const Kind kind : {Kind::MissingTable, Kind::MissingField, Kind::EmptyField}) {
            for (const Schema::Archive &archive : Schema::archives()) {
                for (const Schema::Table &table : archive.tables) {
                    const QStringList fields =
                        kind == Kind::MissingTable ? QStringList{QString()} : table.fieldNames();
                    for (const QString &field : fields)
                        damages << ArchiveDamage{kind, archive.fileName, table.name, field};
                }
            }
        }
        return damages;
    }
    // "Totem.mdb Numerazione.P3 assente", unique among all().
    QString name() const
    {
        return u"%1 %2 %3"_qs.arg(archive, field.isEmpty() ? table : table + u'.' + field,
                                  kind == Kind::EmptyField ? u"vuoto"_qs : u"assente"_qs);
    }
    // What a report of this damage must name: the field, or the table.
    QString subject() const { return field.isEmpty() ? table : field; }
    // In that table (a missing table is in it too).
    bool in(const QString &archiveName, const QString &tableName) const
    {
        return archive.compare(archiveName, Qt::CaseInsensitive) == 0
               && table.compare(tableName, Qt::CaseInsensitive) == 0;
    }
    bool applyTo(const QString &folder) const
    {
        const QString quotedTable = ArchiveConnection::quoted(table);
        const QString quotedField = ArchiveConnection::quoted(field);
        // Renamed rather than dropped: SQLite will not drop the only column of a table, and
        // to the kiosk a field under another name is as missing as a dropped one.
        const QString statement =
            kind == Kind::MissingTable ? u"DROP TABLE %1"_qs.arg(quotedTable)
            : kind == Kind::MissingField
                ? u"ALTER TABLE %1 RENAME COLUMN %2 TO %3"_qs.arg(
                    quotedTable, quotedField, ArchiveConnection::quoted(field + u"_perso"_qs))
                : u"UPDATE %1 SET %2 = NULL"_qs.arg(quotedTable, quotedField);
        // A throwaway copy needs no durability: without the journal's syncs a damage costs
        // microseconds instead of a disk flush, which adds up over every row of every flow.
        return SqliteFile::run(
            QDir(folder).filePath(archive),
            {u"PRAGMA synchronous = OFF"_qs, u"PRAGMA journal_mode = MEMORY"_qs, statement});
    }
};

// What a flow owes the user for a damage: a message naming it, or nothing at all. The public
// screen has a notice of its own and defaults for what it cannot read, so it may do either,
// as long as whatever it says names the damage.
enum class Due
{
    Report,
    Nothing,
    Either
};

Due dueFrom(const QString &flow, const ArchiveDamage &d)
{
    const bool empty = d.kind == ArchiveDamage::Kind::EmptyField;
    const auto reportIf = [](bool report) { return report ? Due::Report : Due::Nothing; };
    if (flow == u"start-up") {
        // Opening configurazione is the reachability test, which fails without a word.
        if (d.in(Kz4, Schema::configurationTable()))
            return reportIf(d.kind != ArchiveDamage::Kind::MissingTable);
        // An empty key is a counter without a label, an empty text an empty name.
        return reportIf(d.in(Kz4, Schema::labelTable(Schema::DefaultLabelSet)) && !empty);
    }
    if (flow == u"PB1(3)")
        return reportIf(d.in(Totem, Schema::initialNumbersTable())
                        || (d.in(Totem, Schema::currentNumbersTable())
                            && d.field != Schema::singleQueueCopyField()));
    if (flow == u"PushButton1")
        // An empty key or name shows in the grid as it is; an empty hour is a table that
        // nobody filled, not "nobody on duty".
        return reportIf((d.in(Kz4, Schema::operatorsTable()) && !empty) || d.in(Totem, Monday));
    if (flow == u"PB1(4)")
        // Empty yes/no values are "no", an empty picture path is no picture.
        return reportIf(
            d.in(Totem, Schema::screenLayoutTable())
            && !(empty
                 && QStringList{u"FontBold"_qs, u"FontItalic"_qs, u"PercorsoImmagine"_qs}.contains(
                     d.field)));
    return Due::Either;
}

} // namespace

Q_DECLARE_METATYPE(ArchiveDamage)

using Outcome = StartupSequence::Outcome;

// The start-up up to the console, and the console: its closing, " Apre Front-End al pubblico"
// in both start modes twice in a row (what reaches the public screen and what is written to
// the archive), the ticket design, and every flow meeting damaged archives.
class TestGestioneTotem : public QObject
{
    Q_OBJECT

private:
    // One office shared by the damaged archives' rows, each on a spoiled copy of it.
    std::unique_ptr<KioskFixture> office_;
    std::unique_ptr<QTemporaryDir> copy_;

    // A copy of the intact installation, spoiled as the row says.
    bool spoil(const ArchiveDamage &damage)
    {
        copy_ = std::make_unique<QTemporaryDir>();
        // Copied by hand: QFile::copy() flushes each file to disk, which adds up over rows.
        for (const QString &archive : {Kz4, ArchivePath::kz4b(), Totem}) {
            if (!put(copy_->filePath(archive), take(office_->archives.path(archive))))
                return false;
        }
        office_->state.archiveFolder = copy_->path();
        office_->dialogs = ScriptedDialogs();
        return damage.applyTo(copy_->path());
    }

    // The start-up's own folder, lock and state, fresh for every test.
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<InstanceGuard> guard_;
    ScriptedDialogs dialogs_;
    KioskState state_;
    bool rootGivenUp_ = false;

    QString archives() const { return dir_->filePath(QStringLiteral("archivi")); }
    QString percorsi() const { return dir_->filePath(QStringLiteral("percorsiT.txt")); }
    QString kz4() const { return archives() + QStringLiteral("/KZ4.mdb"); }

    // A KZ4.mdb with the given qualelayout (an SQL literal) and that label table alone, or
    // Layout1 when it is no number. Counter 10 comes first, so that counter 1 is not read
    // from the record of a name that merely starts like its own.
    void makeKz4(const QString &labelSet)
    {
        const QString table = u"Layout%1"_qs.arg(qMax(labelSet.toInt(), 1));
        QStringList statements{u"CREATE TABLE configurazione(qualelayout LONG)"_qs,
                               u"INSERT INTO configurazione VALUES(%1)"_qs.arg(labelSet),
                               u"CREATE TABLE %1(DescCampo TEXT, Testo TEXT)"_qs.arg(table)};
        for (int i = Office::CounterCount; i >= 1; --i)
            statements << u"INSERT INTO %1 VALUES('Postazione%2', 'Uno-%2')"_qs.arg(table).arg(i);
        QVERIFY(SqliteFile::run(kz4(), statements));
    }

    Outcome runStartup(const QString &percorsiPath = {})
    {
        StartupSequence startup(state_, dialogs_, *guard_);
        startup.setPercorsiPath(percorsiPath.isEmpty() ? percorsi() : percorsiPath);
        return startup.run();
    }

private slots:
    // Qt's own texts (standard buttons, context menus of the editors) in Italian.
    void standardButtonsSpeakItalian()
    {
        if (!QtTranslation::install(*qApp))
            QSKIP("Qt's Italian translation (qt6-translations-l10n) is not installed");
        QCOMPARE(QDialogButtonBox(QDialogButtonBox::Cancel).buttons().value(0)->text(),
                 u"Annulla"_qs);
    }

    // File modes bite only without root: the whole test runs as nobody when it can.
    void initTestCase()
    {
        rootGivenUp_ = KioskFixture::giveUpRoot();
        office_ = std::make_unique<KioskFixture>();
        QVERIFY(office_->isValid());
    }

    void cleanupTestCase() { office_.reset(); }

    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("archivi")));
        guard_ = std::make_unique<InstanceGuard>(dir_->filePath(QStringLiteral("totem.lock")));
        dialogs_ = ScriptedDialogs();
        state_ = KioskState();
    }

    void cleanup() { guard_.reset(); }

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

        const QByteArray line("\"<folder>\"\r\n");
        const QStringList setup{u"ImpoRete"_qs};
        const QStringList none;
        const QStringList names{
            u"ATTENZIONE|I nomi delle postazioni non possono essere letti.\n"_qs};
        const QString one = u"1"_qs;
        QTest::newRow("as written") << line << one << Outcome::ShowConsole << none;
        QTest::newRow("10 MB after the folder")
            << line + QByteArray(10 * 1024 * 1024, 'x') << one << Outcome::ShowConsole << none;
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
        QTest::newRow("blank line")
            << QByteArray("  \r\n") << one << Outcome::ShowConsole
            << QStringList{u"ATTENZIONE|Il file percorsiT.txt è vuoto: il percorso degli archivi "
                           "non è impostato.\nImpostarlo e riavviare il programma."_qs};
        QTest::newRow("archive folder missing")
            << QByteArray("\"<folder>/altrove\"") << one << Outcome::EndProgram << setup;
        QTest::newRow("KZ4.mdb missing") << line << u"none"_qs << Outcome::EndProgram << setup;
        QTest::newRow("not an archive") << line << u"junk"_qs << Outcome::ShowConsole << none;
        QTest::newRow("unreadable") << line << u"unreadable"_qs << Outcome::ShowConsole << none;
        QTest::newRow("label set 3") << line << u"3"_qs << Outcome::ShowConsole << none;
        QTest::newRow("label set not a number")
            << line << u"'uno'"_qs << Outcome::ShowConsole << names;
    }

    void start()
    {
        QFETCH(QByteArray, percorsi);
        QFETCH(QString, kz4);
        QFETCH(Outcome, outcome);
        QFETCH(QStringList, shown);
        if (kz4 == u"junk")
            QVERIFY(put(this->kz4(), QByteArray(2048, '\x7f')));
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
                             && !percorsi.startsWith('<') && (kz4 == u"1" || kz4 == u"3");
        QCOMPARE(state_.counterNames[0], reached ? u"Uno-1"_qs : QString());
    }

    // By its access key Alt+H, which clicks the button.
    void closingTheConsoleEndsTheProgram()
    {
        KioskFixture office;
        GestioneTotem console(office.state, office.dialogs, office.clock);
        console.show();
        console.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&console));
        QTest::keyClick(&console, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(!console.isVisible());
        // Being the last window that quits on close is what ends the program.
        QVERIFY(console.testAttribute(Qt::WA_QuitOnClose));
    }

    void opening_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("initial");
        QTest::newRow("initial numbering") << u"RadioButton1(0)"_qs << true;
        QTest::newRow("current numbering") << u"RadioButton1(1)"_qs << false;
    }

    void opening()
    {
        QFETCH(QString, mode);
        QFETCH(bool, initial);
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        KioskFixture office;
        QVERIFY(office.isValid());
        office.clock.current = QDateTime(QDate(2026, 12, 4), QTime(9, 5));
        QStringList current{u"P11Q = 7"_qs};
        QStringList initialNumbers;
        for (int line = 1; line <= Office::LineCount; ++line) {
            current << u"P%1 = %2"_qs.arg(line).arg(line * 10);
            initialNumbers << u"P%1 = %2"_qs.arg(line + 10).arg(line * 1000);
        }
        QVERIFY(office.archives.run(
            u"Totem.mdb"_qs, {u"UPDATE Numerazione SET "_qs + current.join(u','),
                              u"UPDATE NumerazioneIniziale SET "_qs + initialNumbers.join(u',')}));
        const auto stored = [&](const QString &field) {
            return office.archives.firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, field);
        };

        GestioneTotem console(office.state, office.dialogs, office.clock);
        named<QRadioButton>(console, mode)->click();
        for (int round = 1; round <= 2; ++round) {
            std::array<qint32, Office::LineCount> expected{};
            for (int line = 1; line <= Office::LineCount; ++line)
                expected[line - 1] = initial ? line * 1000 : stored(u"P%1"_qs.arg(line)).toInt();
            const QStringList untouched{stored(u"P11"_qs), stored(u"P11Q"_qs)};
            office.dialogs.screenScripts << [](QDialog &) { return int(QDialog::Accepted); };
            named<QPushButton>(console, u"PB1(1)"_qs)->click();
            QCOMPARE(office.state.startingNumbers, expected);
            // Only the initial start writes, and only the single queue's two fields.
            QCOMPARE(stored(u"P5"_qs), u"50"_qs);
            const QStringList singleQueue{stored(u"P11"_qs), stored(u"P11Q"_qs)};
            QCOMPARE(singleQueue, initial ? QStringList(2, u"11000"_qs) : untouched);
            // Meanwhile the day goes on: the next opening reloads.
            QVERIFY(office.archives.run(u"Totem.mdb"_qs,
                                        {u"UPDATE Numerazione SET P11 = 11005, P11Q = 0"_qs}));
        }
        QCOMPARE(office.dialogs.screens, QStringList(2, u"FrontEnd"_qs));
        QVERIFY(office.dialogs.messages.isEmpty());
    }

    // "Impostazione Stampa": the ticket record's columns declared to the engine with their
    // values, then the designer on Ticket.lbl. The ticket project is a file others may have
    // spoiled: the console tells why in Italian and leaves the file for the administrator to
    // mend, or opens the designer on it.
    void theLastTicketIsTheSampleAnEmptyTableTheNamesAloneAMissingArchiveTold()
    {
        QLocale::setDefault(QLocale::c());
        KioskFixture office;
        QVERIFY(office.isValid());
        QVERIFY(
            office.archives.run(u"Totem.mdb"_qs, {u"UPDATE DatiDaStampare SET Titolo = 'Comune', "
                                                  "NumeroDaStampare = 42, QualeUtente = NULL"_qs}));
        GestioneTotem console(office.state, office.dialogs, office.clock);
        QString title;
        const auto press = [&] {
            QList<DataItem> items;
            office.dialogs.screenScripts << [&](QDialog &designer) {
                title = designer.windowTitle();
                items = named<ReportEngine>(console, u"LL9"_qs)->dataItems();
                return int(QDialog::Rejected);
            };
            named<QPushButton>(console, u"PB1(2)"_qs)->click();
            office.dialogs.screenScripts.clear();
            return items;
        };

        const QList<DataItem> first = press();
        QCOMPARE(title, u"Impostazione Modulo"_qs);
        QCOMPARE(first.size(), 7);
        QCOMPARE(first.mid(0, 3),
                 (QList<DataItem>{{u"ID"_qs, u"1"_qs, DataItem::Number},
                                  {u"Titolo"_qs, u"Comune"_qs, DataItem::Text},
                                  {u"QualeUtente"_qs, QString(), DataItem::Text}}));
        QCOMPARE(first.at(6), (DataItem{u"NumeroDaStampare"_qs, u"42"_qs, DataItem::Number}));
        // A second press declares the same items over a cleared list.
        QCOMPARE(press(), first);

        // Emptied, the table offers the names alone: nothing is left of the last press.
        QVERIFY(office.archives.run(u"Totem.mdb"_qs, {u"DELETE FROM DatiDaStampare"_qs}));
        const QList<DataItem> empty = press();
        QCOMPARE(empty.size(), first.size());
        for (int i = 0; i < first.size(); ++i)
            QCOMPARE(empty.at(i), (DataItem{first.at(i).name, QString(), DataItem::Text}));

        QVERIFY(office.archives.remove(u"Totem.mdb"_qs));
        QCOMPARE(press(), QList<DataItem>());
        QVERIFY2(office.dialogs.alert().contains(u"Totem.mdb"_qs),
                 qPrintable(office.dialogs.alert()));
        QCOMPARE(office.dialogs.screens, QStringList(3, u"TicketDesigner"_qs));
    }

    void ticketDesign_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("says"); // empty: the designer opens

        TicketProject unknown = TicketProject::defaultTicket();
        unknown.items[1].text = QStringLiteral("Sportello {Sconosciuto}");
        const QByteArray good = unknown.toJson();
        QByteArray newer = good;
        newer.replace("\"version\": 1", "\"version\": 2");

        QTest::newRow("empty") << QByteArray() << u"è vuoto"_qs;
        QTest::newRow("truncated") << good.left(good.size() / 2) << u"non è un file JSON valido"_qs;
        QTest::newRow("newer version") << newer << u"versione più recente del programma"_qs;
        // A name no data item has is offered all the same, so that it can be mended.
        QTest::newRow("unknown data item") << good << QString();
    }

    void ticketDesign()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, says);
        KioskFixture office;
        QVERIFY(office.isValid());
        QVERIFY(put(TicketProject::defaultFileName(), content));
        QStringList offered;
        const QString shown = office.openFromConsole(u"PB1(2)"_qs, [&](QDialog &designer) {
            const auto *names = named<QComboBox>(designer, u"dataItems"_qs);
            for (int i = 0; names && i < names->count(); ++i)
                offered << names->itemText(i);
        });
        if (says.isEmpty()) {
            QCOMPARE(shown, u"TicketDesigner"_qs);
            QVERIFY2(offered.contains(u"Sconosciuto"_qs), qPrintable(offered.join(u',')));
        } else {
            QCOMPARE(shown, QString());
            QVERIFY2(office.dialogs.alert().contains(says), qPrintable(office.dialogs.alert()));
            QCOMPARE(take(TicketProject::defaultFileName()), content);
        }
    }

    // Every table missing in turn, every field missing in turn, every field empty in every
    // record, against each flow that reads the archives: none crashes, each says what it owes
    // (naming the damage) and nothing else, and every screen stays usable.
    void eachFlowMeetsEachDamage_data()
    {
        QTest::addColumn<QString>("flow"); // a console button, or the start-up
        QTest::addColumn<ArchiveDamage>("damage");
        for (const QString &flow :
             {u"start-up"_qs, u"PB1(1)"_qs, u"PB1(3)"_qs, u"PushButton1"_qs, u"PB1(4)"_qs}) {
            for (const ArchiveDamage &damage : ArchiveDamage::all())
                QTest::addRow("%s: %s", qPrintable(flow), qPrintable(damage.name()))
                    << flow << damage;
        }
    }

    void eachFlowMeetsEachDamage()
    {
        QFETCH(QString, flow);
        QFETCH(ArchiveDamage, damage);
        if (office_->archives.onServer())
            QSKIP("the damages are made on copies of the files");
        QVERIFY(spoil(damage));
        KioskFixture &office = *office_;

        bool screenUsable = true;
        QString shown;
        if (flow == u"start-up") {
            // The console comes up in every case, with whatever was read.
            QCOMPARE(office.startUp(), StartupSequence::Outcome::ShowConsole);
            QVERIFY(office.dialogs.screens.isEmpty());
        } else {
            shown = office.openFromConsole(flow, [&](QDialog &screen) {
                screenUsable = screen.isEnabled();
                if (auto *frontEnd = qobject_cast<FrontEnd *>(&screen)) {
                    frontEnd->activate();
                    frontEnd->waitForArchiveWork();
                    frontEnd->onClockTick();
                    frontEnd->onHourTest();
                    frontEnd->onServedRefresh();
                    office.press(*frontEnd, KioskFixture::StaffedCounter);
                }
            });
            QVERIFY(shown != u"<console disabled>");
            QVERIFY(screenUsable);
        }

        const Due due = dueFrom(flow, damage);
        const QString said = office.dialogs.messageTexts().join(u'\n');
        if (due == Due::Nothing)
            QVERIFY2(said.isEmpty(), qPrintable(said));
        else if (due == Due::Report || !said.isEmpty())
            QVERIFY2(said.contains(damage.subject(), Qt::CaseInsensitive)
                         || said.contains(u"Nessun dato da stampare"_qs),
                     qPrintable(said));
        // Without its table the designer is not shown: saving its own arrangement would
        // overwrite the stored one.
        if (flow == u"PB1(4)" && damage.in(Totem, Schema::screenLayoutTable())
            && damage.kind == ArchiveDamage::Kind::MissingTable)
            QCOMPARE(shown, QString());
        else if (flow != u"start-up" && flow != u"PB1(1)")
            QVERIFY(!shown.isEmpty());
    }
};

QTEST_MAIN(TestGestioneTotem)
#include "tst_gestionetotem.moc"
