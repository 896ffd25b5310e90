#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"
#include "console/gestionetotem.h"
#include "console/instanceguard.h"
#include "console/startupsequence.h"
#include "core/kioskstate.h"
#include "frontend/frontend.h"
#include "report/ticketproject.h"
#include "support/archivedamage.h"
#include "support/archivefixture.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"
#include "support/workingfolder.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <functional>

namespace {

// What a flow shows the user when an archive is damaged.
enum class Seen
{
    Untouched, // exactly what an intact installation shows, and no message
    Reported,  // a message that names the damaged table or field
    Noticed,   // the public screen's notice "SERVER non raggiungibile", no message box
    Silent     // no message: an empty value read for what it means, or the start's quiet stop
};

// What a press on a staffed counter's button does.
enum class Press
{
    Issued,  // the next number, stored and printed
    Refused, // a message; no ticket, the number and the archive as before
    Closed   // the button cannot be pressed: nothing happens
};

const QString Totem = ArchivePath::totem();
const QString Kz4 = ArchivePath::kz4();
const QString Kz4b = ArchivePath::kz4b();
const QString Monday = ArchiveSchema::dayTable(1);
const QString HourNow = ArchiveSchema::hourField(9); // the clock stands at 09:40
constexpr int Counter = 3;                           // the counter staffed at that hour
constexpr qint32 Operator = 5;

QStringList currentNumberFields()
{
    QStringList fields;
    for (int line = 1; line <= ArchiveSchema::LineCount; ++line)
        fields << ArchiveSchema::currentNumberField(line);
    return fields;
}

// Empty yes/no values are "no", an empty picture path is no picture.
bool emptyLayoutValueHasAMeaning(const ArchiveDamage &d)
{
    return d.kind == ArchiveDamage::Kind::EmptyField
           && QStringList({u"FontBold"_qs, u"FontItalic"_qs, u"PercorsoImmagine"_qs})
                  .contains(d.field);
}

Seen atStartUp(const ArchiveDamage &d)
{
    const QString labels = ArchiveSchema::labelTable(ArchiveSchema::DefaultLabelSet);
    // Opening configurazione is the reachability test: a failure that is not an
    // unreachable folder stops the start without a word.
    if (d.kind == ArchiveDamage::Kind::MissingTable
        && d.inTable(Kz4, ArchiveSchema::configurationTable()))
        return Seen::Silent;
    if (d.inTable(Kz4, ArchiveSchema::configurationTable()))
        return Seen::Reported;
    // An empty key is a counter without a label, an empty text an empty name.
    if (d.inTable(Kz4, labels))
        return d.kind == ArchiveDamage::Kind::EmptyField ? Seen::Silent : Seen::Reported;
    return Seen::Untouched;
}

struct PublicScreen
{
    bool opens = true;
    Seen seen = Seen::Untouched;
    Press press = Press::Issued;
    QString says; // the report of the press; empty: the damaged table or field
};

PublicScreen onThePublicScreen(const ArchiveDamage &d)
{
    using Kind = ArchiveDamage::Kind;
    const bool missing = d.kind != Kind::EmptyField;
    // The initial start reads every initial number and writes the single queue's two
    // current fields before anything is shown.
    if (d.inTable(Totem, ArchiveSchema::initialNumbersTable())
        || (missing
            && d.inFields(Totem, ArchiveSchema::currentNumbersTable(),
                          {ArchiveSchema::currentNumberField(ArchiveSchema::LineCount),
                           ArchiveSchema::singleQueueCopyField()})))
        return {false, Seen::Reported, Press::Closed, {}};
    if (d.inTable(Totem, ArchiveSchema::currentNumbersTable()))
        return {true, Seen::Untouched, missing ? Press::Refused : Press::Issued, {}};
    if (d.inTable(Totem, ArchiveSchema::ticketTable())) {
        if (d.kind == Kind::EmptyField && d.field == ArchiveSchema::operatorIdField())
            return {true, Seen::Untouched, Press::Refused,
                    u"Nessun dato da stampare per questa selezione !"_qs};
        return {true, Seen::Untouched, missing ? Press::Refused : Press::Issued, {}};
    }
    // The schedule and the operators decide who is on duty: unreadable, the counters are
    // closed until a lookup succeeds; an empty cell or key is nobody on duty.
    if (d.inFields(Totem, Monday, {HourNow})
        || d.inFields(Kz4, ArchiveSchema::operatorsTable(), {ArchiveSchema::operatorIdField()}))
        return {true, missing ? Seen::Noticed : Seen::Silent, Press::Closed, {}};
    if (d.inTable(Kz4, ArchiveSchema::operatorsTable()))
        return {true,
                missing ? Seen::Noticed : Seen::Silent,
                missing ? Press::Closed : Press::Issued,
                {}};
    if (d.inArchive(Kz4b))
        return {true, missing ? Seen::Noticed : Seen::Silent, Press::Issued, {}};
    if (d.inTable(Totem, ArchiveSchema::screenLayoutTable()))
        return {true,
                emptyLayoutValueHasAMeaning(d) ? Seen::Silent : Seen::Reported,
                Press::Issued,
                {}};
    return {};
}

Seen inTheNumberingEditor(const ArchiveDamage &d)
{
    if (d.inTable(Totem, ArchiveSchema::initialNumbersTable())
        || d.inFields(Totem, ArchiveSchema::currentNumbersTable(), currentNumberFields()))
        return Seen::Reported;
    return Seen::Untouched;
}

Seen inTheScheduleEditor(const ArchiveDamage &d)
{
    // An empty key or name shows as "?5" or "ID 5" in the grid.
    if (d.inTable(Kz4, ArchiveSchema::operatorsTable()))
        return d.kind == ArchiveDamage::Kind::EmptyField ? Seen::Silent : Seen::Reported;
    // An empty hour is a table nobody filled, not "nobody on duty".
    if (d.inTable(Totem, Monday))
        return Seen::Reported;
    return Seen::Untouched;
}

Seen inTheLayoutDesigner(const ArchiveDamage &d)
{
    if (!d.inTable(Totem, ArchiveSchema::screenLayoutTable()))
        return Seen::Untouched;
    return emptyLayoutValueHasAMeaning(d) ? Seen::Silent : Seen::Reported;
}

template <typename T = QWidget> T *named(const QObject &parent, const QString &name)
{
    return parent.findChild<T *>(name);
}

} // namespace

// Every table missing in turn, every field missing in turn, every field empty in every
// record, against each flow that reads the archives: none crashes, each tells the user in
// Italian (or gives an empty value its usual meaning), every screen stays usable, and
// nothing is half-written. The damages come from ArchiveSchema.
class TestDamagedArchives : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ArchiveFixture> intact_;
    std::unique_ptr<QTemporaryDir> copy_;
    std::unique_ptr<WorkingFolder> work_; // Ticket.lbl and the tickets it prints
    KioskState state_;
    ScriptedDialogs dialogs_;
    ManualClock clock_{QDateTime(QDate(2026, 12, 7), QTime(9, 40))}; // a Monday
    QMap<QString, QStringList> intactViews_;

    int ticketCount() const { return int(work_->ticketFiles().size()); }

    // A copy of the intact installation, spoiled as the row says (or not at all).
    QString installation(const ArchiveDamage *damage)
    {
        copy_ = std::make_unique<QTemporaryDir>();
        // Copied by hand: QFile::copy() flushes each file to disk, and a throwaway copy
        // made for every row of every flow does not need that.
        for (const QString &archive : {Kz4, Kz4b, Totem}) {
            QFile from(intact_->path(archive));
            QFile to(copy_->filePath(archive));
            if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly)
                || to.write(from.readAll()) != from.size())
                return QString();
        }
        if (damage && !damage->applyTo(copy_->path()))
            return QString();
        state_ = KioskState();
        state_.archiveFolder = copy_->path();
        for (int i = 0; i < KioskState::CounterCount; ++i)
            state_.counterNames[i] = QStringLiteral("Sportello %1").arg(i + 1);
        dialogs_ = ScriptedDialogs();
        return copy_->path();
    }

    // What the flow shows an intact installation, worked out once.
    QStringList intactView(const QString &flow, QStringList (TestDamagedArchives::*run)())
    {
        if (!intactViews_.contains(flow)) {
            if (installation(nullptr).isEmpty())
                return {QStringLiteral("<no installation>")};
            QStringList view = (this->*run)();
            if (!dialogs_.messages.isEmpty())
                view << QStringLiteral("<messages: %1>").arg(dialogs_.messageTexts().join(u'|'));
            intactViews_.insert(flow, view);
        }
        return intactViews_.value(flow);
    }

    // The current numbers as stored, "-" for one that cannot be read.
    QStringList storedNumbers() const
    {
        RecordSet numbers;
        numbers.bind(QDir(state_.archiveFolder).filePath(Totem),
                     ArchiveSchema::currentNumbersTable());
        try {
            numbers.open();
        } catch (const ArchiveError &) {
            return {u"-"_qs};
        }
        QStringList values;
        for (const QString &field : currentNumberFields())
            values << (numbers.hasField(field) ? numbers.text(field) : u"-"_qs);
        return values;
    }

    // Every message titled and worded for the user; when one is due, it names the damage.
    void checkMessages(const ArchiveDamage &damage, Seen seen, const QString &says = {})
    {
        for (const ScriptedDialogs::Message &m : std::as_const(dialogs_.messages))
            QVERIFY2(QStringList({u"ATTENZIONE"_qs, u"Attenzione"_qs, QString()}).contains(m.title),
                     qPrintable(m.title));
        const QString all = dialogs_.messageTexts().join(u'\n');
        if (seen != Seen::Reported) {
            QVERIFY2(dialogs_.messages.isEmpty(), qPrintable(all));
            return;
        }
        const QString subject = says.isEmpty() ? damage.subject() : says;
        QVERIFY2(all.contains(subject, Qt::CaseInsensitive),
                 qPrintable(QStringLiteral("«%1» not named in: %2").arg(subject, all)));
    }

    QStringList runStartUp()
    {
        QFile percorsi(copy_->filePath(QStringLiteral("percorsiT.txt")));
        if (!percorsi.open(QIODevice::WriteOnly)
            || percorsi.write('"' + copy_->path().toUtf8() + "\"\r\n") <= 0)
            return {QStringLiteral("<no percorsiT.txt>")};
        percorsi.close();
        InstanceGuard guard(copy_->filePath(QStringLiteral("totem.lock")));
        StartupSequence startup(state_, dialogs_, guard);
        startup.setPercorsiPath(percorsi.fileName());
        const bool console = startup.run() == StartupSequence::Outcome::ShowConsole;
        guard.release();
        return {console ? QStringLiteral("console") : QStringLiteral("end"),
                QStringList(state_.counterNames.begin(), state_.counterNames.end()).join(u','),
                dialogs_.screens.join(u',')};
    }

    // The screen as the public sees it after activation and a round of the timers.
    static QStringList publicView(const FrontEnd &screen)
    {
        QStringList view;
        for (int i = 0; i < FrontEnd::CounterCount; ++i) {
            const auto *button = named<QPushButton>(screen, QStringLiteral("PB1(%1)").arg(i));
            view << QStringLiteral("%1 %2 «%3» %4 %5 %6")
                        .arg(i + 1)
                        .arg(
                            button->isEnabled() ? QStringLiteral("aperto")
                                                : QStringLiteral("chiuso"),
                            button->text(), screen.counterNameLabel(i)->text(),
                            named<QLineEdit>(screen, QStringLiteral("Numero%1").arg(i + 1))->text(),
                            named<QLineEdit>(screen, QStringLiteral("Numero%1A").arg(i + 1))
                                ->text());
        }
        view << named<QLineEdit>(screen, QStringLiteral("Numero11"))->text();
        view << (named<QLabel>(screen, QStringLiteral("Label9"))->isHidden() ? u"-"_qs
                                                                             : u"avviso"_qs);
        return view;
    }

    QStringList runPublicScreen() { return openPublicScreen(false).view; }

    struct PublicRun
    {
        QStringList view;
        bool opened = false;
        int messagesBeforePress = 0;
        bool buttonEnabled = false;
        bool enabledAfterPress = false;
        QString boxAfterPress;
    };

    // The console opens the public screen with the initial numbering; the screen becomes
    // active, its timers' jobs run once, and (if asked) the public presses counter 3.
    PublicRun openPublicScreen(bool press)
    {
        PublicRun run;
        GestioneTotem console(state_, dialogs_, clock_);
        dialogs_.screenScripts << [&](QDialog &dialog) {
            auto &screen = static_cast<FrontEnd &>(dialog);
            run.opened = true;
            screen.activate();
            screen.onClockTick();
            screen.onHourTest();
            screen.onServedRefresh();
            run.view = publicView(screen);
            if (press) {
                run.messagesBeforePress = int(dialogs_.messages.size());
                auto *button =
                    named<QPushButton>(screen, QStringLiteral("PB1(%1)").arg(Counter - 1));
                run.buttonEnabled = button->isEnabled();
                button->click();
                run.enabledAfterPress = screen.isEnabled();
                run.boxAfterPress =
                    named<QLineEdit>(screen, QStringLiteral("Numero%1").arg(Counter))->text();
            }
            return int(QDialog::Accepted);
        };
        named<QPushButton>(console, QStringLiteral("PB1(1)"))->click();
        if (!named<QPushButton>(console, QStringLiteral("PB1(1)"))->isEnabled())
            run.view << QStringLiteral("<console disabled>");
        return run;
    }

    // The console opens one of its screens, which the script describes as it comes up.
    QStringList openFromConsole(const QString &button,
                                const std::function<QStringList(QDialog &)> &describe)
    {
        GestioneTotem console(state_, dialogs_, clock_);
        QStringList view;
        dialogs_.screenScripts << [&](QDialog &screen) {
            view << (screen.isEnabled() ? u"aperto"_qs : u"bloccato"_qs) << describe(screen);
            return int(QDialog::Rejected);
        };
        named<QPushButton>(console, button)->click();
        return view << dialogs_.screens.join(u',');
    }

    QStringList runNumberingEditor()
    {
        return openFromConsole(u"PB1(3)"_qs, [](QDialog &screen) {
            QStringList boxes;
            for (int index = 0; index <= 22; ++index) {
                if (auto *box = named<QLineEdit>(screen, QStringLiteral("Modifnr(%1)").arg(index)))
                    boxes << QStringLiteral("%1=%2").arg(index).arg(box->text());
            }
            return boxes;
        });
    }

    QStringList runScheduleEditor()
    {
        return openFromConsole(u"PushButton1"_qs, [](QDialog &screen) {
            const auto *grid = named<QTableWidget>(screen, u"Grid1"_qs);
            QStringList shown{named<QLabel>(screen, u"Label3(0)"_qs)->text(),
                              named<QLabel>(screen, u"Label3(1)"_qs)->text()};
            for (int row = 1; row < grid->rowCount(); ++row) {
                for (int column = 1; column < grid->columnCount(); ++column)
                    shown << grid->item(row, column)->text();
            }
            return shown;
        });
    }

    QStringList runLayoutDesigner()
    {
        return openFromConsole(u"PB1(4)"_qs, [](QDialog &screen) {
            QStringList shown{named<QLabel>(screen, u"Titolo"_qs)->text(),
                              named<QPushButton>(screen, u"PB1(10)"_qs)->text(),
                              named<QLabel>(screen, u"Label10"_qs)->text()};
            for (int i = 0; i < 11; ++i)
                shown
                    << (named<QWidget>(screen, QStringLiteral("Postazione1(%1)").arg(i))->isHidden()
                            ? u"nascosto"_qs
                            : u"visibile"_qs);
            return shown;
        });
    }

    // An editor opened from the console: usable whatever the damage, telling the user about
    // it when it reads what was damaged, and just as with an intact installation otherwise.
    void checkEditor(const ArchiveDamage &damage, Seen seen, const QString &flow,
                     QStringList (TestDamagedArchives::*run)(), const QString &screen)
    {
        const QStringList intact = intactView(flow, run);
        QVERIFY(!installation(&damage).isEmpty());
        const QStringList view = (this->*run)();
        checkMessages(damage, seen);
        QCOMPARE(view.last(), screen);
        if (!screen.isEmpty())
            QCOMPARE(view.value(0), u"aperto"_qs);
        if (seen == Seen::Untouched)
            QCOMPARE(view, intact);
    }

private slots:
    void initTestCase()
    {
        intact_ = std::make_unique<ArchiveFixture>();
        QVERIFY(intact_->isValid());
        // Counter 3 staffed at 09:40 on Monday, a served number, numbers to start from.
        QVERIFY(intact_->addOperator(Operator, QStringLiteral("Rossi Anna")));
        QVERIFY(intact_->setDuty(Monday, Counter, HourNow, Operator));
        QStringList initial;
        for (int line = 1; line <= ArchiveSchema::LineCount; ++line)
            initial << QStringLiteral("%1 = %2")
                           .arg(ArchiveSchema::initialNumberField(line))
                           .arg(line * 1000);
        QVERIFY(intact_->run(
            Totem, {QStringLiteral("UPDATE NumerazioneIniziale SET %1").arg(initial.join(u',')),
                    // What the screen will show: a refused press changes nothing.
                    QStringLiteral("UPDATE Numerazione SET P3 = 3000, P11 = 11000")}));
        QVERIFY(intact_->run(Kz4b, {QStringLiteral("UPDATE NumeriCode7 SET NumeroA1 = 18")}));

        work_ = std::make_unique<WorkingFolder>();
        QVERIFY(work_->isValid());
        TicketProject::defaultTicket(TicketProject::pdfPrefix() + work_->tickets())
            .save(work_->filePath(TicketProject::defaultFileName()));
    }

    void cleanupTestCase() { work_.reset(); }

    void startUp_data() { ArchiveDamage::addRows(); }
    void startUp()
    {
        QFETCH(ArchiveDamage, damage);
        const QStringList intact = intactView(u"startUp"_qs, &TestDamagedArchives::runStartUp);
        QVERIFY(!installation(&damage).isEmpty());
        const QStringList view = runStartUp();
        const Seen seen = atStartUp(damage);
        checkMessages(damage, seen);
        // The console comes up in every case, with whatever was read.
        QCOMPARE(view.value(0), u"console"_qs);
        QCOMPARE(view.value(2), QString());
        if (seen == Seen::Untouched)
            QCOMPARE(view, intact);
    }

    void publicScreenAndPress_data() { ArchiveDamage::addRows(); }
    void publicScreenAndPress()
    {
        QFETCH(ArchiveDamage, damage);
        const QStringList intact =
            intactView(u"publicScreen"_qs, &TestDamagedArchives::runPublicScreen);
        QVERIFY(!installation(&damage).isEmpty());
        const PublicScreen expected = onThePublicScreen(damage);
        const int ticketsBefore = ticketCount();
        const QStringList numbersBefore = storedNumbers();

        const PublicRun run = openPublicScreen(true);
        QCOMPARE(run.opened, expected.opens);
        QVERIFY(!run.view.contains(u"<console disabled>"_qs));
        if (!run.opened) {
            checkMessages(damage, expected.seen);
            QCOMPARE(storedNumbers(), numbersBefore);
            QCOMPARE(ticketCount(), ticketsBefore);
            return;
        }

        // What the opening and the activation showed.
        const QList<ScriptedDialogs::Message> all = dialogs_.messages;
        dialogs_.messages = all.mid(0, run.messagesBeforePress);
        checkMessages(damage, expected.seen);
        const QString notice = run.view.value(run.view.size() - 1);
        QCOMPARE(notice, expected.seen == Seen::Noticed ? u"avviso"_qs : u"-"_qs);
        if (expected.seen == Seen::Untouched)
            QCOMPARE(run.view, intact);

        // What the press did.
        dialogs_.messages = all.mid(run.messagesBeforePress);
        QVERIFY(run.enabledAfterPress);
        QCOMPARE(run.buttonEnabled, expected.press != Press::Closed);
        const QString start = QString::number(Counter * 1000);
        switch (expected.press) {
        case Press::Issued:
            checkMessages(damage, Seen::Untouched);
            QCOMPARE(ticketCount(), ticketsBefore + 1);
            QCOMPARE(run.boxAfterPress, QString::number(Counter * 1000 + 1));
            QCOMPARE(storedNumbers().value(Counter - 1), run.boxAfterPress);
            break;
        case Press::Refused:
            checkMessages(damage, Seen::Reported, expected.says);
            QCOMPARE(ticketCount(), ticketsBefore);
            QCOMPARE(run.boxAfterPress, start);
            QCOMPARE(storedNumbers(), numbersBefore);
            break;
        case Press::Closed:
            checkMessages(damage, Seen::Untouched);
            QCOMPARE(ticketCount(), ticketsBefore);
            // Whatever the box shows, the numbering in the archive is not lost.
            QCOMPARE(storedNumbers(), numbersBefore);
            break;
        }
    }

    void numberingEditor_data() { ArchiveDamage::addRows(); }
    void numberingEditor()
    {
        QFETCH(ArchiveDamage, damage);
        checkEditor(damage, inTheNumberingEditor(damage), u"numbering"_qs,
                    &TestDamagedArchives::runNumberingEditor, u"Impostazione"_qs);
    }

    void scheduleEditor_data() { ArchiveDamage::addRows(); }
    void scheduleEditor()
    {
        QFETCH(ArchiveDamage, damage);
        checkEditor(damage, inTheScheduleEditor(damage), u"schedule"_qs,
                    &TestDamagedArchives::runScheduleEditor, u"Palinsesto"_qs);
    }

    void layoutDesigner_data() { ArchiveDamage::addRows(); }
    void layoutDesigner()
    {
        QFETCH(ArchiveDamage, damage);
        // Without its table the designer is not shown: saving its own arrangement would
        // overwrite the stored one.
        const bool shown = !(damage.kind == ArchiveDamage::Kind::MissingTable
                             && damage.inTable(Totem, ArchiveSchema::screenLayoutTable()));
        checkEditor(damage, inTheLayoutDesigner(damage), u"designer"_qs,
                    &TestDamagedArchives::runLayoutDesigner, shown ? u"Layout1"_qs : QString());
    }
};

QTEST_MAIN(TestDamagedArchives)
#include "tst_damagedarchives.moc"
