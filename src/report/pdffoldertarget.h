#pragma once

#include "report/pagedprinttarget.h"

#include <QDateTime>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <memory>

// Each ticket as a PDF file in a folder, named by date, time and number. The file is
// written under a temporary name and renamed when complete, so that whoever watches the
// folder never sees half a ticket, and an existing file is never replaced.
class PdfFolderTarget final : public PagedPrintTarget
{
public:
    // Throws ReportError when the folder is missing or cannot be written.
    PdfFolderTarget(const QString &folder, const QSizeF &paperMillimetres, QDateTime at);

    // "ticket-20261204-120501-042": a whole number has at least three digits, any other
    // number keeps only its letters and digits; no number, no last part.
    static QString baseName(const QDateTime &at, const QString &number);

protected:
    QPagedPaintDevice &beginDocument(const QString &number) override;
    void endDocument() override;
    void discardDocument() override;
    QString cannotStartMessage() const override;

private:
    QString folder_;
    QSizeF paper_;
    QDateTime at_;
    QString number_;
    QTemporaryFile file_;
    std::unique_ptr<QPdfWriter> writer_; // writes into file_, so it is declared after it
};
