#include "report/pagedprinttarget.h"

#include "report/reporterror.h"
#include "report/ticketrenderer.h"

#include <QPagedPaintDevice>
#include <QPainter>

void PagedPrintTarget::print(const TicketProject &project, const QList<QList<DataItem>> &pages)
{
    Q_ASSERT(!pages.isEmpty());
    QPagedPaintDevice &device = beginDocument(ticketNumber(pages.constFirst()));
    QPainter painter;
    if (!painter.begin(&device)) {
        discardDocument();
        throw ReportError(cannotStartMessage());
    }
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            discardDocument();
            throw ReportError(cannotStartMessage(),
                              QStringLiteral("nuova pagina %1 non avviata").arg(i + 1));
        }
        TicketRenderer::render(painter, project, pages.at(i));
    }
    painter.end();
    endDocument();
}

QPageLayout PagedPrintTarget::pageLayout(const QSizeF &paperMillimetres)
{
    // An exact match, or Qt would round a size near a standard one to that one.
    QPageLayout layout(QPageSize(paperMillimetres, QPageSize::Millimeter, QStringLiteral("Ticket"),
                                 QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}
