#include "console/gestionetotem.h"
#include "designer/designerloader.h"
#include "designer/layout1.h"
#include "frontend/frontend.h"
#include "numbering/impostazione.h"
#include "schedule/palinsesto.h"
#include "support/kioskfixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

namespace {

using Fault = KioskFixture::Fault;
// Every row of every table of the three archives, as text, by "archive/table".
using Snapshot = QMap<QString, QStringList>;

const QStringList archiveFiles{u"Totem.mdb"_qs, u"KZ4.mdb"_qs, u"KZ4B.mdb"_qs};

// Read with bare SQLite, past the program's own layer, so that what it left behind is
// judged by the files themselves.
Snapshot snapshot(const QString &folder)
{
    Snapshot all;
    for (const QString &archive : archiveFiles) {
        const QString path = QDir(folder).filePath(archive);
        for (const QString &table :
             SqliteFile::rows(path, u"SELECT name FROM sqlite_master WHERE type = 'table'"_qs))
            all[archive + u'/' + table] = SqliteFile::rows(
                path, u"SELECT * FROM \"%1\" ORDER BY rowid"_qs.arg(table.section(u':', 1)));
    }
    return all;
}

// The rows of `now` that are neither as they were nor as the action leaves them.
QStringList tornRows(const Snapshot &now, const Snapshot &before, const Snapshot &after)
{
    QStringList torn;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        for (int row = 0; row < it->size(); ++row) {
            if (it->size() != before.value(it.key()).size()
                || (it->at(row) != before.value(it.key()).at(row)
                    && it->at(row) != after.value(it.key()).value(row)))
                torn << it.key() + u' ' + it->at(row);
        }
    }
    return torn;
}

// One action of the program on its screen: perform() is true when it went through.
struct Action
{
    std::shared_ptr<QWidget> screen;
    std::function<bool()> perform;
    bool writes = true;
};

Action prepare(KioskFixture &office, const QString &name)
{
    Action action;
    using Done = bool (*)(const ScriptedDialogs &, qsizetype told, qsizetype shown);
    const auto pressing = [&](const QString &button, Done done) {
        action.perform = [&office, button, done, screen = action.screen.get()] {
            const qsizetype told = office.dialogs.messages.size();
            const qsizetype shown = office.dialogs.screens.size();
            named<QPushButton>(*screen, button)->click();
            return done(office.dialogs, told, shown);
        };
    };
    const Done confirmed = [](const ScriptedDialogs &d, qsizetype told, qsizetype) {
        return d.messages.size() > told && d.messages.last().title == u"Conferma"_qs;
    };
    const Done screenShown = [](const ScriptedDialogs &d, qsizetype, qsizetype shown) {
        return d.screens.size() > shown;
    };
    if (name == u"ticket press") {
        auto screen = std::make_shared<FrontEnd>(office.state, office.dialogs, office.clock);
        screen->activate();
        screen->waitForArchiveWork();
        action.screen = screen;
        action.perform = [&office, screen = screen.get()] {
            return office.press(*screen, Office::LineCount);
        };
    } else if (name.startsWith(u"numbering")) {
        action.screen = std::make_shared<Impostazione>(office.state, office.dialogs);
        for (int i = 0; i <= 22; ++i) {
            if (auto *box = named<QLineEdit>(*action.screen, u"Modifnr(%1)"_qs.arg(i)))
                box->setText(QString::number(100 + 7 * i));
        }
        // The reset asks first, on each try.
        office.dialogs.answers << Dialogs::Answer::Yes << Dialogs::Answer::Yes;
        pressing(name.section(u' ', 1), confirmed);
    } else if (name == u"schedule save") {
        action.screen = std::make_shared<Palinsesto>(office.state, office.dialogs);
        // A cell in every counter's row, so that a save broken halfway shows in the rows.
        for (int row = 1; row <= Office::CounterCount; ++row)
            emit named<QTableWidget>(*action.screen, u"Grid1"_qs)->cellClicked(row, row % 5 + 1);
        pressing(u"PB1(1)"_qs, [](const ScriptedDialogs &d, qsizetype told, qsizetype) {
            return d.messages.size() == told;
        });
    } else if (name == u"layout save") {
        auto screen = std::make_shared<Layout1>(office.state, office.dialogs);
        DesignerLoader::load(*screen, office.folder(), nullptr);
        named<QPushButton>(*screen, u"BTn(2)"_qs)->click(); // the title hidden
        action.screen = screen;
        pressing(u"BTn(4)"_qs, screenShown);
    } else {
        // The single queue starts elsewhere than where it stands, so starting writes.
        office.archives.run(u"Totem.mdb"_qs, {u"UPDATE NumerazioneIniziale SET P21 = 500"_qs});
        action.screen = std::make_shared<GestioneTotem>(office.state, office.dialogs, office.clock);
        action.writes = name.endsWith(u"initial");
        named<QRadioButton>(*action.screen, u"RadioButton1(%1)"_qs.arg(action.writes ? 0 : 1))
            ->setChecked(true);
        // A layout that cannot be read leaves the screen's own look: it opens anyway.
        pressing(u"PB1(1)"_qs, screenShown);
    }
    return action;
}

} // namespace

// The archive folder breaks before any opening of an archive by an action that writes: the
// user is told why in Italian, the screen stays usable, and the archives hold, row by row,
// what they held before or what the action writes; never a torn or corrupt file. Once the
// folder is back, the same screen carries the action out in full.
class TestArchiveFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!KioskFixture::giveUpRoot())
            QSKIP("cannot give up root, so a read-only folder would not stop a write");
    }

    void everyOpeningBroken_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("cause"); // what the user reads, whatever it broke
        const QStringList causes{u"Archivio non raggiungibile"_qs, u"non può essere scritto"_qs,
                                 u"non è un archivio valido"_qs};
        for (const QString &action :
             {u"ticket press"_qs, u"numbering Na1(3)"_qs, u"numbering Salvain"_qs,
              u"numbering PB1(1)"_qs, u"schedule save"_qs, u"layout save"_qs,
              u"day start initial"_qs, u"day start current"_qs}) {
            for (int kind = 0; kind < int(causes.size()); ++kind)
                QTest::addRow("%s: %s", qPrintable(action), qPrintable(causes[kind]))
                    << action << kind << causes[kind];
        }
    }

    void everyOpeningBroken()
    {
        QFETCH(QString, action);
        QFETCH(int, kind);
        QFETCH(QString, cause);
        Snapshot before;
        Snapshot after;
        QStringList openings;
        {
            KioskFixture office;
            QVERIFY(office.isValid());
            const Action clean = prepare(office, action);
            before = snapshot(office.folder());
            office.breakBefore(Fault::FolderRemoved);
            QVERIFY2(clean.perform(), qPrintable(office.dialogs.messageTexts().join(u'\n')));
            openings = office.opened();
            after = snapshot(office.folder());
            QVERIFY(after != before || !clean.writes);
        }

        for (int step = 0; step < openings.size(); ++step) {
            KioskFixture office;
            const Action broken = prepare(office, action);
            const qsizetype told = office.dialogs.messages.size();
            office.breakBefore(Fault(kind), step);
            const bool done = broken.perform();
            QVERIFY(office.struck());
            office.repair();
            const QString said = office.dialogs.messageTexts().mid(told).join(u'\n');
            const QString where = u"before opening %1 (%2 of %3), told: %4"_qs.arg(
                openings[step], QString::number(step + 1), QString::number(openings.size()), said);
            // Where the fault must break an operation still ahead, the action cannot go
            // through; the day's start alone may do without the layout.
            const bool mustFail = (Fault(kind) == Fault::ReadOnly && broken.writes && step == 0)
                                  || (!action.startsWith(u"day start")
                                      && (Fault(kind) == Fault::FolderRemoved
                                          || (Fault(kind) == Fault::NotAnArchive
                                              && openings.mid(step).contains(u"Totem.mdb"_qs))));
            QVERIFY2(!(mustFail && done), qPrintable(where));
            QVERIFY2(said.contains(cause) || (done && said.isEmpty()), qPrintable(where));
            QVERIFY(broken.screen->isEnabled());

            for (const QString &archive : archiveFiles)
                QCOMPARE(SqliteFile::integrity(QDir(office.folder()).filePath(archive)), u"ok"_qs);
            const Snapshot now = snapshot(office.folder());
            QCOMPARE(tornRows(now, before, after), QStringList());
            // Refused without a word of anything saved: nothing may have been saved.
            static const QRegularExpression partly(u"si è interrotto|per intero|sarà corretta"_qs);
            if (done)
                QVERIFY2(now == after, qPrintable(where));
            else
                QVERIFY2(now == before || said.contains(partly), qPrintable(where));
            QVERIFY2(done || office.printed().isEmpty(), qPrintable(where));

            // The folder is back: the same screen does it all, and a ticket printed now is
            // numbered as if nothing had happened.
            QVERIFY2(done || broken.perform(), qPrintable(where));
            QVERIFY2(snapshot(office.folder()) == after, qPrintable(where));
            static const QRegularExpression firstTicket(u"-0*1\\.pdf$"_qs);
            QCOMPARE(office.printed().filter(firstTicket), office.printed());
            QVERIFY(office.printed().size() <= 1);
        }
    }
};

QTEST_MAIN(TestArchiveFaults)
#include "tst_archivefaults.moc"
