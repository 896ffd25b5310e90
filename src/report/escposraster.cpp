#include "report/escposraster.h"

#include "report/ticketproject.h"
#include "report/ticketrenderer.h"

#include <QPainter>

namespace {
constexpr qreal MillimetresPerInch = 25.4;
// Grey levels darker than this burn a dot: antialiased edges cut at the middle keep the
// shapes' true outline, where drawing without antialiasing thins them.
constexpr int InkThreshold = 128;
} // namespace

int EscPosRaster::printableDots(qreal paperWidthMm, int dotsPerInch)
{
    const qreal margin = paperWidthMm < 80 ? 10 : 8;
    const qreal dots = (paperWidthMm - margin) * dotsPerInch / MillimetresPerInch;
    return std::max(1, qRound(dots / 8)) * 8;
}

QImage EscPosRaster::ticketImage(const TicketProject &project, const QList<DataItem> &items)
{
    const qreal dotsPerMm = project.dotsPerInch / MillimetresPerInch;
    const int width = printableDots(project.paperSize.width(), project.dotsPerInch);
    const int height = std::max(1, qRound(project.paperSize.height() * dotsPerMm));

    // In colour and then cut to one bit: the raster engine antialiases only there, and it
    // draws on 32-bit pixels about three times as fast as on grey or 1-bit ones.
    QImage drawn(width, height, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(dotsPerMm * 1000);
    drawn.setDotsPerMeterX(dotsPerMetre);
    drawn.setDotsPerMeterY(dotsPerMetre);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        painter.translate(-((qRound(project.paperSize.width() * dotsPerMm) - width) / 2), 0);
        TicketRenderer::render(painter, project, items);
    }

    QImage mono(width, height, QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mono.setDotsPerMeterX(dotsPerMetre);
    mono.setDotsPerMeterY(dotsPerMetre);
    for (int y = 0; y < height; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(drawn.constScanLine(y));
        uchar *out = mono.scanLine(y);
        for (int byte = 0; byte < width / 8; ++byte) {
            uchar bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                bits = uchar(bits << 1) | uchar(qGray(in[byte * 8 + bit]) < InkThreshold);
            out[byte] = bits;
        }
    }
    return mono;
}

QByteArray EscPosRaster::rasterCommands(const QImage &monoImage)
{
    Q_ASSERT(monoImage.format() == QImage::Format_Mono && monoImage.width() % 8 == 0);
    Q_ASSERT(monoImage.color(1) == qRgb(0, 0, 0));
    const int rowBytes = monoImage.width() / 8;
    QByteArray bytes;
    bytes.reserve((rowBytes + 1) * monoImage.height() + 8 * (monoImage.height() / BandRows + 1));
    for (int top = 0; top < monoImage.height(); top += BandRows) {
        const int rows = std::min(BandRows, monoImage.height() - top);
        const char header[] = {'\x1d',
                               'v',
                               '0',
                               '\0',
                               char(rowBytes & 0xff),
                               char(rowBytes >> 8),
                               char(rows & 0xff),
                               char(rows >> 8)};
        bytes.append(header, sizeof header);
        for (int y = top; y < top + rows; ++y)
            bytes.append(reinterpret_cast<const char *>(monoImage.constScanLine(y)), rowBytes);
    }
    return bytes;
}
