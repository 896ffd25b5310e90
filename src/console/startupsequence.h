#pragma once

#include <QString>

class Dialogs;
class InstanceGuard;
class KioskState;
class QWidget;

// What runs while the console is being loaded: one copy per machine, the archive folder
// from percorsiT.txt, the reachability of KZ4.mdb and the ten counter names. Whatever it
// reaches stays in the state; a failure stops it where it is.
class StartupSequence
{
public:
    enum class Outcome
    {
        ShowConsole,
        EndProgram
    };

    StartupSequence(KioskState &state, Dialogs &dialogs, InstanceGuard &guard);

    // percorsiT.txt, relative to the working directory unless a test says otherwise.
    void setPercorsiPath(const QString &path) { percorsiPath_ = path; }

    Outcome run();

private:
    void showFolderSetup();

    KioskState &state_;
    Dialogs &dialogs_;
    InstanceGuard &guard_;
    QString percorsiPath_;
};
