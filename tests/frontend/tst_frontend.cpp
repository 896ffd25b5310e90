#include "frontend/frontend.h"
#include "frontend/numbering.h"
#include "frontend/ticketissuer.h"
#include "report/reportengine.h"
#include "report/ticketproject.h"
#include "support/kioskfixture.h"
#include "support/loopbackprinter.h"
#include "ui/qtdialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <limits>

namespace {
const QString monday = QStringLiteral("TotemLunedì");
} // namespace

using Shown = QList<int>; // the eleven lines' numbers; -1: no number shown

// The public screen as the public sees it: who is on duty, the numbers, the keys, the tickets,
// and the printer refusing them.
class TestFrontEnd : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<KioskFixture> office_;
    std::unique_ptr<FrontEnd> screen_;

    ArchiveFixture &archives() const { return office_->archives; }
    // Counter i + 1 as shown: button, caption, counter name, number, served number.
    QString counter(int i) const
    {
        const auto *button = named<QPushButton>(*screen_, u"PB1(%1)"_qs.arg(i));
        return QStringList{button->isEnabled() ? u"aperto"_qs : u"chiuso"_qs, button->text(),
                           screen_->counterNameLabel(i)->text(),
                           named<QLineEdit>(*screen_, u"Numero%1"_qs.arg(i + 1))->text(),
                           i < 10 ? named<QLineEdit>(*screen_, u"Numero%1A"_qs.arg(i + 1))->text()
                                  : u"-"_qs}
            .join(u'|');
    }
    void at(int hour, int minute) { office_->clock.current.setTime(QTime(hour, minute)); }

private slots:
    void init()
    {
        office_ = std::make_unique<KioskFixture>();
        QVERIFY(office_->isValid() && archives().addOperator(7, u"Bianchi Luca"_qs));
        for (int i = 0; i < Office::LineCount; ++i)
            office_->state.startingNumbers[i] = 100 * (i + 1);
        screen_ = std::make_unique<FrontEnd>(office_->state, office_->dialogs, office_->clock);
    }

    void cleanup()
    {
        screen_.reset();
        office_.reset();
    }

    void activationStaffsTheCountersFromTheWeekdaysSchedule()
    {
        QVERIFY(archives().setDuty(monday, 4, u"nove"_qs, 99)); // nobody has ID 99
        QVERIFY(archives().setDuty(u"TotemDomenica"_qs, 5, u"nove"_qs, 7));
        QVERIFY(archives().run(u"Totem.mdb"_qs, {u"DELETE FROM \"TotemLunedì\" WHERE rowid IN "
                                                 "(SELECT rowid FROM \"TotemLunedì\" ORDER BY "
                                                 "rowid LIMIT 1 OFFSET 8)"_qs}));
        QVERIFY(archives().run(u"KZ4B.mdb"_qs, {u"UPDATE NumeriCode10 SET NumeroA1 = 41"_qs}));
        screen_->shortDateLabel()->setText(u"07/12/2026"_qs);
        screen_->activate();
        screen_->waitForArchiveWork();
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
        QCOMPARE(named<QLineEdit>(*screen_, u"Label88"_qs)->text(), u"09.05"_qs);
        // Sunday reads its own table, whatever the machine's language calls the day.
        office_->clock.current = QDateTime(QDate(2026, 12, 13), QTime(9, 0));
        screen_->lookupOperators();
        screen_->waitForArchiveWork();
        QCOMPARE(counter(4), u"aperto|Bianchi Luca|Sportello 5|500|0"_qs);
        QVERIFY(office_->dialogs.messages.isEmpty());
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
        QVERIFY(archives().setDuty(monday, 1, u"nove"_qs, 5));
        for (const QString &hour : {u"sette"_qs, u"dieci"_qs})
            QVERIFY(archives().setDuty(monday, 1, hour, 7));
        screen_->activate();
        screen_->waitForArchiveWork();
        auto *button = named<QPushButton>(*screen_, u"PB1(0)"_qs);
        button->click();
        button->click(); // while the first is being issued: dropped
        QVERIFY(!screen_->isEnabled());
        QTRY_VERIFY(screen_->isEnabled());
        QCOMPARE(office_->printed().size(), 1);
        at(time.hour(), time.minute());
        screen_->onHourTest();
        screen_->waitForArchiveWork();
        QCOMPARE(counter(0), shown);
        QCOMPARE(counter(10).section(u'|', 0, 3), u"aperto|Coda Unica|Nome postazione|1100"_qs);
        at(9, 41);
        screen_->activate(); // every activation starts from the starting numbers again
        screen_->waitForArchiveWork();
        QCOMPARE(counter(0), u"aperto|Rossi Anna|Sportello 1|100|0"_qs);
    }

    // Nobody is known to be on duty: the counters close on their starting numbers, the
    // single queue stays as it is.
    void aFailedFirstLookupClosesOnlyTheCounters()
    {
        QVERIFY(archives().run(u"Totem.mdb"_qs, {u"DROP TABLE \"TotemLunedì\""_qs}));
        screen_->activate();
        screen_->waitForArchiveWork();
        QVERIFY(!named<QLabel>(*screen_, u"Label9"_qs)->isHidden());
        QCOMPARE(counter(2), u"chiuso|||300|0"_qs);
        QCOMPARE(counter(10), u"aperto|Coda Unica|Nome postazione|1100|-"_qs);
    }

    void onlyF10ClosesAndOnlyOnceTheBoxesAreAnswered()
    {
        QtDialogs real;
        FrontEnd screen(office_->state, real, office_->clock);
        for (const QLabel *label : screen.findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
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
        QVERIFY(screen.isEnabled() && office_->printed().isEmpty());
        QVERIFY(!screen.close()); // a window manager's close request
        screen.reject();
        QVERIFY(screen.isVisible());

        // Boxes over the screen answer their keys; F10 meanwhile leaves the screen up. The
        // activation's read ends first: a lookup asked while one is under way is skipped.
        screen.waitForArchiveWork();
        QVERIFY(archives().run(u"KZ4.mdb"_qs, {u"DELETE FROM Utenti"_qs}));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            bool answered = false;
            int tries = 0;
            // The box comes when the reader's answer does, however long the archive takes,
            // and takes keys a moment after it is shown: it is tried again until then.
            QTimer poll;
            poll.callOnTimeout(&screen, [&] {
                QPointer<QWidget> notice = QApplication::activeModalWidget();
                if (!qobject_cast<QMessageBox *>(notice))
                    return;
                QTest::keyClick(&screen, Qt::Key_F10);
                QTest::keyClick(notice, key);
                answered = !notice || !notice->isVisible();
                if (!answered && ++tries < 1000)
                    return;
                poll.stop();
                if (!answered)
                    static_cast<QDialog *>(notice.data())->reject();
            });
            poll.start(5);
            screen.lookupOperators();
            screen.waitForArchiveWork();
            QTRY_VERIFY(answered);
            QVERIFY(screen.isVisible());
        }
        QTest::keyClick(child, Qt::Key_F10);
        QTRY_VERIFY(!screen.isVisible());
        QCOMPARE(screen.result(), int(QDialog::Accepted));
    }

    // A press on a line: the next number stored with the others, recorded and printed, and
    // every way it can fail leaving the numbering as it was.
    void issue_data()
    {
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<QString>("breakage"); // an SQL statement on Totem.mdb
        QTest::addColumn<int>("after");        // line 3's number after the press
        QTest::addColumn<QString>("stored");   // P1 to P11 after the press
        QTest::addColumn<QString>("said");     // a part of the one message, if any
        const Shown shown{-1, 20, 41, 0, -1, -1, -1, -1, -1, -1, 110};
        QTest::newRow("printed") << shown << QString() << 42 << u"7|20|42|0|7|7|7|7|7|7|110"_qs
                                 << QString();
        QTest::newRow("no number shown")
            << Shown(11, -1) << QString() << 1 << u"7|7|1|7|7|7|7|7|7|7|7"_qs << QString();
        QTest::newRow("beyond the limit")
            << Shown{-1, -1, std::numeric_limits<qint32>::max(), -1, -1, -1, -1, -1, -1, -1, -1}
            << QString() << std::numeric_limits<qint32>::max() << u"7|7|7|7|7|7|7|7|7|7|7"_qs
            << u"non è stato emesso"_qs;
        QTest::newRow("no ticket record") << shown << u"UPDATE DatiDaStampare SET ID = 2"_qs << 41
                                          << u"7|20|41|0|7|7|7|7|7|7|110"_qs
                                          << u"Nessun dato da stampare per questa selezione !"_qs;
        QTest::newRow("numbering not stored")
            << shown << u"DROP TABLE Numerazione"_qs << 41 << QString()
            << u"la numerazione non può essere memorizzata"_qs;
    }

    void issue()
    {
        QFETCH(Shown, shown);
        QFETCH(QString, breakage);
        QFETCH(int, after);
        QFETCH(QString, stored);
        QFETCH(QString, said);
        KioskFixture &office = *office_;
        const ArchiveFixture &archives = office.archives;
        QStringList everySeven;
        for (int k = 1; k <= Office::LineCount; ++k)
            everySeven << u"P%1 = 7"_qs.arg(k);
        QVERIFY(
            archives.run(u"Totem.mdb"_qs, {u"UPDATE Numerazione SET "_qs + everySeven.join(u','),
                                           breakage.isEmpty() ? u"SELECT 1"_qs : breakage}));

        Numbering numbering;
        for (int k = 0; k < 11; ++k)
            numbering.set(k, shown[k] < 0 ? std::nullopt : std::optional<qint32>(shown[k]));
        ScriptedDialogs &dialogs = office.dialogs;
        ReportEngine engine(dialogs, office.clock);
        TicketIssuer issuer(office.state, dialogs, engine, nullptr);
        issuer.issue(
            numbering, 2,
            {u"Comune"_qs, u"Rossi Anna"_qs, u"Protocollo"_qs, u"07/12/2026"_qs, u"09.41"_qs},
            [] {});
        issuer.waitForWork();

        QCOMPARE(numbering.current(2), std::optional<qint32>(after));
        QCOMPARE(dialogs.messageTexts().join(u'|').contains(said), true);
        QCOMPARE(dialogs.messages.size(), said.isEmpty() ? 0 : 1);
        QStringList fields;
        for (int k = 1; k <= 11 && !stored.isEmpty(); ++k)
            fields << archives.firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, u"P%1"_qs.arg(k));
        QCOMPARE(fields.join(u'|'), stored);
        QCOMPARE(office.printed().size(), said.isEmpty() ? 1 : 0);
        if (!said.isEmpty())
            return;
        QStringList ticket;
        for (const char *field : {"Titolo", "QualeUtente", "QualePostazione", "QualeData",
                                  "QualeOra", "NumeroDaStampare"})
            ticket << archives.firstValue(u"Totem.mdb"_qs, u"DatiDaStampare"_qs,
                                          QLatin1String(field));
        QCOMPARE(ticket.join(u'|'),
                 u"Comune|Rossi Anna|Protocollo|07/12/2026|09.41|%1"_qs.arg(after));
    }

    // A press meets a thermal printer that cannot print: the number is never used up, the
    // one message names the cause, and the screen takes the next press. Each refusal's own
    // message is tried in tst_escpos, a spooler's in tst_cupsprinting.
    void printerRefusal_data()
    {
        QTest::addColumn<LoopbackPrinter::Status>("status");
        QTest::addColumn<qsizetype>("dropAfter"); // bytes, or -1
        QTest::addColumn<QString>("said");        // a part of the one message
        QTest::newRow("paper end") << LoopbackPrinter::Status::PaperEnd << qsizetype(-1)
                                   << u"la stampante non è pronta.\n\nCarta esaurita"_qs;
        // Cut off in the middle of the ticket: the number goes back, and the ticket that may
        // have come out incomplete is never sent again.
        QTest::newRow("dropped halfway") << LoopbackPrinter::Status::Ready << qsizetype(2000)
                                         << u"potrebbe essere incompleto"_qs;
    }

    void printerRefusal()
    {
        QFETCH(LoopbackPrinter::Status, status);
        QFETCH(qsizetype, dropAfter);
        QFETCH(QString, said);
        LoopbackPrinter printer;
        printer.status = status;
        printer.dropAfter = dropAfter;
        TicketProject project = TicketProject::defaultTicket(printer.printerText());
        project.timeoutMs = 500;
        project.save(TicketProject::defaultFileName());
        const int line = KioskFixture::StaffedCounter;
        const auto stored = [&] {
            return archives().firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, u"P%1"_qs.arg(line));
        };
        // The day goes on from the stored number, as after a current-numbering start.
        const QString before = stored();
        office_->state.startingNumbers[line - 1] = before.toInt();
        screen_->activate();
        screen_->waitForArchiveWork();
        auto *box = named<QLineEdit>(*screen_, u"Numero%1"_qs.arg(line));
        named<QPushButton>(*screen_, u"PB1(%1)"_qs.arg(line - 1))->click();
        QTRY_VERIFY(screen_->isEnabled());

        QVERIFY2(office_->dialogs.alert().contains(said), qPrintable(office_->dialogs.alert()));
        QCOMPARE(box->text(), before);
        QCOMPARE(stored(), before);
        const LoopbackPrinter::Record record = printer.record();
        QCOMPARE(record.cuts, 0);
        // Refused before the number: not one byte of a ticket reached the printer.
        QCOMPARE(dropAfter < 0 ? record.printed : record.received.size(),
                 dropAfter < 0 ? 0 : dropAfter);
        QCOMPARE(record.connections, 1);
    }
};

QTEST_MAIN(TestFrontEnd)
#include "tst_frontend.moc"
