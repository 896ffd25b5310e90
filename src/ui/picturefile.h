#pragma once

#include <QImage>
#include <QString>

// The background picture of the public screen, read from the file the administrator chose.
// A file that is not a picture, or whose header announces more pixels than the kiosk can
// hold, is refused with the reason in Italian rather than shown as an empty screen or paid
// for in gigabytes.
class PictureFile
{
public:
    // Decoded at 4 bytes a pixel: a 4K screen's picture takes 33 MB, so this leaves room for
    // any sensible background and refuses the rest before a byte of it is allocated.
    static constexpr qint64 MaxBytes = 128LL * 1024 * 1024;

    // The picture at path, or a null image with why not in reason (when given).
    static QImage read(const QString &path, QString *reason);
};
