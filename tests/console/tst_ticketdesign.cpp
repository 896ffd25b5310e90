#include "console/gestionetotem.h"
#include "core/kioskstate.h"
#include "report/reportengine.h"
#include "support/archivefixture.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"
#include "support/workingfolder.h"

#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QtTest>

// "Impostazione Stampa": the ticket record's columns declared to the engine with their
// values, then the designer on Ticket.lbl.
class TestTicketDesign : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ArchiveFixture> archives_;
    std::unique_ptr<WorkingFolder> work_;
    KioskState state_;
    ScriptedDialogs dialogs_;
    ManualClock clock_;

    struct Seen
    {
        QString title;
        QList<DataItem> items;
    };

    Seen press(GestioneTotem &console)
    {
        Seen seen;
        dialogs_.screenScripts << [&](QDialog &designer) {
            seen.title = designer.windowTitle();
            seen.items = console.findChild<ReportEngine *>(QStringLiteral("LL9"))->dataItems();
            return int(QDialog::Rejected);
        };
        console.findChild<QPushButton *>(QStringLiteral("PB1(2)"))->click();
        return seen;
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        archives_ = std::make_unique<ArchiveFixture>();
        QVERIFY(archives_->isValid());
        work_ = std::make_unique<WorkingFolder>();
        QVERIFY(work_->isValid());
        state_ = KioskState();
        state_.archiveFolder = archives_->folder();
        dialogs_ = ScriptedDialogs();
    }

    void cleanup() { work_.reset(); }

    void theLastTicketIsTheSampleAnEmptyTableTheNamesAloneAMissingArchiveTold()
    {
        QVERIFY(archives_->run(QStringLiteral("Totem.mdb"),
                               {QStringLiteral("UPDATE DatiDaStampare SET Titolo = 'Comune', "
                                               "NumeroDaStampare = 42, QualeUtente = NULL")}));
        GestioneTotem console(state_, dialogs_, clock_);
        const Seen first = press(console);
        QCOMPARE(dialogs_.screens, QStringList{QStringLiteral("TicketDesigner")});
        QCOMPARE(first.title, QStringLiteral("Impostazione Modulo"));
        QCOMPARE(first.items.size(), 7);
        QCOMPARE(first.items.at(0),
                 (DataItem{QStringLiteral("ID"), QStringLiteral("1"), DataItem::Number}));
        QCOMPARE(first.items.at(1),
                 (DataItem{QStringLiteral("Titolo"), QStringLiteral("Comune"), DataItem::Text}));
        QCOMPARE(first.items.at(2),
                 (DataItem{QStringLiteral("QualeUtente"), QString(), DataItem::Text}));
        QCOMPARE(first.items.at(6), (DataItem{QStringLiteral("NumeroDaStampare"),
                                              QStringLiteral("42"), DataItem::Number}));

        const Seen second = press(console);
        QCOMPARE(second.items, first.items);

        // Emptied, the table offers the names alone: nothing is left of the last press.
        QVERIFY(archives_->run(QStringLiteral("Totem.mdb"),
                               {QStringLiteral("DELETE FROM DatiDaStampare")}));
        const Seen empty = press(console);
        QCOMPARE(empty.items.size(), 7);
        for (const DataItem &item : empty.items) {
            QVERIFY(item.content.isEmpty());
            QCOMPARE(item.type, qint32(DataItem::Text));
        }
        QCOMPARE(empty.items.at(6).name, QStringLiteral("NumeroDaStampare"));

        dialogs_.screens.clear();
        QVERIFY(QDir(archives_->folder()).remove(QStringLiteral("Totem.mdb")));
        console.findChild<QPushButton *>(QStringLiteral("PB1(2)"))->click();
        QVERIFY(dialogs_.screens.isEmpty());
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY(dialogs_.messages[0].text.contains(QStringLiteral("Totem.mdb")));
    }
};

QTEST_MAIN(TestTicketDesign)
#include "tst_ticketdesign.moc"
