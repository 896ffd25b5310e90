#pragma once

#include "report/printtarget.h"

#include <QPrinter>
#include <QPrinterInfo>

// A printer of the system, through its spooler (CUPS on Linux): the job is submitted when
// the document ends.
class PrinterTarget final : public PrintTarget
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
