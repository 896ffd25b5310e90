#include "frontend/archivereads.h"

#include "frontend/archivereader.h"

#include <QCoreApplication>

ArchiveReads::ArchiveReads(QObject *parent) : QObject(parent)
{
    thread_.setObjectName(QStringLiteral("FrontEnd archive reader"));
    reader_ = new ArchiveReader;
    reader_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, reader_, &QObject::deleteLater);
    results_ = new QObject(this);
    connect(reader_, &ArchiveReader::servedRead, results_,
            [this](quint64 activation, const ServedNumbers &served) {
                if (activation != activation_)
                    return;
                servedPending_ = false;
                emit servedRead(served);
            });
    connect(reader_, &ArchiveReader::dutyRead, results_,
            [this](quint64 activation, const std::optional<DutyRoster> &roster) {
                if (activation != activation_)
                    return;
                dutyPending_ = false;
                if (held_)
                    heldDuty_ = roster;
                else
                    emit dutyRead(roster);
            });
    thread_.start();
}

ArchiveReads::~ArchiveReads()
{
    thread_.quit();
    thread_.wait();
}

void ArchiveReads::restart()
{
    // A read of the last activation still under way must not hold back the new one's: this
    // one queues behind it, and its result alone is shown.
    ++activation_;
    heldDuty_.reset();
    servedPending_ = false;
    dutyPending_ = false;
}

void ArchiveReads::readServed(const QString &archiveFolder)
{
    if (std::exchange(servedPending_, true))
        return;
    QMetaObject::invokeMethod(reader_, [reader = reader_, activation = activation_, archiveFolder] {
        reader->readServed(activation, archiveFolder);
    });
}

void ArchiveReads::readDuty(const QString &archiveFolder, const QDateTime &now)
{
    if (std::exchange(dutyPending_, true))
        return;
    QMetaObject::invokeMethod(reader_,
                              [reader = reader_, activation = activation_, archiveFolder, now] {
                                  reader->readDutyFor(activation, archiveFolder, now);
                              });
}

void ArchiveReads::hold()
{
    held_ = true;
}

void ArchiveReads::release()
{
    held_ = false;
    if (heldDuty_) {
        const std::optional<DutyRoster> roster = *std::exchange(heldDuty_, std::nullopt);
        emit dutyRead(roster);
    }
}

void ArchiveReads::waitForWork()
{
    // The reader takes its work in order: once this empty job has run, every read asked
    // before it has posted its result, and only those results are delivered here.
    QMetaObject::invokeMethod(
        reader_, [] {}, Qt::BlockingQueuedConnection);
    QCoreApplication::sendPostedEvents(results_, QEvent::MetaCall);
}
