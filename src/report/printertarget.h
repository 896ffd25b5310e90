#pragma once

#include "report/pagedprinttarget.h"

#include <QPrinter>
#include <QPrinterInfo>

// A printer of the system, through its spooler (CUPS on Linux): the job is submitted when
// the document ends.
class PrinterTarget final : public PagedPrintTarget
{
public:
    PrinterTarget(const QPrinterInfo &printer, const QSizeF &paperMillimetres);

protected:
    QPagedPaintDevice &beginDocument(const QString &number) override;
    void endDocument() override;
    void discardDocument() override;
    QString cannotStartMessage() const override;

private:
    QPrinter printer_;
};
