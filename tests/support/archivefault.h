#pragma once

#include <QString>
#include <QStringList>

// Breaks an archive folder the way a shared folder breaks in an office: taken away, made
// read-only, or its Totem.mdb overwritten by something that is not an archive. The fault
// strikes just before a chosen opening of an archive, so that one action of the program
// can be broken between any two of its operations; restore() puts everything back.
class ArchiveFault
{
public:
    enum class Kind
    {
        FolderRemoved,
        ReadOnly,
        NotAnArchive
    };

    explicit ArchiveFault(QString folder);
    ~ArchiveFault();
    ArchiveFault(const ArchiveFault &) = delete;
    ArchiveFault &operator=(const ArchiveFault &) = delete;

    // Strikes before the opening numbered `opening` (0 = the next one) from now on.
    void arm(Kind kind, int opening);
    // Only watches: every opening from now on is listed in opened().
    void watch();
    bool struck() const { return struck_; }
    // The archive files opened since arm() or watch(), in order, by file name.
    const QStringList &opened() const { return opened_; }
    void restore();

    static QString name(Kind kind);
    // Root writes into read-only folders regardless, so a test that needs the read-only
    // fault to bite gives up root for good. False when that was not possible.
    static bool runWithoutRoot();

private:
    void strike();

    QString folder_;
    Kind kind_ = Kind::FolderRemoved;
    int target_ = -1;
    bool struck_ = false;
    QStringList opened_;
};
