#include "console/gestionetotem.h"
#include "console/instanceguard.h"
#include "console/qttranslation.h"
#include "console/startupsequence.h"
#include "core/kioskstate.h"
#include "core/systemclock.h"
#include "ui/fontsubstitutes.h"
#include "ui/qtdialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Totem KZ4"));
    QApplication::setApplicationVersion(QStringLiteral(TOTEM_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Il totem dei biglietti e la sua console di gestione."));
    parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption publicOption(
        QStringLiteral("pubblico"),
        QStringLiteral("Dopo l'avvio apre subito il Front-End al pubblico sulla numerazione "
                       "corrente, come la console con \"Carica la Numerazione Corrente\"; "
                       "F10 lo chiude e mostra la console."));
    parser.addOption(publicOption);

    // Asked on a text console (over ssh on the kiosk) the version needs no window system.
    if (parser.parse(QStringList(argv, argv + argc)) && parser.isSet(versionOption))
        parser.showVersion();

    QApplication app(argc, argv);
    parser.process(app);
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
    if (parser.isSet(publicOption))
        QTimer::singleShot(0, &console, [&console] {
            console.openPublicScreenWith(GestioneTotem::StartMode::Current);
        });
    return app.exec();
}
