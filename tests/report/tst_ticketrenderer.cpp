#include "report/ticketproject.h"
#include "report/ticketrenderer.h"

#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QTest>

class TestTicketRenderer : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void expandMatchesNamesWithoutCaseAndKeepsUnknownOnes();
    void displayText_data();
    void displayText();
    void inkStaysInsideTheBoxes();
    void pointSizesArePhysicalAtAnyResolution();
};

static QList<DataItem> ticketData()
{
    return {{QStringLiteral("NumeroDaStampare"), QStringLiteral("42"), DataItem::Number},
            {QStringLiteral("QualePostazione"), QStringLiteral("Postazione 3"), DataItem::Text},
            {QStringLiteral("ID"), QStringLiteral("1"), DataItem::Number}};
}

// The rows of the image holding anything but white, as [first, last]; {-1, -1} if none.
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

void TestTicketRenderer::expandMatchesNamesWithoutCaseAndKeepsUnknownOnes()
{
    QCOMPARE(TicketRenderer::expand(
                 QStringLiteral("N. {numerodastampare} - {QUALEPOSTAZIONE}{ID} {Sportello} {ID"),
                 ticketData()),
             QStringLiteral("N. 42 - Postazione 31 {Sportello} {ID"));
    QCOMPARE(TicketRenderer::expand(QStringLiteral("{ID}"), {}), QStringLiteral("{ID}"));
}

void TestTicketRenderer::displayText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<DataItem>("item");
    QTest::addColumn<QString>("shown");

    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const auto date = [](const char *content) {
        return DataItem{QStringLiteral("QualeData"), QString::fromUtf8(content), DataItem::Date};
    };
    QTest::newRow("italian") << italian << date("46360,5") << QStringLiteral("04/12/2026 12.00");
    QTest::newRow("italian grouped")
        << italian << date("46.360,5") << QStringLiteral("04/12/2026 12.00");
    QTest::newRow("c") << QLocale::c() << date("46360.5") << QStringLiteral("04/12/2026 12.00");
    QTest::newRow("no time") << QLocale::c() << date("46360") << QStringLiteral("04/12/2026");
    QTest::newRow("single precision noise")
        << QLocale::c() << date("46360.49998") << QStringLiteral("04/12/2026 12.00");
    QTest::newRow("time only") << italian << date("0,75") << QStringLiteral("18.00");
    QTest::newRow("unparsable") << italian << date("46360.5") << QStringLiteral("46360.5");
    QTest::newRow("number as is") << italian
                                  << DataItem{QStringLiteral("N"), QStringLiteral("1234.5"),
                                              DataItem::Number}
                                  << QStringLiteral("1234.5");
}

void TestTicketRenderer::displayText()
{
    QFETCH(QLocale, locale);
    QFETCH(DataItem, item);
    QLocale::setDefault(locale);
    QTEST(TicketRenderer::displayText(item), "shown");
}

void TestTicketRenderer::inkStaysInsideTheBoxes()
{
    TicketProject project = TicketProject::defaultTicket();
    const QImage image = TicketRenderer::image(project, ticketData(), 8);
    QCOMPARE(image.size(), QSize(640, qRound(project.paperSize.height() * 8)));

    const TicketItem &number = project.items.at(2);
    QCOMPARE(number.text, QStringLiteral("{NumeroDaStampare}"));
    const QRect numberBox = QRectF(number.box.topLeft() * 8, number.box.size() * 8).toRect();
    QVERIFY(inkRows(image, numberBox.adjusted(3, 3, -3, -3)).first >= 0); // inside the frame

    QImage outside = image.copy();
    QPainter painter(&outside);
    for (const TicketItem &item : project.items)
        painter.fillRect(QRectF(item.box.topLeft() * 8, item.box.size() * 8).adjusted(-1, -1, 1, 1),
                         Qt::white);
    painter.end();
    QCOMPARE(inkRows(outside, outside.rect()), qMakePair(-1, -1));
}

void TestTicketRenderer::pointSizesArePhysicalAtAnyResolution()
{
    TicketProject project;
    project.paperSize = QSizeF(40, 20);
    TicketItem item;
    item.text = QStringLiteral("HHH");
    item.box = QRectF(0, 0, 40, 20);
    item.fontSize = 10;
    project.items = {item};

    QList<qreal> heights;
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
        heights << (bottom - top + 1) * 25.4 / dpi;
    }
    // A capital of DejaVu Sans is 0.73 em: 2.57 mm at 10 pt.
    QVERIFY2(qAbs(heights[0] - 2.57) < 0.15 && qAbs(heights[1] - 2.57) < 0.15,
             qPrintable(QStringLiteral("%1 mm, %2 mm").arg(heights[0]).arg(heights[1])));
}

QTEST_MAIN(TestTicketRenderer)
#include "tst_ticketrenderer.moc"
