#include "archive/archiveschema.h"
#include "console/gestionetotem.h"
#include "core/kioskstate.h"
#include "designer/designerloader.h"
#include "designer/layout1.h"
#include "frontend/frontend.h"
#include "numbering/impostazione.h"
#include "report/ticketproject.h"
#include "schedule/palinsesto.h"
#include "support/archivefault.h"
#include "support/archivefixture.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"
#include "support/sqlitefile.h"

#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>
#include <QtTest>

#include <algorithm>

namespace {

using Kind = ArchiveFault::Kind;
// Every row of every table of the three archives, as text, by "archive/table".
using Snapshot = QMap<QString, QList<QStringList>>;

const QStringList archiveFiles = {QStringLiteral("Totem.mdb"), QStringLiteral("KZ4.mdb"),
                                  QStringLiteral("KZ4B.mdb")};

// What the user reads when the folder breaks, whichever operation it broke.
QString causeOf(Kind kind)
{
    switch (kind) {
    case Kind::FolderRemoved:
        return QStringLiteral("Archivio non raggiungibile");
    case Kind::ReadOnly:
        return QStringLiteral("non può essere scritto");
    case Kind::NotAnArchive:
        return QStringLiteral("non è un archivio valido");
    }
    return {};
}

// Read with bare SQLite, past the program's own layer, so that what it left behind is
// judged by the file itself.
template <typename Visit> bool readArchives(const QString &folder, Visit visit)
{
    bool ok = true;
    for (const QString &archive : archiveFiles) {
        const QString name = QStringLiteral("fault-check");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QDir(folder).filePath(archive));
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            ok = db.open() && visit(archive, db) && ok;
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    return ok;
}

bool intact(const QString &folder)
{
    return std::all_of(archiveFiles.cbegin(), archiveFiles.cend(), [&](const QString &archive) {
        return SqliteFile::integrity(QDir(folder).filePath(archive)) == QStringLiteral("ok");
    });
}

Snapshot snapshot(const QString &folder)
{
    Snapshot all;
    readArchives(folder, [&](const QString &archive, QSqlDatabase &db) {
        for (const QString &table : db.tables()) {
            QSqlQuery rows(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table), db);
            QList<QStringList> &stored = all[archive + u'/' + table];
            while (rows.next()) {
                QStringList values;
                for (int i = 0; i < rows.record().count(); ++i)
                    values << (rows.isNull(i) ? QStringLiteral("<null>")
                                              : rows.value(i).toString());
                stored << values;
            }
        }
        return true;
    });
    return all;
}

// The rows of `now` that are neither as they were nor as the action leaves them.
QStringList tornRows(const Snapshot &now, const Snapshot &before, const Snapshot &after)
{
    QStringList torn;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        const QList<QStringList> &was = before.value(it.key());
        const QList<QStringList> &will = after.value(it.key());
        if (it->size() != was.size()) {
            torn << it.key() + QStringLiteral(": row count");
            continue;
        }
        for (int row = 0; row < it->size(); ++row) {
            if (it->at(row) != was.at(row) && it->at(row) != will.value(row))
                torn << QStringLiteral("%1 row %2: %3")
                            .arg(it.key())
                            .arg(row)
                            .arg(it->at(row).join(u'|'));
        }
    }
    return torn;
}

// A fresh office for one run: archives, a ticket project printing to a PDF folder, and
// the dialogs that record what the user was told.
struct Kiosk
{
    ArchiveFixture archives;
    QTemporaryDir work;
    KioskState state;
    ScriptedDialogs dialogs;
    ManualClock clock{QDateTime(QDate(2026, 12, 7), QTime(9, 40))};

    Kiosk()
    {
        state.archiveFolder = archives.folder();
        archives.addOperator(5, QStringLiteral("Rossi Anna"));
        QDir(work.path()).mkdir(QStringLiteral("tickets"));
        TicketProject::defaultTicket(TicketProject::pdfPrefix() + tickets())
            .save(work.filePath(TicketProject::defaultFileName()));
    }
    QString tickets() const { return work.filePath(QStringLiteral("tickets")); }
    QStringList printed() const
    {
        return QDir(tickets()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    }
};

// One action of the program, ready to be carried out on its screen.
struct Action
{
    std::function<bool()> perform; // true when it went through
    QPointer<QWidget> screen;
    std::shared_ptr<QObject> owner;
    bool writes = true;
    // False when the action goes on without some of its readings (with defaults).
    bool everyStepNeeded = true;
};
using ActionMaker = std::function<Action(Kiosk &)>;

template <typename Screen>
Action actionOn(std::shared_ptr<Screen> screen, std::function<bool()> perform)
{
    Action action;
    action.screen = screen.get();
    action.owner = std::move(screen);
    action.perform = std::move(perform);
    return action;
}

template <typename T> T *named(QObject &parent, const QString &name)
{
    return parent.findChild<T *>(name);
}

bool confirmed(const ScriptedDialogs &dialogs, qsizetype from)
{
    return dialogs.messages.size() > from
           && dialogs.messages.last().title == QStringLiteral("Conferma");
}

} // namespace

// The archive folder breaks between any two operations of an action that writes: the user
// is told why in Italian, the screen stays usable, and the archives hold, row by row,
// either what they held before or what the action writes; never a torn or corrupt file.
// Once the folder is back, the same screen carries the action out in full.
class TestArchiveFaults : public QObject
{
    Q_OBJECT

private:
    void runEveryFault(const ActionMaker &make);

private slots:
    void initTestCase()
    {
        if (!ArchiveFault::runWithoutRoot())
            QSKIP("cannot give up root, so a read-only folder would not stop a write");
    }

    void ticketPress()
    {
        runEveryFault([](Kiosk &office) {
            auto screen = std::make_shared<FrontEnd>(office.state, office.dialogs, office.clock);
            screen->activate();
            QDir::setCurrent(office.work.path());
            return actionOn(screen, [&office, button = named<QPushButton>(*screen, u"PB1(10)"_qs)] {
                const qsizetype before = office.printed().size();
                button->click();
                return office.printed().size() > before;
            });
        });
    }

    void numberingSaves_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("asksFirst");
        QTest::newRow("current number of a line") << u"Na1(3)"_qs << false;
        QTest::newRow("initial numbering") << u"Salvain"_qs << false;
        QTest::newRow("back to the initial numbering") << u"PB1(1)"_qs << true;
    }
    void numberingSaves()
    {
        QFETCH(QString, button);
        QFETCH(bool, asksFirst);
        runEveryFault([&](Kiosk &office) {
            auto screen = std::make_shared<Impostazione>(office.state, office.dialogs);
            for (int i = 0; i <= 22; ++i) {
                if (auto *box = named<QLineEdit>(*screen, QStringLiteral("Modifnr(%1)").arg(i)))
                    box->setText(QString::number(100 + 7 * i));
            }
            return actionOn(screen,
                            [&office, asksFirst, press = named<QPushButton>(*screen, button)] {
                                if (asksFirst)
                                    office.dialogs.answers << Dialogs::Answer::Yes;
                                const qsizetype from = office.dialogs.messages.size();
                                press->click();
                                return confirmed(office.dialogs, from);
                            });
        });
    }

    void scheduleSave()
    {
        runEveryFault([](Kiosk &office) {
            auto screen = std::make_shared<Palinsesto>(office.state, office.dialogs);
            // A cell in every counter's row, so that a save broken halfway shows in the rows.
            auto *grid = named<QTableWidget>(*screen, u"Grid1"_qs);
            for (int row = 1; row <= 10; ++row)
                emit grid->cellClicked(row, row % 5 + 1);
            return actionOn(screen, [&office, save = named<QPushButton>(*screen, u"PB1(1)"_qs)] {
                const qsizetype from = office.dialogs.messages.size();
                save->click();
                return office.dialogs.messages.size() == from;
            });
        });
    }

    void layoutSave()
    {
        runEveryFault([](Kiosk &office) {
            auto screen = std::make_shared<Layout1>(office.state, office.dialogs);
            DesignerLoader::load(*screen, office.state.archiveFolder, nullptr);
            named<QPushButton>(*screen, u"BTn(2)"_qs)->click(); // the title hidden
            return actionOn(screen, [&office, save = named<QPushButton>(*screen, u"BTn(4)"_qs)] {
                const qsizetype from = office.dialogs.screens.size();
                save->click();
                return office.dialogs.screens.size() > from;
            });
        });
    }

    void dayStart_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("from the initial numbering") << 0;
        QTest::newRow("from the current numbering") << 1;
    }
    void dayStart()
    {
        QFETCH(int, mode);
        runEveryFault([mode](Kiosk &office) {
            // The single queue starts elsewhere than where it stands, so starting writes.
            office.archives.run(
                u"Totem.mdb"_qs,
                {QStringLiteral("UPDATE \"%1\" SET \"%2\" = 500")
                     .arg(ArchiveSchema::initialNumbersTable(),
                          ArchiveSchema::initialNumberField(KioskState::LineCount))});
            auto screen =
                std::make_shared<GestioneTotem>(office.state, office.dialogs, office.clock);
            named<QRadioButton>(*screen, QStringLiteral("RadioButton1(%1)").arg(mode))
                ->setChecked(true);
            Action action =
                actionOn(screen, [&office, open = named<QPushButton>(*screen, u"PB1(1)"_qs)] {
                    const qsizetype from = office.dialogs.screens.size();
                    open->click();
                    return office.dialogs.screens.size() > from;
                });
            action.writes = mode == 0;
            // A layout that cannot be read leaves the screen's own look: it opens anyway.
            action.everyStepNeeded = false;
            return action;
        });
    }
};

void TestArchiveFaults::runEveryFault(const ActionMaker &make)
{
    const auto backHome = qScopeGuard([home = QDir::currentPath()] { QDir::setCurrent(home); });
    Snapshot before;
    Snapshot after;
    QStringList steps;
    {
        Kiosk office;
        QVERIFY(office.archives.isValid());
        Action action = make(office);
        before = snapshot(office.state.archiveFolder);
        ArchiveFault watcher(office.state.archiveFolder);
        watcher.watch();
        QVERIFY2(action.perform(), qPrintable(office.dialogs.messageTexts().join(u'\n')));
        steps = watcher.opened();
        after = snapshot(office.state.archiveFolder);
        QVERIFY(after != before || !action.writes);
    }
    QVERIFY(!steps.isEmpty());

    for (Kind kind : {Kind::FolderRemoved, Kind::ReadOnly, Kind::NotAnArchive}) {
        for (int step = 0; step < steps.size(); ++step) {
            const QString where = QStringLiteral("%1 before opening %2 (%3 of %4)")
                                      .arg(ArchiveFault::name(kind), steps.at(step))
                                      .arg(step + 1)
                                      .arg(steps.size());
            // The bytes must outlive the QVERIFY2 that prints them, not just this lambda.
            const auto context = [&](const QString &what) {
                return (where + QStringLiteral(": ") + what).toLocal8Bit();
            };
            Kiosk office;
            Action action = make(office);
            const qsizetype told = office.dialogs.messages.size();
            const qsizetype printed = office.printed().size();
            bool done = false;
            {
                ArchiveFault fault(office.state.archiveFolder);
                fault.arm(kind, step);
                done = action.perform();
                QVERIFY2(fault.struck(),
                         context(QStringLiteral("the fault never struck")).constData());
            }

            const QStringList news = office.dialogs.messageTexts().mid(told);
            const QString said = news.join(u'\n');
            // An operation the fault must break lies ahead: the action cannot go through.
            const QStringList ahead = steps.mid(step);
            const bool mustFail =
                (action.everyStepNeeded
                 && (kind == Kind::FolderRemoved
                     || (kind == Kind::NotAnArchive && ahead.contains(u"Totem.mdb"_qs))))
                || (kind == Kind::ReadOnly && action.writes && step == 0);
            if (mustFail)
                QVERIFY2(!done, context(QStringLiteral("went through")).constData());
            if (!done || !said.isEmpty())
                QVERIFY2(said.contains(causeOf(kind)), context(u"told: "_qs + said).constData());
            QVERIFY2(action.screen && action.screen->isEnabled(),
                     context(u"screen unusable"_qs).constData());

            const QString folder = office.state.archiveFolder;
            QVERIFY2(intact(folder), context(u"integrity check failed"_qs).constData());
            const Snapshot now = snapshot(folder);
            const QStringList torn = tornRows(now, before, after);
            QVERIFY2(torn.isEmpty(), context(torn.join(u'\n')).constData());
            if (done) {
                QVERIFY2(now == after,
                         context(u"went through, yet not all written"_qs).constData());
            } else {
                // Refused without a word of anything saved: nothing may have been saved.
                static const QRegularExpression partly(
                    QStringLiteral("si è interrotto|per intero|sarà corretta"));
                if (!said.contains(partly))
                    QVERIFY2(now == before,
                             context(u"refused, yet something written"_qs).constData());
                QCOMPARE(office.printed().size(), printed);
            }

            // The folder is back: the same screen does it all.
            const qsizetype toldBeforeRetry = office.dialogs.messages.size();
            if (!done) {
                QVERIFY2(action.perform(),
                         context(u"retry: "_qs
                                 + office.dialogs.messageTexts().mid(toldBeforeRetry).join(u'\n'))
                             .constData());
            }
            QVERIFY2(snapshot(folder) == after, context(u"retry left other values"_qs).constData());
            static const QRegularExpression firstTicket(QStringLiteral("-0*1\\.pdf$"));
            // Tickets: only the one the retry printed, numbered as if nothing had happened.
            if (!office.printed().isEmpty())
                QVERIFY2(office.printed().size() == 1
                             && office.printed().first().contains(firstTicket),
                         context(office.printed().join(u' ')).constData());
        }
    }
}

QTEST_MAIN(TestArchiveFaults)
#include "tst_archivefaults.moc"
