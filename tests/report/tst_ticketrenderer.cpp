#include "report/ticketproject.h"
#include "report/ticketrenderer.h"

#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QTest>

// The rows of the area holding anything but white, as [first, last]; {-1, -1} if none.
static QPair<int, int> inkRows(const QImage &image, const QRect &area)
{
    QPair<int, int> rows{-1, -1};
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                rows = {rows.first < 0 ? y : rows.first, y};
                break;
            }
        }
    }
    return rows;
}

class TestTicketRenderer : public QObject
{
    Q_OBJECT

    const QList<DataItem> ticketData_{{u"NumeroDaStampare"_qs, u"42"_qs, DataItem::Number},
                                      {u"QualePostazione"_qs, u"Postazione 3"_qs, DataItem::Text},
                                      {u"ID"_qs, u"1"_qs, DataItem::Number}};

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void textsExpandWithoutCaseAndDatesShowInTheLocale()
    {
        QCOMPARE(TicketRenderer::expand(u"N. {numerodastampare} - {QUALEPOSTAZIONE}{ID} "
                                        "{Sportello} {ID"_qs,
                                        ticketData_),
                 u"N. 42 - Postazione 31 {Sportello} {ID"_qs);
        const QLocale it(QLocale::Italian, QLocale::Italy);
        const QList<std::tuple<QLocale, qint32, const char *, const char *>> shown = {
            {it, DataItem::Date, "46.360,5", "04/12/2026 12.00"},
            {QLocale::c(), DataItem::Date, "46360.5", "04/12/2026 12.00"},
            {QLocale::c(), DataItem::Date, "46360", "04/12/2026"},
            {QLocale::c(), DataItem::Date, "46360.49998", "04/12/2026 12.00"},
            {it, DataItem::Date, "0,75", "18.00"},
            {it, DataItem::Date, "46360.5", "46360.5"},
            {it, DataItem::Number, "1234.5", "1234.5"}};
        for (const auto &[locale, type, content, text] : shown) {
            QLocale::setDefault(locale);
            QCOMPARE(TicketRenderer::displayText({u"D"_qs, QString::fromUtf8(content), type}),
                     QString::fromUtf8(text));
        }
    }

    void inkStaysInsideTheBoxes()
    {
        const TicketProject project = TicketProject::defaultTicket();
        QImage image = TicketRenderer::image(project, ticketData_, 8);
        QCOMPARE(image.size(), QSize(640, qRound(project.paperSize.height() * 8)));
        const auto pixels = [](const QRectF &box) {
            return QRectF(box.topLeft() * 8, box.size() * 8).toRect();
        };
        // Inside the frame of the number's box.
        QVERIFY(inkRows(image, pixels(project.items.at(2).box).adjusted(3, 3, -3, -3)).first >= 0);
        QPainter painter(&image);
        for (const TicketItem &item : project.items)
            painter.fillRect(pixels(item.box).adjusted(-1, -1, 1, 1), Qt::white);
        painter.end();
        QCOMPARE(inkRows(image, image.rect()), qMakePair(-1, -1));
    }

    void pointSizesArePhysicalAtAnyResolution()
    {
        TicketProject project;
        project.paperSize = QSizeF(40, 20);
        project.items = {TicketItem{u"HHH"_qs, QRectF(0, 0, 40, 20)}};
        for (const int dpi : {300, 1200}) {
            QImage image(qRound(40 * dpi / 25.4), qRound(20 * dpi / 25.4), QImage::Format_RGB32);
            image.setDotsPerMeterX(qRound(dpi / 0.0254));
            image.setDotsPerMeterY(qRound(dpi / 0.0254));
            image.fill(Qt::gray);
            QPainter painter(&image);
            TicketRenderer::render(painter, project, {});
            painter.end();
            // The last row is only partly paper, so the grey shows through it.
            const auto [top, bottom] = inkRows(image, image.rect().adjusted(0, 0, -1, -1));
            // A capital of DejaVu Sans is 0.73 em: 2.57 mm at 10 pt.
            QVERIFY(qAbs((bottom - top + 1) * 25.4 / dpi - 2.57) < 0.15);
        }
    }
};

QTEST_MAIN(TestTicketRenderer)
#include "tst_ticketrenderer.moc"
