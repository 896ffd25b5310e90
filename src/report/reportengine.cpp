#include "report/reportengine.h"

#include "report/printtarget.h"
#include "report/reporterror.h"
#include "report/ticketdesigner.h"
#include "report/ticketproject.h"
#include "ui/dialogs.h"

#include <QFileInfo>
#include <QMetaMethod>

namespace {
// A receiver that never reports its last record would otherwise print for ever; no
// ticket has anywhere near this many pages.
constexpr int MaxPages = 1000;

QString notALabelProject(qint32 projectType)
{
    return QStringLiteral("Il tipo di progetto %1 non è gestito: il biglietto è un progetto di "
                          "etichetta (tipo %2).")
        .arg(projectType)
        .arg(ReportEngine::LabelProject);
}
} // namespace

ReportEngine::ReportEngine(Dialogs &dialogs, Clock &clock, QObject *parent)
    : QObject(parent), dialogs_(dialogs), clock_(clock)
{
}

void ReportEngine::startDataItemList()
{
    items_.clear();
}

qint32 ReportEngine::defineDataItem(const QString &name, const QString &content, qint32 &type)
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

// fileSelection, progressBoxType, parent, dialogTitle and printOptionsDialog ask for
// dialogs that this engine does not have: a ticket is always printed directly, whatever
// options says (256 is what the kiosk passes), with no preview and no progress box.
// temporaryFolder is not needed: the spooler's files are Qt's business and a PDF's
// temporary file sits beside the finished one, so that renaming it is atomic.
qint32 ReportEngine::printProject(qint32 userData, qint32 projectType, const QString &projectFile,
                                  qint32 fileSelection, qint32 options, qint32 progressBoxType,
                                  QWidget *parent, const QString &dialogTitle,
                                  qint32 printOptionsDialog, const QString &temporaryFolder)
{
    Q_UNUSED(fileSelection)
    Q_UNUSED(options)
    Q_UNUSED(progressBoxType)
    Q_UNUSED(parent)
    Q_UNUSED(dialogTitle)
    Q_UNUSED(printOptionsDialog)
    Q_UNUSED(temporaryFolder)
    lastError_.clear();

    if (projectType != LabelProject) {
        lastError_ = notALabelProject(projectType);
        return ErrorProject;
    }
    TicketProject project;
    try {
        project = TicketProject::load(QFileInfo(projectFile).absoluteFilePath());
    } catch (const ReportError &error) {
        lastError_ = error.fullText();
        return ErrorProject;
    }

    std::unique_ptr<PrintTarget> target;
    try {
        target = PrintTarget::open(project, clock_);
    } catch (const ReportError &error) {
        lastError_ = error.fullText();
        return ErrorPrinter;
    }

    // Every record is asked for before the first page is drawn: a spooled job cannot be
    // taken back, so a receiver that fails to end its records must leave nothing printed.
    QList<QList<DataItem>> pages;
    if (isSignalConnected(QMetaMethod::fromSignal(&ReportEngine::nextDataRequested))) {
        qint32 lastRecord = 0;
        while (lastRecord != 1) {
            if (pages.size() == MaxPages) {
                lastError_ = QStringLiteral("I dati del biglietto non indicano l'ultimo record "
                                            "dopo %1 pagine: la stampa è stata annullata.")
                                 .arg(MaxPages);
                return ErrorData;
            }
            items_.clear();
            qint32 progress = 0;
            emit nextDataRequested(userData, 0, progress, lastRecord);
            pages.append(items_);
        }
    } else {
        // Nobody to ask: the items declared before the call are the one record.
        pages.append(items_);
    }

    try {
        target->print(project, pages);
    } catch (const ReportError &error) {
        lastError_ = error.fullText();
        return ErrorPrinter;
    }
    return Ok;
}

qint32 ReportEngine::openDesigner(QWidget *parent, const QString &title, qint32 projectType,
                                  const QString &projectFile)
{
    const QString attention = QStringLiteral("ATTENZIONE");
    if (projectType != LabelProject) {
        dialogs_.message(parent, Dialogs::Kind::Critical, notALabelProject(projectType), attention);
        return -1;
    }
    const QString path = QFileInfo(projectFile).absoluteFilePath();
    TicketProject project;
    if (QFileInfo::exists(path)) {
        try {
            project = TicketProject::load(path);
        } catch (const ReportError &error) {
            // Opening the default ticket instead would let Save overwrite the file the
            // administrator may still want to mend.
            dialogs_.message(parent, Dialogs::Kind::Critical, error.fullText(), attention);
            return -1;
        }
    } else {
        project = TicketProject::defaultTicket();
    }

    // The sample data: a receiver may replace or add items; the declared ones stay.
    qint32 progress = 0;
    qint32 lastRecord = 0;
    emit nextDataRequested(0, 1, progress, lastRecord);

    TicketDesigner designer(dialogs_, path, project, items_, parent);
    designer.setWindowTitle(title);
    return dialogs_.exec(designer);
}
