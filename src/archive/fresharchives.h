#pragma once

#include <QString>

class ArchiveContent;

// Creates the three archives of an installation (KZ4.mdb, KZ4B.mdb, Totem.mdb) in a folder,
// with every table and field the kiosk uses and exactly the records it needs, because the
// kiosk itself never adds a record. The demo content fills them for a believable office.
class FreshArchives
{
public:
    enum class Content
    {
        Empty,
        Demo
    };

    // Throws ArchiveError; existing archives are refused unless overwrite is true, and a
    // missing folder is not created (Unreachable). The three are built beside their final
    // names and moved into place only when all three are complete.
    // A folder may also be a server's address: the archives are then its database's schemas.
    static void create(const QString &folder, Content content, bool overwrite = false);
    // The archives holding exactly these records, as a copy of another installation.
    static void create(const QString &folder, const ArchiveContent &records, bool overwrite);
};
