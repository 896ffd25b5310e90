#include "archive/archivepath.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
constexpr char16_t ArchiveMark = u'#';
}

QString ArchivePath::join(const QString &folder, const QString &fileName)
{
    if (isServer(folder))
        return folder.trimmed() + ArchiveMark + fileName;
    const QString native = QDir::toNativeSeparators(folder);
    if (native.endsWith(QDir::separator()))
        return native + fileName;
    return native + QDir::separator() + fileName;
}

bool ArchivePath::isServer(const QString &location)
{
    const QString trimmed = location.trimmed();
    return trimmed.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive)
           || trimmed.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive);
}

QString ArchivePath::fileName(const QString &archivePath)
{
    if (isServer(archivePath))
        return archivePath.mid(archivePath.lastIndexOf(ArchiveMark) + 1);
    return QFileInfo(archivePath).fileName();
}

QString ArchivePath::serverOf(const QString &archivePath)
{
    const qsizetype mark = archivePath.lastIndexOf(ArchiveMark);
    return mark < 0 ? archivePath.trimmed() : archivePath.left(mark);
}

QString ArchivePath::describe(const QString &archivePath)
{
    if (!isServer(archivePath))
        return archivePath;
    // A password written into the address stays off the screen.
    static const QRegularExpression password(QStringLiteral("(://[^/@:]*):[^@/]*@"));
    const QString address = serverOf(archivePath).replace(password, QStringLiteral("\\1@"));
    if (!archivePath.contains(ArchiveMark))
        return address;
    return QStringLiteral("%1 sul server %2").arg(fileName(archivePath), address);
}
