#include "frontend/ticketprinter.h"

#include "archive/archivepath.h"
#include "frontend/ticketdataitems.h"
#include "report/reportengine.h"
#include "report/ticketproject.h"

#include <QProcessEnvironment>
#include <QWidget>

#include <cmath>

namespace {

// The folder for temporary files, from "temp" in whatever case the system spells it.
QString temporaryFolder()
{
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &key : environment.keys()) {
        if (key.compare(u"temp", Qt::CaseInsensitive) == 0)
            return environment.value(key);
    }
    return QString();
}

} // namespace

TicketPrinter::TicketPrinter(ReportEngine &engine, QWidget *window, QObject *parent)
    : QObject(parent), engine_(engine), window_(window)
{
    connect(&engine_, &ReportEngine::nextDataRequested, this, &TicketPrinter::onNextData);
}

TicketPrinter::Result TicketPrinter::print(const QString &archiveFolder, QString *error)
{
    data99_.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()),
                 QStringLiteral("select * from DatiDaStampare where [ID]=1"));
    data99_.open();
    if (data99_.recordCount() == 0)
        return Result::NoTicketRecord;

    const qint32 result = engine_.printProject(
        0, ReportEngine::LabelProject, TicketProject::defaultFileName(), 0,
        ReportEngine::PrintToPrinter, 0, window_, QString(), 0, temporaryFolder());
    if (result != ReportEngine::Ok) {
        if (error)
            *error = engine_.lastError();
        return Result::Failed;
    }
    return Result::Printed;
}

void TicketPrinter::onNextData(qint32, qint32 designFlag, qint32 &progress, qint32 &lastRecord)
{
    if (data99_.isEof()) {
        lastRecord = 1;
        return;
    }
    TicketDataItems::defineByColumn(data99_, engine_);
    if (designFlag == 0) {
        progress = qint32(std::lround(data99_.percentPosition()));
        data99_.moveNext();
        if (data99_.isEof())
            lastRecord = 1;
    }
}
