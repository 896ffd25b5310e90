#pragma once

#include "report/cupsqueue.h"

#include <QByteArray>
#include <QList>
#include <QString>

// libcups's own types, kept out of the headers of everyone who prints.
struct _http_s;
struct cups_dest_s;
struct _cups_dinfo_s;

// One queue of the system's CUPS spooler, reached through libcups: what it says about
// itself and the jobs given to it. Every call asks the spooler and may block for up to the
// timeout given at opening.
class CupsConnection
{
public:
    enum class JobProgress
    {
        Waiting, // pending or held: the spooler has not started it yet
        Started, // processing or completed: it is coming out
        Failed   // stopped, cancelled or aborted
    };
    struct JobStatus
    {
        JobProgress progress = JobProgress::Waiting;
        QString detail; // the spooler's words on the job's state, for the technician
    };

    // An empty name opens the default queue (as PRINTER, lpoptions and the spooler say).
    // Throws ReportError when there is no such queue or no spooler to ask.
    CupsConnection(const QString &name, int timeoutMs);
    ~CupsConnection();
    CupsConnection(const CupsConnection &) = delete;
    CupsConnection &operator=(const CupsConnection &) = delete;

    const QString &name() const { return name_; }
    // The queue's facts as the spooler reports them now.
    CupsQueue queue() const;

    // Throws ReportError with the spooler's words when it refuses the job.
    int createJob(const QString &title, const CupsMedium &medium);
    // The whole document as the job's only one; throws ReportError.
    void sendPdf(int job, const QByteArray &pdf);
    JobStatus jobStatus(int job) const;
    void cancelJob(int job);

    // Every queue of the spooler, in its order. Throws ReportError when no spooler answers.
    static QList<CupsQueue> allQueues();

private:
    QString name_;
    cups_dest_s *dest_ = nullptr;
    _http_s *http_ = nullptr;
    _cups_dinfo_s *info_ = nullptr;
    QString resource_;
};
