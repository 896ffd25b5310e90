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
                servedPending_ = false;
                if (activation == activation_)
                    emit servedRead(served);
            });
    connect(reader_, &ArchiveReader::dutyRead, results_,
            [this](quint64 activation, const std::optional<DutyRoster> &roster) {
                dutyPending_ = false;
                if (activation != activation_)
                    return;
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
    ++activation_;
    heldDuty_.reset();
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
