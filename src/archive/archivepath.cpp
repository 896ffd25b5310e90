#include "archive/archivepath.h"

#include <QDir>

QString ArchivePath::join(const QString &folder, const QString &fileName)
{
    const QString native = QDir::toNativeSeparators(folder);
    if (native.endsWith(QDir::separator()))
        return native + fileName;
    return native + QDir::separator() + fileName;
}
