#pragma once

#include "frontend/dutyroster.h"
#include "frontend/servednumbers.h"

#include <QDateTime>
#include <QObject>
#include <QThread>

#include <optional>

class ArchiveReader;

// The public screen's side of its archive reader thread: asks for the periodic reads, skips
// one asked while the same read is under way, drops results asked before the screen was
// activated again, and keeps a duty result back while the screen is held (a ticket being
// issued), delivering it on release.
class ArchiveReads : public QObject
{
    Q_OBJECT

public:
    explicit ArchiveReads(QObject *parent = nullptr);
    // A read under way ends within the archive's busy timeout; the reader's connections are
    // its own and go with it.
    ~ArchiveReads() override;

    // Results of reads asked before now are no longer wanted.
    void restart();
    void readServed(const QString &archiveFolder);
    void readDuty(const QString &archiveFolder, const QDateTime &now);
    void hold();
    void release();

    // For tests only: blocks until the reader has done every read asked so far, then
    // delivers their results as their arrival would.
    void waitForWork();

signals:
    void servedRead(const ServedNumbers &served);
    void dutyRead(const std::optional<DutyRoster> &roster);

private:
    QThread thread_;
    ArchiveReader *reader_ = nullptr; // lives in thread_
    QObject *results_ = nullptr;      // the context the reader's results are delivered in
    quint64 activation_ = 0;
    bool servedPending_ = false;
    bool dutyPending_ = false;
    bool held_ = false;
    std::optional<std::optional<DutyRoster>> heldDuty_;
};
