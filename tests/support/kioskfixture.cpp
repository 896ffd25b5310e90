#include "support/kioskfixture.h"

#include "archive/archiveconnection.h"
#include "archive/archiveschema.h"
#include "archive/issuejournal.h"
#include "console/gestionetotem.h"
#include "console/instanceguard.h"
#include "frontend/frontend.h"
#include "report/ticketproject.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

#include <grp.h>
#include <sys/prctl.h>
#include <unistd.h>

KioskFixture::KioskFixture() : home_(QDir::currentPath())
{
    // The kiosk's own journal and settings stay inside the office, never in the home folder.
    qputenv("XDG_DATA_HOME", work_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", work_.path().toUtf8());
    // The fault runs see what the office's own kiosk would without its journal: a refusal.
    keepIssuingOffline(false);
    state.archiveFolder = folder();
    for (int i = 0; i < Office::CounterCount; ++i)
        state.counterNames[i] = QStringLiteral("Sportello %1").arg(i + 1);
    valid_ = archives.isValid() && work_.isValid()
             && archives.addOperator(OperatorId, QStringLiteral("Rossi Anna"))
             && archives.setDuty(ArchiveSchema::dayTable(1), StaffedCounter,
                                 ArchiveSchema::hourField(9), OperatorId)
             && QDir(work_.path()).mkdir(QStringLiteral("tickets"))
             && QDir::setCurrent(work_.path());
    TicketProject::defaultTicket(TicketProject::pdfPrefix() + workPath(QStringLiteral("tickets")))
        .save(workPath(TicketProject::defaultFileName()));
}

KioskFixture::~KioskFixture()
{
    repair();
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    QDir::setCurrent(home_);
}

void KioskFixture::keepIssuingOffline(bool on)
{
    QSettings(IssueJournal::settingsPath(), QSettings::IniFormat)
        .setValue(QStringLiteral("archivio/giornaleLocale"), on);
}

QStringList KioskFixture::printed() const
{
    return QDir(workPath(QStringLiteral("tickets")))
        .entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

StartupSequence::Outcome KioskFixture::startUp()
{
    const QString percorsi = workPath(QStringLiteral("percorsiT.txt"));
    put(percorsi, '"' + state.archiveFolder.toUtf8() + "\"\r\n");
    InstanceGuard guard(workPath(QStringLiteral("totem.lock")));
    StartupSequence startup(state, dialogs, guard);
    startup.setPercorsiPath(percorsi);
    return startup.run();
}

QString KioskFixture::openFromConsole(const QString &button,
                                      const std::function<void(QDialog &)> &whileShown)
{
    GestioneTotem console(state, dialogs, clock);
    const qsizetype shownBefore = dialogs.screens.size();
    dialogs.screenScripts << [&](QDialog &screen) {
        if (whileShown)
            whileShown(screen);
        return int(QDialog::Rejected);
    };
    named<QPushButton>(console, button)->click();
    dialogs.screenScripts.clear();
    if (!named<QPushButton>(console, button)->isEnabled() || !console.isEnabled())
        return QStringLiteral("<console disabled>");
    return dialogs.screens.mid(shownBefore).join(u',');
}

std::unique_ptr<FrontEnd> KioskFixture::openScreen()
{
    auto screen = std::make_unique<FrontEnd>(state, dialogs, clock);
    screen->activate();
    screen->waitForArchiveWork();
    return screen;
}

bool KioskFixture::press(FrontEnd &screen, int line)
{
    const qsizetype before = printed().size();
    named<QPushButton>(screen, QStringLiteral("PB1(%1)").arg(line - 1))->click();
    // The screen comes back through the event loop once the ticket is done.
    [&] { QTRY_VERIFY(screen.isEnabled()); }();
    return printed().size() > before;
}

namespace {
const QString totem = QStringLiteral("Totem.mdb");
const QString keptSuffix = QStringLiteral(".kept");
constexpr QFile::Permissions readOnlyFile = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr QFile::Permissions readOnlyFolder =
    readOnlyFile | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
} // namespace

void KioskFixture::breakBefore(Fault fault, int opening)
{
    fault_ = fault;
    target_ = opening;
    struck_ = false;
    opened_.clear();
    ArchiveConnection::setOpeningHook([this](const QString &path) {
        if (!struck_ && opened_.size() == target_)
            strike();
        opened_ << QFileInfo(path).fileName();
    });
}

void KioskFixture::strike()
{
    struck_ = true;
    QDir dir(folder());
    if (fault_ == Fault::FolderRemoved) {
        QDir().rename(folder(), folder() + keptSuffix);
    } else if (fault_ == Fault::ReadOnly) {
        for (const QString &file : dir.entryList(QDir::Files))
            QFile::setPermissions(dir.filePath(file), readOnlyFile);
        QFile::setPermissions(folder(), readOnlyFolder);
    } else {
        dir.rename(totem, totem + keptSuffix);
        put(dir.filePath(totem),
            QByteArray("Questo file non contiene un archivio.\n").repeated(200));
    }
}

void KioskFixture::repair()
{
    ArchiveConnection::setOpeningHook({});
    if (!struck_)
        return;
    struck_ = false;
    QDir dir(folder());
    if (fault_ == Fault::FolderRemoved) {
        QDir().rename(folder() + keptSuffix, folder());
    } else if (fault_ == Fault::ReadOnly) {
        QFile::setPermissions(folder(), readOnlyFolder | QFile::WriteOwner);
        for (const QString &file : dir.entryList(QDir::Files))
            QFile::setPermissions(dir.filePath(file), readOnlyFile | QFile::WriteOwner);
    } else {
        dir.remove(totem);
        dir.rename(totem + keptSuffix, totem);
    }
}

bool KioskFixture::giveUpRoot()
{
    if (geteuid() != 0)
        return true;
    constexpr uid_t nobody = 65534;
    if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)
        return false;
    // Changing identity makes the process undumpable, and the leak checker of the
    // sanitizer build must be able to inspect its own threads.
    prctl(PR_SET_DUMPABLE, 1);
    return geteuid() == nobody;
}
