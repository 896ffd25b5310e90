#include "report/reportengine.h"

#include "report/printtarget.h"
#include "report/reporterror.h"
#include "report/ticketdesigner.h"
#include "report/ticketproject.h"
#include "ui/dialogs.h"

#include <QFileInfo>

namespace {
// A source that never reports its last record would otherwise print for ever; no ticket
// has anywhere near this many pages.
constexpr int MaxPages = 1000;
} // namespace

ReportEngine::ReportEngine(Dialogs &dialogs, Clock &clock, QObject *parent)
    : QObject(parent), dialogs_(dialogs), clock_(clock)
{
}

void ReportEngine::startDataItemList()
{
    items_.clear();
}

qint32 ReportEngine::defineDataItem(const QString &name, const QString &content, qint32 type)
{
    for (DataItem &item : items_) {
        if (item.name == name) {
            item.content = content;
            item.type = type;
            return 0;
        }
    }
    items_.append(DataItem{name, content, type});
    return 0;
}

// A ticket is always printed directly: no preview, no progress box, no printer dialog.
PrintResult ReportEngine::printProject(const QString &projectFile, const NextRecord &nextRecord)
{
    lastError_.clear();
    const QString path = QFileInfo(projectFile).absoluteFilePath();
    // The press asked this printer a moment ago: the same connection takes the ticket.
    std::optional<ReadyPrinter> ready = std::exchange(ready_, std::nullopt);
    TicketProject project;
    std::unique_ptr<PrintTarget> target;
    if (ready && ready->file == path) {
        project = std::move(ready->project);
        target = std::move(ready->target);
    } else {
        try {
            project = TicketProject::load(path);
        } catch (const ReportError &error) {
            lastError_ = error.fullText();
            return PrintResult::ProjectError;
        }
        try {
            target = PrintTarget::open(project, clock_);
        } catch (const ReportError &error) {
            lastError_ = error.fullText();
            return PrintResult::PrinterError;
        }
    }

    // Every record is asked for before the first page is drawn: a spooled job cannot be
    // taken back, so a source that fails to end its records must leave nothing printed.
    QList<QList<DataItem>> pages;
    for (bool last = false; !last;) {
        if (pages.size() == MaxPages) {
            lastError_ = QStringLiteral("I dati del biglietto non indicano l'ultimo record "
                                        "dopo %1 pagine: la stampa è stata annullata.")
                             .arg(MaxPages);
            return PrintResult::DataError;
        }
        items_.clear();
        last = nextRecord();
        pages.append(items_);
    }

    try {
        target->print(project, pages);
    } catch (const ReportError &error) {
        lastError_ = error.fullText();
        return PrintResult::PrinterError;
    }
    return PrintResult::Printed;
}

bool ReportEngine::printerReady(const QString &projectFile)
{
    lastError_.clear();
    ready_.reset();
    ReadyPrinter ready{QFileInfo(projectFile).absoluteFilePath(), {}, nullptr};
    try {
        ready.project = TicketProject::load(ready.file);
    } catch (const ReportError &) {
        return true;
    }
    try {
        ready.target = PrintTarget::open(ready.project, clock_);
        ready.target->checkReady();
    } catch (const ReportError &error) {
        lastError_ = error.fullText();
        return false;
    }
    ready_ = std::move(ready);
    return true;
}

int ReportEngine::openDesigner(QWidget *parent, const QString &title, const QString &projectFile)
{
    const QString path = QFileInfo(projectFile).absoluteFilePath();
    TicketProject project;
    if (QFileInfo::exists(path)) {
        try {
            project = TicketProject::load(path);
        } catch (const ReportError &error) {
            // Opening the default ticket instead would let Save overwrite the file the
            // administrator may still want to mend.
            dialogs_.alert(parent, error.fullText());
            return -1;
        }
    } else {
        project = TicketProject::defaultTicket();
    }
    TicketDesigner designer(dialogs_, clock_, path, project, items_, parent);
    designer.setWindowTitle(title);
    return dialogs_.exec(designer);
}
