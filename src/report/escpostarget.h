#pragma once

#include "report/escposstatus.h"
#include "report/printtarget.h"

#include <QByteArray>

#include <memory>

class EscPosLink;

// A thermal roll printer spoken to in ESC/POS, over the network or its device file: the
// ticket goes as a raster image of dots, then the roll is cut. It answers whether it can
// print (paper, cover, errors) before a number is taken, which a spooler cannot tell.
// One connection for the target's life; a print that broke off halfway is never sent
// again, since a second copy of a ticket would be worse than a torn one.
class EscPosTarget final : public PrintTarget
{
public:
    // Connects to the printer of project.printer; throws ReportError.
    explicit EscPosTarget(const TicketProject &project);
    ~EscPosTarget() override;

    void checkReady() override;
    void print(const TicketProject &project, const QList<QList<DataItem>> &pages) override;

    // What a print sends: initialise, then each page as a raster image followed by a
    // partial cut (or, with project.cut false, a feed to tear it off).
    static QByteArray document(const TicketProject &project, const QList<QList<DataItem>> &pages);

private:
    // The four real-time answers; throws ReportError when one does not come in time.
    EscPosStatus askStatus();
    void noteNearEnd(bool nearEnd) const;

    QString printer_;
    int timeoutMs_;
    std::unique_ptr<EscPosLink> link_; // none after a print broke off
};
