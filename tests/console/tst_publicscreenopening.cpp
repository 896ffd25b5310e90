#include "console/gestionetotem.h"
#include "core/kioskstate.h"
#include "support/archivefixture.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The console's " Apre Front-End al pubblico" with both start modes: what reaches the
// public screen and what is written to the archive. Damaged archives are tried in
// tst_damagedarchives.
class TestPublicScreenOpening : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ArchiveFixture> archives_;
    KioskState state_;
    ScriptedDialogs dialogs_;
    ManualClock clock_{QDateTime(QDate(2026, 12, 4), QTime(9, 5))};

    struct Seen
    {
        QString longDate, shortDate, time, name3;
        std::array<qint32, 11> starting{};
    };

    // Presses the command and records what the public screen shows when it comes up.
    Seen open(GestioneTotem &console)
    {
        Seen seen;
        dialogs_.screenScripts << [&](QDialog &screen) {
            seen.longDate = screen.findChild<QLabel *>(QStringLiteral("Label2"))->text();
            seen.shortDate = screen.findChild<QLabel *>(QStringLiteral("Label77"))->text();
            seen.time = screen.findChild<QLabel *>(QStringLiteral("Label3"))->text();
            seen.name3 = screen.findChild<QLabel *>(QStringLiteral("Label6(2)"))->text();
            seen.starting = state_.startingNumbers;
            return int(QDialog::Accepted);
        };
        console.findChild<QPushButton *>(QStringLiteral("PB1(1)"))->click();
        return seen;
    }

    QStringList currentNumbers() const
    {
        QStringList values;
        for (const QString &field :
             {QStringLiteral("P1"), QStringLiteral("P5"), QStringLiteral("P10"),
              QStringLiteral("P11"), QStringLiteral("P11Q")})
            values << archives_->firstValue(QStringLiteral("Totem.mdb"),
                                            QStringLiteral("Numerazione"), field);
        return values;
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        archives_ = std::make_unique<ArchiveFixture>();
        QVERIFY(archives_->isValid());
        state_ = KioskState();
        state_.archiveFolder = archives_->folder();
        state_.counterNames[2] = QStringLiteral("Protocollo");
        dialogs_ = ScriptedDialogs();
        QStringList numbers;
        for (int line = 1; line <= 11; ++line)
            numbers << QStringLiteral("P%1 = %2").arg(line).arg(line * 10);
        QStringList initial;
        for (int line = 1; line <= 11; ++line)
            initial << QStringLiteral("P%1 = %2").arg(line + 10).arg(line * 1000);
        QVERIFY(archives_->run(
            QStringLiteral("Totem.mdb"),
            {QStringLiteral("UPDATE Numerazione SET %1, P11Q = 7").arg(numbers.join(u',')),
             QStringLiteral("UPDATE NumerazioneIniziale SET %1").arg(initial.join(u','))}));
    }

    void theInitialStartResetsOnlyTheSingleQueue()
    {
        GestioneTotem console(state_, dialogs_, clock_);
        const Seen seen = open(console);
        QCOMPARE(dialogs_.screens, QStringList{QStringLiteral("FrontEnd")});
        QCOMPARE(seen.longDate, QStringLiteral("venerdì 04 dicembre 2026"));
        QCOMPARE(seen.shortDate, QStringLiteral("04/12/2026"));
        QCOMPARE(seen.time, QStringLiteral("09.05"));
        QCOMPARE(seen.name3, QStringLiteral("Protocollo"));
        for (int line = 1; line <= 11; ++line)
            QCOMPARE(seen.starting[line - 1], line * 1000);
        QCOMPARE(console.startingNumbers(), seen.starting);
        QCOMPARE(currentNumbers(),
                 (QStringList{QStringLiteral("10"), QStringLiteral("50"), QStringLiteral("100"),
                              QStringLiteral("11000"), QStringLiteral("11000")}));

        // A second initial start writes the single queue again.
        QVERIFY(archives_->run(QStringLiteral("Totem.mdb"),
                               {QStringLiteral("UPDATE Numerazione SET P11 = 11005, P11Q = 0")}));
        open(console);
        QCOMPARE(currentNumbers().mid(3),
                 (QStringList{QStringLiteral("11000"), QStringLiteral("11000")}));
    }

    void theCurrentStartWritesNothing()
    {
        GestioneTotem console(state_, dialogs_, clock_);
        console.findChild<QRadioButton *>(QStringLiteral("RadioButton1(1)"))->click();
        const QStringList before = currentNumbers();
        const Seen seen = open(console);
        for (int line = 1; line <= 11; ++line)
            QCOMPARE(seen.starting[line - 1], line * 10);
        QCOMPARE(currentNumbers(), before);
    }
};

QTEST_MAIN(TestPublicScreenOpening)
#include "tst_publicscreenopening.moc"
