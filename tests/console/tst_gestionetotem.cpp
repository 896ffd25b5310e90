#include "console/gestionetotem.h"
#include "console/qttranslation.h"
#include "support/kioskfixture.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The console: its closing, " Apre Front-End al pubblico" in both start modes twice in a row
// (what reaches the public screen and what is written to the archive), and Qt's own texts.
class TestGestioneTotem : public QObject
{
    Q_OBJECT

private slots:
    void closingTheConsoleEndsTheProgram()
    {
        KioskFixture office;
        // By the button, by its access key Alt+H, and by the window's own close.
        for (int way = 0; way < 3; ++way) {
            GestioneTotem console(office.state, office.dialogs, office.clock);
            console.show();
            console.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&console));
            if (way == 0)
                named<QPushButton>(console, u"PB1(0)"_qs)->click();
            else if (way == 1)
                QTest::keyClick(&console, Qt::Key_H, Qt::AltModifier);
            else
                console.close();
            QTRY_VERIFY(!console.isVisible());
            // Being the last window that quits on close is what ends the program.
            QVERIFY(console.testAttribute(Qt::WA_QuitOnClose));
        }
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
            QStringList labels;
            office.dialogs.screenScripts << [&](QDialog &screen) {
                for (const QString &name :
                     {u"Label2"_qs, u"Label77"_qs, u"Label3"_qs, u"Label6(2)"_qs})
                    labels << named<QLabel>(screen, name)->text();
                return int(QDialog::Accepted);
            };
            named<QPushButton>(console, u"PB1(1)"_qs)->click();
            QCOMPARE(labels, (QStringList{u"venerdì 04 dicembre 2026"_qs, u"04/12/2026"_qs,
                                          u"09.05"_qs, u"Sportello 3"_qs}));
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
    // Italian when Qt's translations are installed; English, and no failure, when they are not.
    void standardButtonsSpeakItalian()
    {
        QTemporaryDir empty;
        QVERIFY(!QtTranslation::install(*qApp, empty.path()));
        QCOMPARE(QDialogButtonBox(QDialogButtonBox::Cancel).buttons().value(0)->text(),
                 u"Cancel"_qs);
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                           + u"/qtbase_it.qm"_qs))
            QSKIP("Qt's Italian translation (qt6-translations-l10n) is not installed");
        QVERIFY(QtTranslation::install(*qApp));
        QCOMPARE(QDialogButtonBox(QDialogButtonBox::Cancel).buttons().value(0)->text(),
                 u"Annulla"_qs);
    }
};

QTEST_MAIN(TestGestioneTotem)
#include "tst_gestionetotem.moc"
