// Ticket.lbl is edited by hand at times: any bytes must give a project or a ReportError.
#include "report/reporterror.h"
#include "report/ticketproject.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const TicketProject project = TicketProject::fromJson(bytes);
        // What was accepted must survive its own round trip.
        if (!(TicketProject::fromJson(project.toJson()) == project))
            __builtin_trap();
    } catch (const ReportError &) {
    }
    return 0;
}
