#pragma once

#include "frontend/dutyroster.h"
#include "frontend/servednumbers.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <optional>

// The public screen's periodic reads of the archives, done on a thread of its own: a
// counter's workstation holding the write lock of KZ4B.mdb, or a share that hangs, then
// stalls these reads and never the clock or a touch. Each read opens its own connections
// in the thread that runs it and hands back plain values; `activation` comes back as it
// went, so that the screen can drop what was asked before it was activated again.
class ArchiveReader : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void readServed(quint64 activation, const QString &archiveFolder);
    void readDutyFor(quint64 activation, const QString &archiveFolder, const QDateTime &now);

signals:
    void servedRead(quint64 activation, const ServedNumbers &served);
    void dutyRead(quint64 activation, const std::optional<DutyRoster> &roster);

private:
    // Who is on duty now; none when the schedule or the operators cannot be read.
    static std::optional<DutyRoster> readDuty(const QString &archiveFolder, const QDateTime &now);
};
