#pragma once

#include <QString>

// Where the three archives of an installation live inside the archive folder.
class ArchivePath
{
public:
    static QString kz4() { return QStringLiteral("KZ4.mdb"); }
    static QString kz4b() { return QStringLiteral("KZ4B.mdb"); }
    static QString totem() { return QStringLiteral("Totem.mdb"); }

    // The folder followed by the platform's separator and the file name; a folder that
    // already ends with a separator (a drive's root) gets no second one.
    static QString join(const QString &folder, const QString &fileName);
};
