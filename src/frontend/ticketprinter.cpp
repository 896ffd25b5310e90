#include "frontend/ticketprinter.h"

#include "frontend/ticketdataitems.h"
#include "frontend/ticketrecord.h"
#include "report/reportengine.h"
#include "report/ticketproject.h"

bool TicketPrinter::ready(QString *error)
{
    if (engine_.printerReady(TicketProject::defaultFileName()))
        return true;
    if (error)
        *error = engine_.lastError();
    return false;
}

bool TicketPrinter::print(const TicketRecord &record, QString *error)
{
    const PrintResult result =
        engine_.printProject(TicketProject::defaultFileName(), [this, &record] {
            TicketDataItems::defineByColumn(record, engine_);
            return true; // one record, one ticket
        });
    if (result == PrintResult::Printed)
        return true;
    if (error)
        *error = engine_.lastError();
    return false;
}
