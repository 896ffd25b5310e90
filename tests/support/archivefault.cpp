#include "support/archivefault.h"

#include "archive/archiveconnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <grp.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {
const QString totem = QStringLiteral("Totem.mdb");
const QString keptSuffix = QStringLiteral(".kept");

constexpr QFile::Permissions readOnlyFile = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr QFile::Permissions readOnlyFolder =
    readOnlyFile | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
constexpr QFile::Permissions writableFile = readOnlyFile | QFile::WriteOwner;
constexpr QFile::Permissions writableFolder = readOnlyFolder | QFile::WriteOwner;
} // namespace

ArchiveFault::ArchiveFault(QString folder) : folder_(std::move(folder)) {}

ArchiveFault::~ArchiveFault()
{
    ArchiveConnection::setOpeningHook({});
    restore();
}

void ArchiveFault::arm(Kind kind, int opening)
{
    kind_ = kind;
    target_ = opening;
    struck_ = false;
    opened_.clear();
    ArchiveConnection::setOpeningHook([this](const QString &path) {
        if (!struck_ && opened_.size() == target_)
            strike();
        opened_ << QFileInfo(path).fileName();
    });
}

void ArchiveFault::watch()
{
    arm(kind_, -1);
}

void ArchiveFault::strike()
{
    struck_ = true;
    QDir dir(folder_);
    switch (kind_) {
    case Kind::FolderRemoved:
        QDir().rename(folder_, folder_ + keptSuffix);
        break;
    case Kind::ReadOnly:
        for (const QString &file : dir.entryList(QDir::Files))
            QFile::setPermissions(dir.filePath(file), readOnlyFile);
        QFile::setPermissions(folder_, readOnlyFolder);
        break;
    case Kind::NotAnArchive: {
        dir.rename(totem, totem + keptSuffix);
        QFile junk(dir.filePath(totem));
        if (junk.open(QIODevice::WriteOnly))
            junk.write(QByteArray("Questo file non contiene un archivio.\n").repeated(200));
        break;
    }
    }
}

void ArchiveFault::restore()
{
    ArchiveConnection::setOpeningHook({});
    if (!struck_)
        return;
    struck_ = false;
    QDir dir(folder_);
    switch (kind_) {
    case Kind::FolderRemoved:
        QDir().rename(folder_ + keptSuffix, folder_);
        break;
    case Kind::ReadOnly:
        QFile::setPermissions(folder_, writableFolder);
        for (const QString &file : dir.entryList(QDir::Files))
            QFile::setPermissions(dir.filePath(file), writableFile);
        break;
    case Kind::NotAnArchive:
        dir.remove(totem);
        dir.rename(totem + keptSuffix, totem);
        break;
    }
}

QString ArchiveFault::name(Kind kind)
{
    switch (kind) {
    case Kind::FolderRemoved:
        return QStringLiteral("folder removed");
    case Kind::ReadOnly:
        return QStringLiteral("read-only");
    case Kind::NotAnArchive:
        return QStringLiteral("Totem.mdb not an archive");
    }
    return {};
}

bool ArchiveFault::runWithoutRoot()
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
