#pragma once

#include "report/dataitem.h"

#include <QByteArray>
#include <QImage>
#include <QList>

class TicketProject;

// The ticket as the thermal head prints it: one bit a dot, as wide as the head reaches,
// and the ESC/POS commands that carry such an image.
class EscPosRaster
{
public:
    // Rows of one GS v 0 image. Printers cap one image's height (2,303 rows on common
    // models) and hold it whole in their buffer; 256 rows (32 mm at 203 dpi) fit everywhere.
    static constexpr int BandRows = 256;

    // The width the head reaches on paper of that width: 72 mm of an 80 mm roll, 48 mm of
    // a 58 mm roll (8 and 10 mm of margin; a narrower roll loses 10 mm, a wider one 8),
    // in dots to the nearest whole byte. A head sold as 203 dpi has 8 dots a millimetre,
    // so 72 mm are its 576 dots where 203 dpi alone would make 575.4.
    static int printableDots(qreal paperWidthMm, int dotsPerInch);

    // The ticket drawn by TicketRenderer at the project's resolution, 1:1: the margins the
    // head cannot reach are cut off equally on both sides, never scaled away. The paper's
    // height in dots; Format_Mono with colour 1 black, so that each row is the printer's bytes.
    static QImage ticketImage(const TicketProject &project, const QList<DataItem> &items);

    // A 1-bit image as GS v 0 raster commands in bands of BandRows; its width must be a
    // multiple of 8.
    static QByteArray rasterCommands(const QImage &monoImage);
};
