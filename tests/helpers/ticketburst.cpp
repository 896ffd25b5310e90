// A public screen pressed over and over, the way a queue at the kiosk presses it: starts
// the day from the current numbering, as a restarted kiosk does, then presses the single
// queue's button until it is killed or has pressed as many times as asked. Every ticket
// printed is reported on stdout ("N <number>") the moment the press returns. With a fourth
// argument the archive folder is moved to that path once the screen is up, as a share
// that goes away, and the presses go through the kiosk's journal.
#include "console/numberingstart.h"
#include "core/kioskstate.h"
#include "core/systemclock.h"
#include "frontend/frontend.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 && args.size() != 5) {
        std::fprintf(stderr, "uso: ticketburst CARTELLA_ARCHIVI CARTELLA_LAVORO PRESSIONI "
                             "[CARTELLA_LONTANA]\n");
        return 2;
    }
    KioskState state;
    state.archiveFolder = args.at(1);
    // The ticket project is looked up in the working folder, as the kiosk does.
    QDir::setCurrent(args.at(2));
    state.startingNumbers = NumberingStart::loadCurrent(state.archiveFolder);

    ScriptedDialogs dialogs;
    SystemClock clock;
    FrontEnd screen(state, dialogs, clock);
    screen.activate();
    screen.waitForArchiveWork();
    if (args.size() == 5 && !QDir().rename(state.archiveFolder, args.at(4)))
        return 3;
    auto *queue = screen.findChild<QPushButton *>(QStringLiteral("PB1(10)"));
    auto *box = screen.findChild<QLineEdit *>(QStringLiteral("Numero11"));
    const int presses = args.at(3).toInt();
    for (int i = 0; i < presses; ++i) {
        const qsizetype told = dialogs.messages.size();
        queue->click();
        // The screen takes the next press once the event loop has run after this one.
        if (!QTest::qWaitFor([&] { return screen.isEnabled(); }))
            return 1;
        if (dialogs.messages.size() == told)
            std::printf("N %s\n", qPrintable(box->text()));
        else
            std::printf("R %s\n", qPrintable(dialogs.messages.last().text.section(u'\n', 0, 0)));
        std::fflush(stdout);
    }
    return 0;
}
