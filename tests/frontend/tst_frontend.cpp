#include "core/kioskstate.h"
#include "frontend/frontend.h"
#include "report/ticketproject.h"
#include "support/archivefixture.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"
#include "support/workingfolder.h"
#include "ui/qtdialogs.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {
const QString monday = QStringLiteral("TotemLunedì");
const QDate mondayDate(2026, 12, 7);
} // namespace

// The public screen as the public sees it: who is on duty, the numbers, the keys.
class TestFrontEnd : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ArchiveFixture> archives_;
    std::unique_ptr<WorkingFolder> work_;
    KioskState state_;
    ScriptedDialogs dialogs_;
    ManualClock clock_{QDateTime(mondayDate, QTime(9, 40))};
    std::unique_ptr<FrontEnd> screen_;

    template <typename T = QWidget> T *named(const QString &name) const
    {
        return screen_->findChild<T *>(name);
    }
    // Counter i + 1 as shown: button, caption, counter name, number, served number.
    QString counter(int i) const
    {
        const auto *button = named<QPushButton>(u"PB1(%1)"_qs.arg(i));
        return QStringList{button->isEnabled() ? u"aperto"_qs : u"chiuso"_qs, button->text(),
                           screen_->counterNameLabel(i)->text(),
                           named<QLineEdit>(u"Numero%1"_qs.arg(i + 1))->text(),
                           i < 10 ? named<QLineEdit>(u"Numero%1A"_qs.arg(i + 1))->text() : u"-"_qs}
            .join(u'|');
    }
    void at(int hour, int minute) { clock_.current = QDateTime(mondayDate, QTime(hour, minute)); }

private slots:
    void init()
    {
        archives_ = std::make_unique<ArchiveFixture>();
        work_ = std::make_unique<WorkingFolder>();
        QVERIFY(archives_->isValid() && work_->isValid());
        TicketProject::defaultTicket(u"pdf:tickets"_qs).save(TicketProject::defaultFileName());
        state_.archiveFolder = archives_->folder();
        for (int i = 0; i < KioskState::CounterCount; ++i)
            state_.counterNames[i] = u"Sportello %1"_qs.arg(i + 1);
        for (int i = 0; i < KioskState::LineCount; ++i)
            state_.startingNumbers[i] = 100 * (i + 1);
        dialogs_ = ScriptedDialogs();
        at(9, 40);
        QVERIFY(archives_->addOperator(5, u"Rossi Anna"_qs));
        QVERIFY(archives_->addOperator(7, u"Bianchi Luca"_qs));
        screen_ = std::make_unique<FrontEnd>(state_, dialogs_, clock_);
    }

    void cleanup()
    {
        screen_.reset();
        work_.reset();
    }

    void activationStaffsTheCountersFromTheWeekdaysSchedule()
    {
        QVERIFY(archives_->setDuty(monday, 3, u"nove"_qs, 5));
        QVERIFY(archives_->setDuty(monday, 4, u"nove"_qs, 99)); // nobody has ID 99
        QVERIFY(archives_->setDuty(u"TotemDomenica"_qs, 5, u"nove"_qs, 7));
        QVERIFY(archives_->run(u"Totem.mdb"_qs, {u"DELETE FROM \"TotemLunedì\" WHERE rowid IN "
                                                 "(SELECT rowid FROM \"TotemLunedì\" ORDER BY "
                                                 "rowid LIMIT 1 OFFSET 8)"_qs}));
        QVERIFY(archives_->run(u"KZ4B.mdb"_qs, {u"UPDATE NumeriCode10 SET NumeroA1 = 41"_qs}));
        screen_->shortDateLabel()->setText(u"07/12/2026"_qs);
        screen_->activate();
        QCOMPARE(screen_->ticketDate(), u"07/12/2026"_qs);
        QCOMPARE(counter(2), u"aperto|Rossi Anna|Sportello 3|300|0"_qs);
        for (int i : {0, 3, 9}) // counter 10 has no row left
            QCOMPARE(counter(i), u"chiuso|||0|0"_qs);
        QCOMPARE(counter(10), u"aperto|Coda Unica|Nome postazione|1100|-"_qs);
        screen_->onServedRefresh();
        screen_->waitForArchiveWork();
        QCOMPARE(counter(9), u"chiuso|||0|41"_qs);
        at(9, 5);
        screen_->onClockTick();
        QCOMPARE(screen_->timeLabel()->text(), u"09.05"_qs);
        QCOMPARE(named<QLineEdit>(u"Label88"_qs)->text(), u"09.05"_qs);
        // Sunday reads its own table, whatever the machine's language calls the day.
        clock_.current = QDateTime(QDate(2026, 12, 13), QTime(9, 0));
        screen_->lookupOperators();
        screen_->waitForArchiveWork();
        QCOMPARE(counter(4), u"aperto|Bianchi Luca|Sportello 5|500|0"_qs);
        QVERIFY(dialogs_.messages.isEmpty());
    }

    // Counter 1 has issued one ticket; the minute's test at a later time.
    void theHourTestFollowsTheSchedule_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("shown");
        const QString kept = u"aperto|Rossi Anna|Sportello 1|101|0"_qs;
        const QString changed = u"aperto|Bianchi Luca|Sportello 1|100|0"_qs;
        QTest::newRow("06:59, no lookup") << QTime(6, 59) << kept;
        QTest::newRow("07:00, another operator") << QTime(7, 0) << changed;
        QTest::newRow("same operator") << QTime(9, 41) << kept;
        QTest::newRow("another operator") << QTime(10, 0) << changed;
        QTest::newRow("21:30, no column") << QTime(21, 30) << u"chiuso|||0|0"_qs;
        QTest::newRow("22:00, no lookup") << QTime(22, 0) << kept;
    }

    void theHourTestFollowsTheSchedule()
    {
        QFETCH(QTime, time);
        QFETCH(QString, shown);
        QVERIFY(archives_->setDuty(monday, 1, u"nove"_qs, 5));
        for (const QString &hour : {u"sette"_qs, u"dieci"_qs})
            QVERIFY(archives_->setDuty(monday, 1, hour, 7));
        screen_->activate();
        auto *button = named<QPushButton>(u"PB1(0)"_qs);
        button->click();
        button->click(); // while the first is being issued: dropped
        QVERIFY(!screen_->isEnabled());
        QTRY_VERIFY(screen_->isEnabled());
        QCOMPARE(work_->ticketFiles().size(), 1);
        at(time.hour(), time.minute());
        screen_->onHourTest();
        screen_->waitForArchiveWork();
        QCOMPARE(counter(0), shown);
        QCOMPARE(counter(10).section(u'|', 0, 3), u"aperto|Coda Unica|Nome postazione|1100"_qs);
        at(9, 41);
        screen_->activate(); // every activation starts from the starting numbers again
        QCOMPARE(counter(0), u"aperto|Rossi Anna|Sportello 1|100|0"_qs);
    }

    void anEmptyOperatorsTableIsToldAtEveryRunAndTouchesNothing()
    {
        QVERIFY(archives_->run(u"KZ4.mdb"_qs, {u"DELETE FROM Utenti"_qs}));
        QVERIFY(archives_->setDuty(monday, 3, u"nove"_qs, 5));
        named<QPushButton>(u"PB1(2)"_qs)->setText(u"prima"_qs);
        named<QPushButton>(u"PB1(2)"_qs)->setEnabled(false);
        screen_->activate();
        screen_->onHourTest();
        screen_->waitForArchiveWork();
        QCOMPARE(dialogs_.messages.size(), 2);
        for (const ScriptedDialogs::Message &m : dialogs_.messages) {
            QCOMPARE(m.text, u"Nessun Utente presente  nel Sistema !"_qs);
            QCOMPARE(m.title, u"Attenzione"_qs);
            QCOMPARE(m.kind, Dialogs::Kind::Information);
        }
        QCOMPARE(counter(2), u"aperto|prima|||0"_qs);
    }

    // Nobody is known to be on duty: the counters close on their starting numbers, the
    // single queue stays as it is.
    void aFailedFirstLookupClosesOnlyTheCounters()
    {
        QVERIFY(archives_->run(u"Totem.mdb"_qs, {u"DROP TABLE \"TotemLunedì\""_qs}));
        screen_->activate();
        QVERIFY(!named<QLabel>(u"Label9"_qs)->isHidden());
        QCOMPARE(counter(2), u"chiuso|||300|0"_qs);
        QCOMPARE(counter(10), u"aperto|Coda Unica|Nome postazione|1100|-"_qs);
    }

    // The refresh stops at the first table it cannot read; the notice, once up, stays.
    void servedNumbersStopAtTheFirstFailureAndTheNoticeStays()
    {
        QVERIFY(archives_->run(u"KZ4B.mdb"_qs, {u"UPDATE NumeriCode3 SET NumeroA1 = 33"_qs,
                                                u"UPDATE NumeriCode4 SET NumeroA1 = 44"_qs}));
        screen_->onServedRefresh();
        screen_->waitForArchiveWork();
        const auto *notice = named<QLabel>(u"Label9"_qs);
        QVERIFY(notice->isHidden());
        const QString away = archives_->folder() + u"-altrove"_qs;
        QVERIFY(QDir().rename(archives_->folder(), away));
        screen_->onServedRefresh();
        screen_->lookupOperators();
        screen_->waitForArchiveWork();
        QVERIFY(!notice->isHidden());
        QCOMPARE(counter(3), u"chiuso|||400|44"_qs);
        QVERIFY(dialogs_.messages.isEmpty());
        QVERIFY(QDir().rename(away, archives_->folder()));
        QVERIFY(archives_->run(u"KZ4B.mdb"_qs, {u"UPDATE NumeriCode3 SET NumeroA1 = 3"_qs,
                                                u"UPDATE NumeriCode5 SET NumeroA1 = 5"_qs,
                                                u"DROP TABLE NumeriCode4"_qs}));
        screen_->onServedRefresh();
        screen_->waitForArchiveWork();
        QCOMPARE(named<QLineEdit>(u"Numero3A"_qs)->text()
                     + named<QLineEdit>(u"Numero5A"_qs)->text(),
                 u"30"_qs);
        QVERIFY(!notice->isHidden());
    }

    void onlyF10ClosesAndOnlyOnceTheBoxesAreAnswered()
    {
        QtDialogs real;
        FrontEnd screen(state_, real, clock_);
        screen.findChild<QLabel *>(u"Label1(0)"_qs)->setText(u"<b>Comune & C.</b>"_qs);
        for (const QLabel *label : screen.findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        QCOMPARE(screen.geometry(), screen.screen()->geometry());

        // Touches on a number box reach its panel: no text to select, no menu of its own.
        const auto *box = screen.findChild<QLineEdit *>(u"Numero1"_qs);
        const QPoint inBox = box->mapTo(&screen, box->rect().center());
        QCOMPARE(screen.childAt(inBox), screen.findChild<QWidget *>(u"Postazione1(0)"_qs));
        QTest::mouseClick(screen.windowHandle(), Qt::RightButton, {}, inBox);
        QVERIFY(!QApplication::activePopupWidget());

        auto *child = screen.findChild<QPushButton *>(u"PB1(10)"_qs);
        child->setText(u"&Coda Unica"_qs); // a caption's mnemonic is no shortcut either
        for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
            QTest::keyClick(child, Qt::Key(key));
        QTest::keyClick(child, Qt::Key_F4, Qt::AltModifier);
        QTest::keyClick(screen.windowHandle(), Qt::Key_C, Qt::AltModifier);
        QVERIFY(screen.isEnabled() && work_->ticketFiles().isEmpty());
        QVERIFY(!screen.close()); // a window manager's close request
        screen.reject();
        QVERIFY(screen.isVisible());

        // Boxes over the screen answer their keys; F10 meanwhile leaves the screen up.
        QVERIFY(archives_->run(u"KZ4.mdb"_qs, {u"DELETE FROM Utenti"_qs}));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            bool answered = false;
            QTimer::singleShot(0, &screen, [&] {
                QPointer<QWidget> notice = QApplication::activeModalWidget();
                QVERIFY(qobject_cast<QMessageBox *>(notice));
                QTest::keyClick(&screen, Qt::Key_F10);
                QTest::keyClick(notice, key);
                answered = !notice || !notice->isVisible();
                if (notice && notice->isVisible())
                    static_cast<QDialog *>(notice.data())->reject();
            });
            screen.lookupOperators();
            screen.waitForArchiveWork();
            QVERIFY(answered);
            QVERIFY(screen.isVisible());
        }
        QTest::keyClick(child, Qt::Key_F10);
        QTRY_VERIFY(!screen.isVisible());
        QCOMPARE(screen.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestFrontEnd)
#include "tst_frontend.moc"
