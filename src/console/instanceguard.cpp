#include "console/instanceguard.h"

#include <QDir>

QString InstanceGuard::defaultLockPath()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("kz4-totem.lock"));
}

InstanceGuard::InstanceGuard(const QString &lockPath) : lock_(lockPath)
{
    // No age limit: a kiosk runs for months, so only a dead owner makes the lock stale.
    lock_.setStaleLockTime(0);
}

bool InstanceGuard::tryAcquire()
{
    return lock_.isLocked() || lock_.tryLock(0);
}

void InstanceGuard::release()
{
    lock_.unlock();
}
