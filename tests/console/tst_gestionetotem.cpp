#include "console/gestionetotem.h"
#include "core/kioskstate.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"
#include "ui/twips.h"

#include <QGroupBox>
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
    void elementsCarryTheirNamesCaptionsAndPlaces()
    {
        GestioneTotem console(state_, dialogs_, clock_);
        QCOMPARE(console.objectName(), QStringLiteral("GestioneTotem"));
        QCOMPARE(console.windowTitle(), QStringLiteral("Gestione Totem"));
        QCOMPARE(console.size(), QSize(Twips::toPixels(8265), Twips::toPixels(6615)));

        struct Expected
        {
            const char *name;
            const char *caption;
            QRect place;
        };
        const Expected buttons[] = {
            {"PB1(0)", " C&hudi", Twips::rect(6600, 6000, 1095, 495)},
            {"PB1(1)", " Apre Front-End al pubblico", Twips::rect(4320, 240, 3015, 495)},
            {"PB1(2)", "Impostazione Stampa", Twips::rect(5040, 6000, 1575, 495)},
            {"PB1(3)", "Impostazione ", Twips::rect(2040, 6000, 1575, 495)},
            {"PB1(4)", "Imposta Layout", Twips::rect(3600, 6000, 1455, 495)},
            {"PushButton1", "Tableau delle presenze", Twips::rect(240, 6000, 1815, 495)},
        };
        for (const Expected &e : buttons) {
            auto *button = find<QPushButton>(console, QString::fromUtf8(e.name));
            QVERIFY(button);
            QCOMPARE(button->text(), QString::fromUtf8(e.caption));
            QCOMPARE(button->geometry(), e.place);
            QCOMPARE(button->palette().color(QPalette::Button), QColor(225, 226, 236));
        }
        // The public-screen command sits in the group box with the start modes.
        auto *group = find<QGroupBox>(console, QStringLiteral("GroupBox1"));
        QVERIFY(group);
        QCOMPARE(group->title(), QString());
        QCOMPARE(find<QPushButton>(console, QStringLiteral("PB1(1)"))->parentWidget(), group);

        auto *version = find<QLabel>(console, QStringLiteral("Label1"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("Versione 3.3.5"));
        QVERIFY(find<QLabel>(console, QStringLiteral("Label9"))->text().isEmpty());
        QVERIFY(!find<QLabel>(console, QStringLiteral("Image1"))->pixmap().isNull());
        QCOMPARE(console.font().pointSizeF(), 8.25);
    }

    void theStartModesAreOneGroupStartingFromTheInitialNumbers()
    {
        GestioneTotem console(state_, dialogs_, clock_);
        auto *initial = find<QRadioButton>(console, QStringLiteral("RadioButton1(0)"));
        auto *current = find<QRadioButton>(console, QStringLiteral("RadioButton1(1)"));
        QVERIFY(initial && current);
        QCOMPARE(initial->text(), QStringLiteral(" Carica la Numerazione Iniziale"));
        QCOMPARE(current->text(), QStringLiteral(" Carica la Numerazione Corrente"));
        QVERIFY(initial->isChecked());
        QCOMPARE(console.startMode(), GestioneTotem::StartMode::Initial);
        current->click();
        QVERIFY(!initial->isChecked());
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
