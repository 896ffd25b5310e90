#pragma once

#include "report/dataitem.h"
#include "report/printtarget.h"
#include "report/ticketproject.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class Clock;
class Dialogs;
class QWidget;

// How a print ended. lastError() tells a failure in Italian.
enum class PrintResult
{
    Printed,
    ProjectError, // the project file is missing or not a ticket project
    PrinterError, // no printer, an unknown printer, a PDF folder that cannot be written
    DataError     // the records never came to an end
};

// Our ticket engine: a list of data items, printing a project file with them, and a modal
// designer for a project file.
class ReportEngine : public QObject
{
    Q_OBJECT

public:
    // Declares one record's items on the engine (the list starts empty for each record)
    // and returns whether that record was the last.
    using NextRecord = std::function<bool()>;

    ReportEngine(Dialogs &dialogs, Clock &clock, QObject *parent = nullptr);

    void startDataItemList();
    // Declares one item, replacing an item of the same name. Returns 0.
    qint32 defineDataItem(const QString &name, const QString &content, qint32 type);
    const QList<DataItem> &dataItems() const { return items_; }

    // Prints the project once per record that nextRecord declares. Runs to completion
    // before it returns; nothing half-printed is left in a PDF folder.
    PrintResult printProject(const QString &projectFile, const NextRecord &nextRecord);
    QString lastError() const { return lastError_; }

    // Whether the project's printer can take a ticket now, asked before a number is used
    // for it: false, with lastError(), when the printer is missing, refuses jobs, has no
    // paper, has its cover open or does not answer. A project that cannot be read is left
    // to printProject(), which reports it. A ready printer stays open for the next
    // printProject() of the same file, which asks it once more before it prints.
    bool printerReady(const QString &projectFile);

    // The modal designer "title" on the project file (created from the default ticket when
    // missing), with the declared items as sample data. Returns the dialog's result.
    int openDesigner(QWidget *parent, const QString &title, const QString &projectFile);

private:
    struct ReadyPrinter
    {
        QString file;
        TicketProject project;
        std::unique_ptr<PrintTarget> target;
    };

    Dialogs &dialogs_;
    Clock &clock_;
    QList<DataItem> items_;
    QString lastError_;
    std::optional<ReadyPrinter> ready_;
};
