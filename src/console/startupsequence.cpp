#include "console/startupsequence.h"

#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/issuejournal.h"
#include "archive/issuestore.h"
#include "archive/recordset.h"
#include "console/instanceguard.h"
#include "core/kioskstate.h"
#include "setup/imporete.h"
#include "setup/percorsifile.h"
#include "ui/dialogs.h"

#include <QFileInfo>

namespace {

// Only a path that leads to no file is an unreachable archive: a wrong path, a folder that
// is not there, a file that is not there. A file that is there but cannot be opened (its
// permissions, its content) is another failure, whatever the driver calls it: SQLite reports
// a file it may not read just as it reports a file it cannot find. On a server, a server
// that cannot be reached and an archive that is not there are both unreachable.
bool unreachable(const ArchiveError &error, const QString &path)
{
    return error.reason() == ArchiveError::Reason::Unreachable
           && (ArchivePath::isServer(path) || !QFileInfo::exists(path));
}

} // namespace

StartupSequence::StartupSequence(KioskState &state, Dialogs &dialogs, InstanceGuard &guard)
    : state_(state), dialogs_(dialogs), guard_(guard), percorsiPath_(PercorsiFile::fileName())
{
}

StartupSequence::Outcome StartupSequence::run()
{
    if (!guard_.tryAcquire()) {
        dialogs_.alert(nullptr, QStringLiteral("KZ4-Modulo Totem  risulta già in esecuzione "
                                               "sulla macchina !"));
        return Outcome::EndProgram;
    }

    const PercorsiFile::ReadResult folder = PercorsiFile::read(percorsiPath_);
    switch (folder.status) {
    case PercorsiFile::ReadResult::Status::Missing:
        dialogs_.message(nullptr, Dialogs::Kind::Information,
                         QStringLiteral("Percorso Server non impostato o Server non "
                                        "raggiungibile !"),
                         QStringLiteral("KZ4 Totem-Messaggio"));
        showFolderSetup();
        return Outcome::ShowConsole;
    case PercorsiFile::ReadResult::Status::FolderMissing:
        showFolderSetup();
        return Outcome::ShowConsole;
    case PercorsiFile::ReadResult::Status::Unreadable:
        // An unreadable file stops the start silently; the console says nothing either.
        return Outcome::ShowConsole;
    case PercorsiFile::ReadResult::Status::Empty:
        dialogs_.alert(nullptr, QStringLiteral("Il file percorsiT.txt è vuoto: il percorso degli "
                                               "archivi non è impostato.\nImpostarlo e riavviare "
                                               "il programma."));
        return Outcome::ShowConsole;
    case PercorsiFile::ReadResult::Status::Ok:
        break;
    }
    state_.archiveFolder = folder.folder;

    const QString kz4 = ArchivePath::join(state_.archiveFolder, ArchivePath::kz4());
    RecordSet mainArchive;
    mainArchive.bind(kz4, QStringLiteral("configurazione"));
    try {
        mainArchive.open();
    } catch (const ArchiveError &error) {
        if (unreachable(error, kz4)) {
            // The folder chosen now is read at the next start, as the setup screen says.
            showFolderSetup();
            return Outcome::EndProgram;
        }
        // Any other failure of the reachability test stops the start without a word.
        return Outcome::ShowConsole;
    }
    // A kiosk stopped while its share was gone writes back what it issued before anything
    // else touches Numerazione.
    IssueJournal journal;
    IssueStore::writeBack(state_.archiveFolder, journal);

    try {
        // The record set just opened is configurazione as it stands: the label set
        // number is read from it rather than opening the table a second time.
        const qint32 labelSet = mainArchive.toInt32(QStringLiteral("qualelayout"));
        mainArchive.bind(kz4, QStringLiteral("Layout") + QString::number(labelSet));
        mainArchive.open();
        for (int i = 1; i <= Office::CounterCount; ++i) {
            // A counter whose label is missing gets no name, rather than the name of the
            // record a failed search happens to leave current.
            const bool found = mainArchive.findFirst(QStringLiteral("[DescCampo]like'Postazione")
                                                     + QString::number(i) + u'\'');
            state_.counterNames[i - 1] =
                found ? mainArchive.text(QStringLiteral("Testo")) : QString();
        }
    } catch (const ArchiveError &error) {
        dialogs_.alert(nullptr, QStringLiteral("I nomi delle postazioni non possono essere "
                                               "letti.\n")
                                    + error.fullText());
    }
    return Outcome::ShowConsole;
}

void StartupSequence::showFolderSetup()
{
    ImpoRete setup(dialogs_, percorsiPath_);
    dialogs_.exec(setup);
}
