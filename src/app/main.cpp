#include "console/gestionetotem.h"
#include "console/instanceguard.h"
#include "console/qttranslation.h"
#include "console/startupsequence.h"
#include "core/kioskstate.h"
#include "core/systemclock.h"
#include "ui/fontsubstitutes.h"
#include "ui/qtdialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Totem KZ4"));
    QApplication::setApplicationVersion(QStringLiteral("3.3.5"));
    FontSubstitutes::install();
    // Qt's standard buttons and menus speak the kiosk's language; without the file, English.
    QtTranslation::install(app);

    QtDialogs dialogs;
    SystemClock clock;
    KioskState state;
    InstanceGuard guard;

    // The start-up shows its own boxes and the folder setup before any main window exists;
    // closing one of those must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    StartupSequence startup(state, dialogs, guard);
    if (startup.run() == StartupSequence::Outcome::EndProgram)
        return 0;

    GestioneTotem console(state, dialogs, clock);
    QApplication::setQuitOnLastWindowClosed(true);
    console.show();
    return app.exec();
}
