#pragma once

#include "report/dataitem.h"

#include <QList>
#include <QObject>
#include <QString>

class Clock;
class Dialogs;
class QWidget;

// Our ticket engine, with the calls the program has always made on its report control:
// a list of data items, printing a project, the next-data request it raises while
// printing, and a modal designer for a project file.
class ReportEngine : public QObject
{
    Q_OBJECT

public:
    static constexpr qint32 LabelProject = 1;
    static constexpr qint32 PrintToPrinter = 256;
    // printProject() results
    static constexpr qint32 Ok = 0;
    static constexpr qint32 ErrorProject = -1; // Ticket.lbl missing or not a project
    static constexpr qint32 ErrorPrinter = -2; // no printer, unknown printer, folder not writable
    static constexpr qint32 ErrorData = -3;    // the next-data request never said "last"

    ReportEngine(Dialogs &dialogs, Clock &clock, QObject *parent = nullptr);

    void startDataItemList();
    // Declares one item, replacing an item of the same name; the type is passed by
    // reference as the control has always taken it. Returns 0.
    qint32 defineDataItem(const QString &name, const QString &content, qint32 &type);
    const QList<DataItem> &dataItems() const { return items_; }

    // Prints the project once per record, asking for each record's data through
    // nextDataRequested, until the receiver reports the last record. Runs to completion
    // before it returns. A failure returns one of the error codes and lastError() tells
    // it in Italian; nothing half-printed is left in a PDF folder.
    qint32 printProject(qint32 userData, qint32 projectType, const QString &projectFile,
                        qint32 fileSelection, qint32 options, qint32 progressBoxType,
                        QWidget *parent, const QString &dialogTitle, qint32 printOptionsDialog,
                        const QString &temporaryFolder);
    QString lastError() const { return lastError_; }

    // The modal designer "title" on the project file (created from the default ticket when
    // missing), with the declared items as sample data. Returns the dialog's result.
    qint32 openDesigner(QWidget *parent, const QString &title, qint32 projectType,
                        const QString &projectFile);

signals:
    // Asked once per ticket while printing (design flag 0), and by the designer for its
    // sample data (design flag 1). The receiver defines the items; while printing it sets
    // progress (0..100) and lastRecord (1 on the last record).
    void nextDataRequested(qint32 userData, qint32 designFlag, qint32 &progress,
                           qint32 &lastRecord);

private:
    Dialogs &dialogs_;
    Clock &clock_;
    QList<DataItem> items_;
    QString lastError_;
};
