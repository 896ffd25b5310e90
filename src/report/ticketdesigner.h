#pragma once

#include "report/dataitem.h"
#include "report/ticketproject.h"

#include <QDialog>

class Dialogs;

// The ticket's designer: the items with their templates, fonts and boxes, the paper and
// the printer, and a live preview drawn by the same code that prints. Save writes the
// project file; closing without saving changes nothing.
class TicketDesigner : public QDialog
{
    Q_OBJECT

public:
    TicketDesigner(Dialogs &dialogs, const QString &projectPath, TicketProject project,
                   QList<DataItem> sampleItems, QWidget *parent = nullptr);

    const TicketProject &project() const { return project_; }

private:
    Dialogs &dialogs_;
    QString projectPath_;
    TicketProject project_;
    QList<DataItem> sample_;
};
