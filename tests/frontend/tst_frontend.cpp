#include "core/kioskstate.h"
#include "frontend/frontend.h"
#include "support/archivefixture.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QString monday = QStringLiteral("TotemLunedì");
const QDate mondayDate(2026, 12, 7);
} // namespace

class TestFrontEnd : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ArchiveFixture> archives_;
    KioskState state_;
    ScriptedDialogs dialogs_;
    ManualClock clock_{QDateTime(mondayDate, QTime(9, 40))};
    std::unique_ptr<FrontEnd> screen_;

    QPushButton *button(int index) const
    {
        return screen_->findChild<QPushButton *>(QStringLiteral("PB1(%1)").arg(index));
    }
    QString box(const QString &name) const { return screen_->findChild<QLineEdit *>(name)->text(); }
    QString counterBox(int counter) const { return box(QStringLiteral("Numero%1").arg(counter)); }
    QString servedBox(int counter) const { return box(QStringLiteral("Numero%1A").arg(counter)); }
    QLabel *label(const QString &name) const { return screen_->findChild<QLabel *>(name); }
    void at(int hour, int minute) { clock_.current = QDateTime(mondayDate, QTime(hour, minute)); }

private slots:
    void init()
    {
        archives_ = std::make_unique<ArchiveFixture>();
        QVERIFY(archives_->isValid());
        state_ = KioskState();
        state_.archiveFolder = archives_->folder();
        for (int i = 0; i < KioskState::CounterCount; ++i)
            state_.counterNames[i] = QStringLiteral("Sportello %1").arg(i + 1);
        for (int i = 0; i < KioskState::LineCount; ++i)
            state_.startingNumbers[i] = 100 * (i + 1);
        dialogs_ = ScriptedDialogs();
        at(9, 40);
        QVERIFY(archives_->addOperator(5, QStringLiteral("Rossi Anna")));
        QVERIFY(archives_->addOperator(7, QStringLiteral("Bianchi Luca")));
        screen_ = std::make_unique<FrontEnd>(state_, dialogs_, clock_);
    }

    void cleanup() { screen_.reset(); }

    void activationStaffsTheCountersFromTheWeekdaysSchedule()
    {
        QVERIFY(archives_->setDuty(monday, 3, QStringLiteral("nove"), 5));
        QVERIFY(archives_->setDuty(monday, 4, QStringLiteral("nove"), 99)); // nobody has ID 99
        QVERIFY(archives_->setDuty(QStringLiteral("TotemDomenica"), 5, QStringLiteral("nove"), 7));
        QVERIFY(archives_->run(QStringLiteral("KZ4B.mdb"),
                               {QStringLiteral("UPDATE NumeriCode7 SET NumeroA1 = 18"),
                                QStringLiteral("UPDATE NumeriCode10 SET NumeroA1 = 41")}));
        screen_->shortDateLabel()->setText(QStringLiteral("07/12/2026"));
        screen_->activate();

        QCOMPARE(screen_->ticketDate(), QStringLiteral("07/12/2026"));
        QCOMPARE(button(2)->text(), QStringLiteral("Rossi Anna"));
        QVERIFY(button(2)->isEnabled());
        QCOMPARE(counterBox(3), QStringLiteral("300"));
        QCOMPARE(label(QStringLiteral("Label6(2)"))->text(), QStringLiteral("Sportello 3"));
        for (int counter : {1, 4, 5, 10}) {
            QVERIFY(!button(counter - 1)->isEnabled());
            QCOMPARE(button(counter - 1)->text(), QString());
            QCOMPARE(label(QStringLiteral("Label6(%1)").arg(counter - 1))->text(), QString());
            QCOMPARE(counterBox(counter), QStringLiteral("0"));
            QCOMPARE(servedBox(counter), QStringLiteral("0"));
        }
        QCOMPARE(counterBox(11), QStringLiteral("1100"));
        QVERIFY(button(10)->isEnabled());
        QCOMPARE(button(10)->text(), QStringLiteral("Coda Unica"));
        QCOMPARE(servedBox(7), QStringLiteral("0")); // unstaffed: the lookup came after the refresh
        screen_->onServedRefresh();
        QCOMPARE(servedBox(7), QStringLiteral("18"));
        QCOMPARE(servedBox(10), QStringLiteral("41"));
        QVERIFY(dialogs_.messages.isEmpty());
        at(9, 5);
        screen_->onClockTick();
        QCOMPARE(label(QStringLiteral("Label3"))->text(), QStringLiteral("09.05"));
        QCOMPARE(box(QStringLiteral("Label88")), QStringLiteral("09.05"));

        // Sunday reads its own table, whatever the machine's language calls the day.
        clock_.current = QDateTime(QDate(2026, 12, 13), QTime(9, 0));
        screen_->lookupOperators();
        QCOMPARE(button(4)->text(), QStringLiteral("Bianchi Luca"));
        QVERIFY(!button(2)->isEnabled());
    }

    void anOperatorChangeRestartsTheCounterAndTheSameOneDoesNot()
    {
        QVERIFY(archives_->setDuty(monday, 3, QStringLiteral("nove"), 5));
        QVERIFY(archives_->setDuty(monday, 3, QStringLiteral("dieci"), 7));
        screen_->activate();
        auto *box3 = screen_->findChild<QLineEdit *>(QStringLiteral("Numero3"));
        box3->setText(QStringLiteral("305")); // five tickets issued meanwhile
        label(QStringLiteral("Label6(2)"))->setText(QStringLiteral("changed"));

        at(9, 41);
        screen_->onHourTest();
        QCOMPARE(box3->text(), QStringLiteral("305"));
        QCOMPARE(label(QStringLiteral("Label6(2)"))->text(), QStringLiteral("changed"));

        at(10, 0);
        screen_->onHourTest();
        QCOMPARE(button(2)->text(), QStringLiteral("Bianchi Luca"));
        QCOMPARE(box3->text(), QStringLiteral("300"));
        QCOMPARE(label(QStringLiteral("Label6(2)"))->text(), QStringLiteral("Sportello 3"));

        // A second activation hands every box its starting number again.
        box3->setText(QStringLiteral("302"));
        screen_->activate();
        QCOMPARE(box3->text(), QStringLiteral("300"));
    }

    void theHourTestRunsTheLookupFromSevenToNinePmOnly()
    {
        QVERIFY(archives_->setDuty(monday, 1, QStringLiteral("sette"), 5));
        QVERIFY(archives_->setDuty(monday, 1, QStringLiteral("venti"), 7));
        at(6, 30);
        screen_->activate(); // before seven: every counter is closed
        QVERIFY(!button(0)->isEnabled());

        at(6, 59);
        QVERIFY(archives_->setDuty(monday, 2, QStringLiteral("sette"), 5));
        screen_->onHourTest();
        QVERIFY(!button(0)->isEnabled());

        at(7, 0);
        screen_->onHourTest();
        QCOMPARE(button(0)->text(), QStringLiteral("Rossi Anna"));
        QCOMPARE(button(1)->text(), QStringLiteral("Rossi Anna"));

        at(20, 59);
        screen_->onHourTest();
        QCOMPARE(button(0)->text(), QStringLiteral("Bianchi Luca"));
        QVERIFY(!button(1)->isEnabled());

        at(21, 30); // the lookup runs and finds no column: the evening closes every counter
        screen_->onHourTest();
        for (int i = 0; i < 10; ++i)
            QVERIFY(!button(i)->isEnabled());
        QVERIFY(button(10)->isEnabled());

        at(20, 59);
        screen_->onHourTest();
        QVERIFY(button(0)->isEnabled());
        at(22, 0); // no lookup at night: the screen stays as the last lookup left it
        screen_->onHourTest();
        QVERIFY(button(0)->isEnabled());
        QCOMPARE(button(0)->text(), QStringLiteral("Bianchi Luca"));
    }

    void shortDayTablesAndMissingOperatorsLeaveCountersUnstaffed()
    {
        for (int counter = 1; counter <= 10; ++counter)
            QVERIFY(archives_->setDuty(monday, counter, QStringLiteral("nove"), 5));
        QVERIFY(archives_->run(QStringLiteral("Totem.mdb"),
                               {QStringLiteral("DELETE FROM \"TotemLunedì\" WHERE rowid IN "
                                               "(SELECT rowid FROM \"TotemLunedì\" ORDER BY rowid "
                                               "LIMIT 2 OFFSET 8)"),
                                QStringLiteral("INSERT INTO \"TotemLunedì\"(nove) VALUES(7)")}));
        screen_->activate();
        for (int i = 0; i < 8; ++i)
            QCOMPARE(button(i)->text(), QStringLiteral("Rossi Anna"));
        // The row added after the deletion is the ninth: it staffs counter 9, and nothing
        // staffs counter 10.
        QCOMPARE(button(8)->text(), QStringLiteral("Bianchi Luca"));
        QVERIFY(!button(9)->isEnabled());
    }

    void anEmptyOperatorsTableIsReportedAtEveryRun()
    {
        QVERIFY(archives_->run(QStringLiteral("KZ4.mdb"), {QStringLiteral("DELETE FROM Utenti")}));
        QVERIFY(archives_->setDuty(monday, 3, QStringLiteral("nove"), 5));
        button(2)->setText(QStringLiteral("prima"));
        button(2)->setEnabled(false);
        screen_->activate();
        at(9, 41);
        screen_->onHourTest();
        QCOMPARE(dialogs_.messages.size(), 2);
        for (const ScriptedDialogs::Message &m : dialogs_.messages) {
            QCOMPARE(m.text, QStringLiteral("Nessun Utente presente  nel Sistema !"));
            QCOMPARE(m.title, QStringLiteral("Attenzione"));
            QCOMPARE(m.kind, Dialogs::Kind::Information);
        }
        // Every button enabled, captions untouched.
        QVERIFY(button(2)->isEnabled());
        QCOMPARE(button(2)->text(), QStringLiteral("prima"));
    }

    // The refresh stops at the first table it cannot read; the notice, once up, stays up
    // until the screen closes, and no box or archive is touched meanwhile.
    void servedNumbersStopAtTheFirstFailureAndTheNoticeStays()
    {
        QStringList served;
        for (int counter = 1; counter <= 10; ++counter)
            served << QStringLiteral("UPDATE NumeriCode%1 SET NumeroA1 = %2")
                          .arg(counter)
                          .arg(counter * 11);
        QVERIFY(archives_->run(QStringLiteral("KZ4B.mdb"), served));
        screen_->onServedRefresh();
        QCOMPARE(servedBox(4), QStringLiteral("44"));
        QVERIFY(label(QStringLiteral("Label9"))->isHidden());

        const QString away = archives_->folder() + QStringLiteral("-altrove");
        QVERIFY(QDir().rename(archives_->folder(), away));
        screen_->onServedRefresh();
        screen_->lookupOperators();
        QCOMPARE(servedBox(1), QStringLiteral("11"));
        QVERIFY(!label(QStringLiteral("Label9"))->isHidden());
        QCOMPARE(label(QStringLiteral("Label9"))->text(),
                 QStringLiteral("SERVER non raggiungibile"));
        QVERIFY(dialogs_.messages.isEmpty());
        QVERIFY(!QFile::exists(archives_->path(QStringLiteral("KZ4B.mdb"))));
        QVERIFY(QDir().rename(away, archives_->folder()));

        QVERIFY(archives_->run(QStringLiteral("KZ4B.mdb"),
                               {QStringLiteral("UPDATE NumeriCode3 SET NumeroA1 = 300"),
                                QStringLiteral("UPDATE NumeriCode5 SET NumeroA1 = 500"),
                                QStringLiteral("DROP TABLE NumeriCode4")}));
        screen_->onServedRefresh();
        QCOMPARE(servedBox(3), QStringLiteral("300"));
        QCOMPARE(servedBox(4), QStringLiteral("44"));
        QCOMPARE(servedBox(5), QStringLiteral("55"));
        QVERIFY(!label(QStringLiteral("Label9"))->isHidden());
    }

    void onlyF10ClosesTheScreen()
    {
        screen_->show();
        screen_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen_.get()));
        QCOMPARE(screen_->pos(), QPoint(0, 0));
        QCOMPARE(screen_->size(), screen_->screen()->geometry().size());

        auto *child = screen_->findChild<QLineEdit *>(QStringLiteral("Numero3"));
        child->setFocus();
        for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_F4, Qt::Key_Space})
            QTest::keyClick(child, Qt::Key(key));
        QTest::keyClick(child, Qt::Key_F4, Qt::AltModifier);
        QVERIFY(!screen_->close()); // a window manager's close request
        screen_->reject();
        QVERIFY(screen_->isVisible());

        QTest::keyClick(child, Qt::Key_F10);
        QTRY_VERIFY(!screen_->isVisible());
        QCOMPARE(screen_->result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestFrontEnd)
#include "tst_frontend.moc"
