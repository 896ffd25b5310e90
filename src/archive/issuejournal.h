#pragma once

#include "archive/issuerecord.h"

#include <QList>
#include <QString>

// The kiosk's own record of the tickets it issued while Totem.mdb could not be reached: a
// small SQLite file in the kiosk's data folder, each entry committed before its ticket is
// printed, written back to the archive in order when the share returns. Every failure is an
// ArchiveError.
class IssueJournal
{
public:
    struct Entry
    {
        qint64 id = 0;
        IssueRecord record;
    };

    // The journal in the kiosk's data folder (QStandardPaths::AppDataLocation).
    IssueJournal();
    explicit IssueJournal(const QString &path) : path_(path) {}

    const QString &path() const { return path_; }

    // Whether the local settings let the kiosk issue through a lost share ("archivio/
    // giornaleLocale" in totem.ini of the kiosk's configuration folder; on unless false).
    static bool enabledInSettings();
    static QString settingsPath();

    qint64 append(const IssueRecord &record);
    // Oldest first.
    QList<Entry> entries() const;
    bool isEmpty() const { return count() == 0; }
    int count() const;
    void remove(qint64 id);

private:
    QString path_;
};
