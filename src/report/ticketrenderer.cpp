#include "report/ticketrenderer.h"

#include "core/daynumber.h"
#include "report/ticketproject.h"

#include <QDateTime>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <QTimeZone>

#include <cmath>

namespace {
constexpr qreal MillimetresPerInch = 25.4;
constexpr qreal FrameWidthMm = 0.3;

const DataItem *findItem(const QList<DataItem> &items, const QString &name)
{
    for (const DataItem &item : items) {
        if (item.name.compare(name, Qt::CaseInsensitive) == 0)
            return &item;
    }
    return nullptr;
}

QString dayNumberText(double dayNumber)
{
    // A single-precision day number holds the time to a few minutes at best: round to the
    // minute, so that 11:59:59.9 reads as 12:00 and not 11:59. In UTC, where every minute
    // of the wall clock exists.
    QDateTime at = DayNumber::toDateTime(dayNumber);
    at = QDateTime(at.date(), at.time(), QTimeZone::utc()).addSecs(30);
    at.setTime(QTime(at.time().hour(), at.time().minute()));
    if (at.time() == QTime(0, 0))
        return at.toString(QStringLiteral("dd/MM/yyyy"));
    // Day 0 is how the archive keeps a time without a date.
    if (at.date() == DayNumber::epoch())
        return at.toString(QStringLiteral("HH.mm"));
    return at.toString(QStringLiteral("dd/MM/yyyy HH.mm"));
}

QRectF toDevice(const QRectF &mm, qreal dotsPerMmX, qreal dotsPerMmY)
{
    return QRectF(mm.x() * dotsPerMmX, mm.y() * dotsPerMmY, mm.width() * dotsPerMmX,
                  mm.height() * dotsPerMmY);
}
} // namespace

QString TicketRenderer::expand(const QString &text, const QList<DataItem> &items)
{
    QString result;
    qsizetype from = 0;
    QRegularExpressionMatchIterator it = TicketProject::placeholderPattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).sliced(from, match.capturedStart() - from);
        const DataItem *item = findItem(items, match.captured(1));
        result += item ? displayText(*item) : match.captured(0);
        from = match.capturedEnd();
    }
    result += QStringView(text).sliced(from);
    return result;
}

QString TicketRenderer::displayText(const DataItem &item)
{
    if (item.type != DataItem::Date)
        return item.content;
    // The program writes day numbers in the system's number format, so they are read back
    // in it; anything else is shown as written rather than as a wrong date.
    bool ok = false;
    const double dayNumber = QLocale().toDouble(item.content.trimmed(), &ok);
    if (!ok || !std::isfinite(dayNumber) || std::abs(dayNumber) > 2958465) // 31/12/9999
        return item.content;
    return dayNumberText(dayNumber);
}

void TicketRenderer::render(QPainter &painter, const TicketProject &project,
                            const QList<DataItem> &items)
{
    const QPaintDevice *device = painter.device();
    const qreal dotsPerMmX = device->logicalDpiX() / MillimetresPerInch;
    const qreal dotsPerMmY = device->logicalDpiY() / MillimetresPerInch;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(toDevice(QRectF(QPointF(0, 0), project.paperSize), dotsPerMmX, dotsPerMmY),
                     Qt::white);

    for (const TicketItem &item : project.items) {
        const QRectF box = toDevice(item.box, dotsPerMmX, dotsPerMmY);
        // QPainter resolves a point size against the device's own resolution, which is
        // what makes 10 pt measure 10 pt on a 1200 dpi printer as on a 96 dpi preview;
        // the font is therefore built here, never taken from a widget.
        QFont font(item.fontFamily);
        font.setPointSizeF(item.fontSize);
        font.setBold(item.bold);
        font.setItalic(item.italic);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(box, int(item.alignment) | Qt::TextWordWrap, expand(item.text, items));

        if (item.frame) {
            const qreal width = std::max<qreal>(1, FrameWidthMm * dotsPerMmX);
            painter.setPen(QPen(Qt::black, width));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box.adjusted(width / 2, width / 2, -width / 2, -width / 2));
        }
    }
    painter.restore();
}

QImage TicketRenderer::image(const TicketProject &project, const QList<DataItem> &items,
                             qreal dotsPerMillimetre)
{
    QImage image(qRound(project.paperSize.width() * dotsPerMillimetre),
                 qRound(project.paperSize.height() * dotsPerMillimetre), QImage::Format_RGB32);
    // The image's resolution is what render() measures millimetres and points with.
    const int dotsPerMetre = qRound(dotsPerMillimetre * 1000);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    render(painter, project, items);
    return image;
}
