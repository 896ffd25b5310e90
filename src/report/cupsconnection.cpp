#include "report/cupsconnection.h"

#include "report/reporterror.h"

#include <cups/cups.h>

#include <cmath>

namespace {
QString lastError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

QString option(const cups_dest_t *dest, const char *name)
{
    return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
}

qreal millimetres(int hundredths)
{
    return hundredths / 100.0;
}

void readCustomRange(http_t *http, cups_dest_t *dest, cups_dinfo_t *info, CupsQueue &queue)
{
    // A queue that takes sizes of its own lists "custom_min_..." and "custom_max_..."
    // among its media names; libcups's media lists leave them out.
    ipp_attribute_t *media = cupsFindDestSupported(http, dest, info, "media");
    for (int i = 0; media && i < ippGetCount(media); ++i) {
        const char *keyword = ippGetString(media, i, nullptr);
        const pwg_media_t *size = keyword ? pwgMediaForPWG(keyword) : nullptr;
        if (!size)
            continue;
        const QSizeF mm(millimetres(size->width), millimetres(size->length));
        if (qstrncmp(keyword, "custom_min_", 11) == 0)
            queue.customMinimum = mm;
        else if (qstrncmp(keyword, "custom_max_", 11) == 0)
            queue.customMaximum = mm;
    }
}

CupsQueue readQueue(http_t *http, cups_dest_t *dest, cups_dinfo_t *info)
{
    CupsQueue queue;
    queue.name = QString::fromUtf8(dest->name);
    const int state = option(dest, "printer-state").toInt();
    queue.state = state == IPP_PSTATE_STOPPED      ? CupsQueue::State::Stopped
                  : state == IPP_PSTATE_PROCESSING ? CupsQueue::State::Processing
                                                   : CupsQueue::State::Idle;
    queue.accepting = option(dest, "printer-is-accepting-jobs") != u"false";
    queue.reasons = option(dest, "printer-state-reasons").split(u',', Qt::SkipEmptyParts);
    queue.reasons.removeAll(QStringLiteral("none"));
    if (!info)
        return queue;
    const int count = cupsGetDestMediaCount(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT);
    for (int i = 0; i < count; ++i) {
        cups_size_t size;
        if (!cupsGetDestMediaByIndex(http, dest, info, i, CUPS_MEDIA_FLAGS_DEFAULT, &size))
            continue;
        queue.media.append({QString::fromUtf8(size.media),
                            QSizeF(millimetres(size.width), millimetres(size.length)),
                            QMarginsF(millimetres(size.left), millimetres(size.top),
                                      millimetres(size.right), millimetres(size.bottom))});
    }
    readCustomRange(http, dest, info, queue);
    return queue;
}

QStringList installedNames()
{
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QString::fromUtf8(dests[i].name);
    cupsFreeDests(count, dests);
    return names;
}
} // namespace

CupsConnection::CupsConnection(const QString &name, int timeoutMs)
{
    dest_ = cupsGetNamedDest(CUPS_HTTP_DEFAULT,
                             name.isEmpty() ? nullptr : name.toUtf8().constData(), nullptr);
    if (!dest_ && name.isEmpty())
        throw ReportError(QStringLiteral("Nessuna stampante predefinita configurata nel sistema."));
    if (!dest_) {
        const QStringList installed = installedNames();
        throw ReportError(
            QStringLiteral("La stampante «%1» non è installata.").arg(name),
            installed.isEmpty()
                ? lastError()
                : QStringLiteral("Stampanti installate: %1").arg(installed.join(u", ")));
    }
    name_ = QString::fromUtf8(dest_->name);
    char resource[1024] = {};
    http_ = cupsConnectDest(dest_, CUPS_DEST_FLAGS_NONE, timeoutMs, nullptr, resource,
                            sizeof resource, nullptr, nullptr);
    if (!http_) {
        const QString detail = lastError();
        cupsFreeDests(1, dest_);
        throw ReportError(
            QStringLiteral("Il servizio di stampa non risponde per la stampante «%1».").arg(name_),
            detail);
    }
    resource_ = QString::fromUtf8(resource);
    // A spooler that stops answering must not hold the public screen for longer.
    httpSetTimeout(http_, std::max(timeoutMs, 1) / 1000.0, nullptr, nullptr);
    info_ = cupsCopyDestInfo(http_, dest_);
}

CupsConnection::~CupsConnection()
{
    cupsFreeDestInfo(info_);
    httpClose(http_);
    cupsFreeDests(1, dest_);
}

CupsQueue CupsConnection::queue() const
{
    // The destination read at opening holds the state of that moment.
    cups_dest_t *now = cupsGetNamedDest(http_, dest_->name, dest_->instance);
    if (!now)
        return readQueue(http_, dest_, info_);
    CupsQueue queue = readQueue(http_, now, info_);
    cupsFreeDests(1, now);
    return queue;
}

int CupsConnection::createJob(const QString &title, const CupsMedium &medium)
{
    cups_option_t *options = nullptr;
    int count = 0;
    if (!medium.name.isEmpty())
        count = cupsAddOption("media", medium.name.toUtf8().constData(), count, &options);
    // The page already has the medium's size: nothing may shrink or enlarge the ticket.
    count = cupsAddOption("print-scaling", "none", count, &options);
    count = cupsAddOption("fit-to-page", "false", count, &options);
    int job = 0;
    const ipp_status_t status =
        cupsCreateDestJob(http_, dest_, info_, &job, title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (status > IPP_STATUS_OK_CONFLICTING)
        throw ReportError(QStringLiteral("La stampante «%1» ha rifiutato il biglietto.").arg(name_),
                          lastError());
    return job;
}

void CupsConnection::sendPdf(int job, const QByteArray &pdf)
{
    const QString failed =
        QStringLiteral("Il biglietto non è arrivato alla stampante «%1».").arg(name_);
    if (cupsStartDestDocument(http_, dest_, info_, job, "ticket.pdf", CUPS_FORMAT_PDF, 0, nullptr,
                              1)
        != HTTP_STATUS_CONTINUE)
        throw ReportError(failed, lastError());
    if (cupsWriteRequestData(http_, pdf.constData(), size_t(pdf.size())) != HTTP_STATUS_CONTINUE) {
        const QString detail = lastError();
        cupsFinishDestDocument(http_, dest_, info_);
        throw ReportError(failed, detail);
    }
    if (cupsFinishDestDocument(http_, dest_, info_) > IPP_STATUS_OK_CONFLICTING)
        throw ReportError(failed, lastError());
}

CupsConnection::JobStatus CupsConnection::jobStatus(int job) const
{
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 cupsGetOption("printer-uri-supported", dest_->num_options, dest_->options));
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    static const char *const wanted[] = {"job-state", "job-state-reasons"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  wanted);
    ipp_t *response = cupsDoRequest(http_, request, resource_.toUtf8().constData());
    JobStatus status;
    // A spooler that does not answer has not started the job as far as anyone knows.
    if (!response) {
        status.detail = lastError();
        return status;
    }
    const int state = ippGetInteger(ippFindAttribute(response, "job-state", IPP_TAG_ENUM), 0);
    char reasons[512] = {};
    if (ipp_attribute_t *attribute = ippFindAttribute(response, "job-state-reasons", IPP_TAG_ZERO))
        ippAttributeString(attribute, reasons, sizeof reasons);
    ippDelete(response);
    status.detail = QString::fromUtf8(reasons);
    if (state >= IPP_JSTATE_STOPPED && state != IPP_JSTATE_COMPLETED)
        status.progress = JobProgress::Failed;
    else if (state == IPP_JSTATE_PROCESSING || state == IPP_JSTATE_COMPLETED)
        status.progress = JobProgress::Started;
    return status;
}

void CupsConnection::cancelJob(int job)
{
    cupsCancelDestJob(http_, dest_, job);
}

QList<CupsQueue> CupsConnection::allQueues()
{
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    if (count == 0 && cupsLastError() > IPP_STATUS_OK_CONFLICTING
        && cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND)
        throw ReportError(QStringLiteral("Il servizio di stampa non risponde."), lastError());
    QList<CupsQueue> queues;
    for (int i = 0; i < count; ++i) {
        cups_dinfo_t *info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, &dests[i]);
        queues.append(readQueue(CUPS_HTTP_DEFAULT, &dests[i], info));
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(count, dests);
    return queues;
}
