#include "console/gestionetotem.h"
#include "core/kioskstate.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestGestioneTotem : public QObject
{
    Q_OBJECT

private:
    KioskState state_;
    ScriptedDialogs dialogs_;
    ManualClock clock_;

    template <typename T> T *find(QWidget &root, const QString &name)
    {
        T *widget = root.findChild<T *>(name);
        if (!widget)
            qWarning() << "missing" << name;
        return widget;
    }

private slots:
    void captionsAndStartModes()
    {
        GestioneTotem console(state_, dialogs_, clock_);
        QCOMPARE(console.windowTitle(), QStringLiteral("Gestione Totem"));
        const std::pair<const char *, const char *> buttons[] = {
            {"PB1(0)", " C&hudi"},
            {"PB1(1)", " Apre Front-End al pubblico"},
            {"PB1(2)", "Impostazione Stampa"},
            {"PB1(3)", "Impostazione "},
            {"PB1(4)", "Imposta Layout"},
            {"PushButton1", "Tableau delle presenze"},
        };
        for (const auto &[name, caption] : buttons)
            QCOMPARE(find<QPushButton>(console, QString::fromUtf8(name))->text(),
                     QString::fromUtf8(caption));
        QCOMPARE(find<QLabel>(console, QStringLiteral("Label1"))->text(),
                 QStringLiteral("Versione 3.3.5"));

        auto *initial = find<QRadioButton>(console, QStringLiteral("RadioButton1(0)"));
        auto *current = find<QRadioButton>(console, QStringLiteral("RadioButton1(1)"));
        QCOMPARE(initial->text(), QStringLiteral(" Carica la Numerazione Iniziale"));
        QCOMPARE(current->text(), QStringLiteral(" Carica la Numerazione Corrente"));
        QCOMPARE(console.startMode(), GestioneTotem::StartMode::Initial);
        current->click();
        QCOMPARE(console.startMode(), GestioneTotem::StartMode::Current);
    }

    void closingTheConsoleEndsTheProgram()
    {
        // By the button, by its access key Alt+H, and by the window's own close.
        for (int way = 0; way < 3; ++way) {
            GestioneTotem console(state_, dialogs_, clock_);
            console.show();
            console.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&console));
            if (way == 0)
                find<QPushButton>(console, QStringLiteral("PB1(0)"))->click();
            else if (way == 1)
                QTest::keyClick(&console, Qt::Key_H, Qt::AltModifier);
            else
                console.close();
            QTRY_VERIFY(!console.isVisible());
            // Being the last window that quits on close is what ends the program.
            QVERIFY(console.testAttribute(Qt::WA_QuitOnClose));
        }
    }
};

QTEST_MAIN(TestGestioneTotem)
#include "tst_gestionetotem.moc"
