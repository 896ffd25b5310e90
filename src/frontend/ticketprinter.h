#pragma once

#include "archive/recordset.h"

#include <QObject>
#include <QString>

class QWidget;
class ReportEngine;

// Prints the ticket record (ID 1 of DatiDaStampare) with Ticket.lbl, handing every column
// to the engine as a data item typed by its column.
class TicketPrinter : public QObject
{
    Q_OBJECT

public:
    enum class Result
    {
        Printed,
        NoTicketRecord,
        Failed
    };

    TicketPrinter(ReportEngine &engine, QWidget *window, QObject *parent = nullptr);

    // Throws ArchiveError when the ticket record cannot be read; a print that cannot be
    // submitted is Failed, with the reason in error.
    Result print(const QString &archiveFolder, QString *error);

    static QString noDataMessage()
    {
        return QStringLiteral("Nessun dato da stampare per questa selezione !");
    }

private:
    void onNextData(qint32 userData, qint32 designFlag, qint32 &progress, qint32 &lastRecord);

    ReportEngine &engine_;
    QWidget *window_;
    RecordSet data99_;
};
