#include "report/cupstarget.h"

#include "report/reporterror.h"
#include "report/ticketproject.h"
#include "report/ticketrenderer.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QPainter>
#include <QPdfWriter>
#include <QThread>
#include <QtDebug>

namespace {
constexpr int PollMs = 50;
constexpr qreal MillimetresPerInch = 25.4;

QRectF itemsArea(const TicketProject &project)
{
    QRectF area;
    for (const TicketItem &item : project.items)
        area = area.united(item.box);
    return area.isNull() ? QRectF(QPointF(), project.paperSize) : area;
}
} // namespace

CupsTarget::CupsTarget(const QString &queueName, const TicketProject &project)
    : spooler_(queueName, project.timeoutMs), timeoutMs_(project.timeoutMs)
{
}

void CupsTarget::checkReady()
{
    const CupsQueue queue = spooler_.queue();
    const QString problem = queue.problem();
    if (!problem.isEmpty())
        throw ReportError(problem, queue.reasons.join(u", "));
}

void CupsTarget::print(const TicketProject &project, const QList<QList<DataItem>> &pages)
{
    Q_ASSERT(!pages.isEmpty());
    const QString number = ticketNumber(pages.constFirst());
    // The spooler's list of jobs shows this name, so the operator can tell tickets apart.
    const QString title =
        number.isEmpty() ? QStringLiteral("Ticket") : QStringLiteral("Ticket %1").arg(number);
    const CupsMedium medium = spooler_.queue().mediumFor(project.paperSize);
    submit(title, medium, document(project, pages, medium, title));
}

QByteArray CupsTarget::document(const TicketProject &project, const QList<QList<DataItem>> &pages,
                                const CupsMedium &medium, const QString &title) const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(
        QPageSize(medium.size, QPageSize::Millimeter, medium.name, QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Totem KZ4"));
    const QString cannotStart =
        QStringLiteral("Impossibile avviare la stampa sulla stampante «%1».").arg(spooler_.name());
    QPainter painter;
    if (!painter.begin(&writer))
        throw ReportError(cannotStart);
    // The ticket keeps its own size: only moved to its place on the paper, never scaled.
    const QPointF origin = medium.ticketOrigin(project.paperSize, itemsArea(project));
    painter.translate(origin.x() * writer.logicalDpiX() / MillimetresPerInch,
                      origin.y() * writer.logicalDpiY() / MillimetresPerInch);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !writer.newPage())
            throw ReportError(cannotStart,
                              QStringLiteral("nuova pagina %1 non avviata").arg(i + 1));
        TicketRenderer::render(painter, project, pages.at(i));
    }
    painter.end();
    return buffer.data();
}

void CupsTarget::submit(const QString &title, const CupsMedium &medium, const QByteArray &pdf)
{
    int job = 0;
    try {
        job = spooler_.createJob(title, medium);
    } catch (const ReportError &refusal) {
        // The spooler's words are technical; the queue's own state usually says why.
        const QString problem = spooler_.queue().problem();
        if (problem.isEmpty())
            throw;
        throw ReportError(problem, refusal.detail());
    }
    try {
        spooler_.sendPdf(job, pdf);
    } catch (const ReportError &) {
        spooler_.cancelJob(job);
        throw;
    }
    waitUntilStarted(job);
}

void CupsTarget::waitUntilStarted(int job)
{
    const QDeadlineTimer deadline(timeoutMs_);
    for (;;) {
        const CupsConnection::JobStatus status = spooler_.jobStatus(job);
        if (status.progress == CupsConnection::JobProgress::Started)
            return;
        if (status.progress == CupsConnection::JobProgress::Failed) {
            // A stopped job would go on when the printer does: cancelled, it cannot come
            // out after the user has been told that it failed.
            spooler_.cancelJob(job);
            // The queue's state names the cause when there is one (no paper, offline).
            const QString problem = spooler_.queue().problem();
            throw ReportError(
                problem.isEmpty()
                    ? QStringLiteral("La stampa del biglietto sulla stampante «%1» non è riuscita.")
                          .arg(spooler_.name())
                    : problem,
                status.detail);
        }
        if (deadline.hasExpired())
            break;
        // The press waits for its ticket in any case; a sleeping poll, unlike an event
        // loop, cannot run a second press half way through this one.
        QThread::msleep(PollMs);
    }
    const CupsQueue queue = spooler_.queue();
    const QString problem = queue.problem();
    if (!problem.isEmpty()) {
        spooler_.cancelJob(job);
        throw ReportError(problem, queue.reasons.join(u", "));
    }
    // Still waiting on a healthy queue: the spooler is busy with other jobs and this one
    // comes out after them. Calling it failed would have the user ask again and get two
    // tickets, so it counts as printed.
    qWarning("CUPS job %d on %s still pending after %d ms; counted as printed", job,
             qUtf8Printable(spooler_.name()), timeoutMs_);
}
