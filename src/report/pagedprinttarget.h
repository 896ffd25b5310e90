#pragma once

#include "report/printtarget.h"

#include <QPageLayout>
#include <QSizeF>

class QPagedPaintDevice;

// A destination that takes the ticket as pages drawn by Qt: a PDF document of the paper's
// size, or a document the spooler receives.
class PagedPrintTarget : public PrintTarget
{
public:
    void print(const TicketProject &project, const QList<QList<DataItem>> &pages) override;

    // A full page of paper of that size (millimetres), without margins.
    static QPageLayout pageLayout(const QSizeF &paperMillimetres);

protected:
    // The device to paint the document on, named after the ticket's number.
    virtual QPagedPaintDevice &beginDocument(const QString &number) = 0;
    // Called once the painter has ended: hands the document over, or throws.
    virtual void endDocument() = 0;
    // Called when the document is given up after beginDocument().
    virtual void discardDocument() = 0;
    virtual QString cannotStartMessage() const = 0;
};
