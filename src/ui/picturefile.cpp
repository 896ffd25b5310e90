#include "ui/picturefile.h"

#include <QFileInfo>
#include <QImageReader>

QImage PictureFile::read(const QString &path, QString *reason)
{
    const auto refuse = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return QImage();
    };
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(QStringLiteral("il file non esiste"));
    if (!info.isFile())
        return refuse(QStringLiteral("non è un file"));

    QImageReader reader(path);
    // The size comes from the header alone, and a header of a few bytes may announce
    // 20000 x 20000 pixels: judged before decoding, not left to Qt's process-wide limit,
    // which anyone may raise and which would only say "Unable to read image data".
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > MaxBytes)
        return refuse(QStringLiteral("l'immagine è troppo grande (%1 x %2 pixel)")
                          .arg(size.width())
                          .arg(size.height()));
    const QImage image = reader.read();
    if (image.isNull())
        return refuse(QStringLiteral("il file non contiene un'immagine leggibile"));
    return image;
}
