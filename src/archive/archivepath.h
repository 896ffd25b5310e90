#pragma once

#include <QString>

// Where the three archives of an installation live: files in an archive folder, or schemas
// of one database on a server. An archive path is the folder joined with the file name, or
// the server's address joined with the file name after a '#', which no server address uses.
class ArchivePath
{
public:
    static QString kz4() { return QStringLiteral("KZ4.mdb"); }
    static QString kz4b() { return QStringLiteral("KZ4B.mdb"); }
    static QString totem() { return QStringLiteral("Totem.mdb"); }

    // The folder followed by the platform's separator and the file name; a folder that
    // already ends with a separator (a drive's root) gets no second one.
    static QString join(const QString &folder, const QString &fileName);

    // True for a location (folder or archive path) on a PostgreSQL server.
    static bool isServer(const QString &location);
    // The archive's own name (Totem.mdb), for messages.
    static QString fileName(const QString &archivePath);
    // The server address of a server archive path, without the archive's name.
    static QString serverOf(const QString &archivePath);
    // The path as the user reads it: "Totem.mdb sul server postgresql://..." for a server.
    static QString describe(const QString &archivePath);
};
