#pragma once

#include "console/startupsequence.h"
#include "core/kioskstate.h"
#include "support/archivefixture.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"

#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class FrontEnd;
class QDialog;
class QWidget;

template <typename T = QWidget> T *named(const QObject &parent, const QString &name)
{
    return parent.findChild<T *>(name);
}

// A whole file written, or read ("<none>" when it cannot be).
inline bool put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
inline QByteArray take(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

// An office in a temporary folder, as the kiosk meets it on a Monday at 09:40: fresh archives
// with Rossi Anna (ID 5) on duty at counter 3, the process state pointing at them with the
// counter names "Sportello 1" to "Sportello 10", and the working folder made current, its
// Ticket.lbl printing each ticket as a PDF file. The actions go through the real screens.
class KioskFixture
{
public:
    static constexpr int StaffedCounter = 3;
    static constexpr qint32 OperatorId = 5;

    KioskFixture();
    ~KioskFixture();
    KioskFixture(const KioskFixture &) = delete; // the opening hook points at this one
    KioskFixture &operator=(const KioskFixture &) = delete;

    bool isValid() const { return valid_; }
    QString folder() const { return archives.folder(); }
    QString workPath(const QString &name) const { return work_.filePath(name); }
    QStringList printed() const;
    // The local setting that lets a press go through the kiosk's journal when Totem.mdb is
    // out of reach; off unless a test turns it on.
    void keepIssuingOffline(bool on);

    // The start-up sequence with percorsiT.txt naming the state's archive folder.
    StartupSequence::Outcome startUp();
    // Presses a console button; whileShown looks at the screen that button opens. Returns
    // the names of the screens shown, or "<console disabled>" when it was left unusable.
    QString openFromConsole(const QString &button,
                            const std::function<void(QDialog &)> &whileShown = {});
    // The public screen over this office, activated, its first reads done.
    std::unique_ptr<FrontEnd> openScreen();
    // Presses a counter's button (1..10, 11 the single queue) on an activated public screen
    // and waits for the screen to come back; true when a ticket was printed.
    bool press(FrontEnd &screen, int line);

    // The archive folder breaks the way a shared folder breaks in an office: taken away, made
    // read-only, or its Totem.mdb overwritten by something that is not an archive.
    enum class Fault
    {
        FolderRemoved,
        ReadOnly,
        NotAnArchive
    };
    // Strikes just before the opening of an archive numbered `opening` (0 = the next one),
    // so that an action can be broken between any two of its operations; an opening that
    // never comes (-1) only lists them in opened().
    void breakBefore(Fault fault, int opening = -1);
    bool struck() const { return struck_; }
    const QStringList &opened() const { return opened_; }
    // Puts the folder back as it was and stops watching.
    void repair();

    // Root writes and reads whatever the file modes say; a test that needs them to bite
    // gives up root for good, before it makes any file. False when that was not possible.
    static bool giveUpRoot();

    ArchiveFixture archives;
    KioskState state;
    ScriptedDialogs dialogs;
    ManualClock clock;

private:
    void strike();

    QTemporaryDir work_;
    Fault fault_ = Fault::FolderRemoved;
    int target_ = -1;
    bool struck_ = false;
    QStringList opened_;
    QString home_;
    bool valid_ = false;
};
