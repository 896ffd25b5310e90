#pragma once

#include <QLockFile>
#include <QString>

// Lets one copy of the kiosk run per machine. The lock lives in the machine's temporary
// folder, never on the shared archive folder, and a copy that crashed does not leave it
// stuck: the lock of a process that no longer exists is taken over.
class InstanceGuard
{
public:
    static QString defaultLockPath();

    explicit InstanceGuard(const QString &lockPath = defaultLockPath());
    // True when this process now holds the lock (or already held it).
    bool tryAcquire();
    void release();

private:
    QLockFile lock_;
};
