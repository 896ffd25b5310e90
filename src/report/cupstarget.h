#pragma once

#include "report/cupsconnection.h"
#include "report/printtarget.h"

#include <QRectF>
#include <QSizeF>

// A queue of the system's CUPS spooler. Qt draws the ticket as a PDF whose page is the
// paper the queue offers; libcups submits it, so a refusal or a failed job is told apart
// from a ticket that comes out.
class CupsTarget final : public PrintTarget
{
public:
    // An empty name is the default queue. Throws ReportError when there is no such queue.
    CupsTarget(const QString &queueName, const TicketProject &project);

    // A queue that is not accepting jobs, is stopped, or reports no paper, a jam, an open
    // cover or no connection throws ReportError with the cause.
    void checkReady() override;
    void print(const TicketProject &project, const QList<QList<DataItem>> &pages) override;

private:
    QByteArray document(const TicketProject &project, const QList<QList<DataItem>> &pages,
                        const CupsMedium &medium, const QString &title) const;
    void submit(const QString &title, const CupsMedium &medium, const QByteArray &pdf);
    void waitUntilStarted(int job);

    CupsConnection spooler_;
    int timeoutMs_;
};
