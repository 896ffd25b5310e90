#include "console/gestionetotem.h"
#include "core/kioskstate.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"

#include <QPushButton>
#include <QtTest>

class TestGestioneTotem : public QObject
{
    Q_OBJECT

private:
    KioskState state_;
    ScriptedDialogs dialogs_;
    ManualClock clock_;

private slots:
    void closingTheConsoleEndsTheProgram()
    {
        // By the button, by its access key Alt+H, and by the window's own close.
        for (int way = 0; way < 3; ++way) {
            GestioneTotem console(state_, dialogs_, clock_);
            console.show();
            console.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&console));
            if (way == 0)
                console.findChild<QPushButton *>(QStringLiteral("PB1(0)"))->click();
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
