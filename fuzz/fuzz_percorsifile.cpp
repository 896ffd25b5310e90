// percorsiT.txt comes from whoever last wrote the working folder: any bytes at all.
#include "setup/percorsifile.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QString> folder = PercorsiFile::parseFirstField(bytes);
    // The folder is one line: it can never hold a line break.
    if (folder && (folder->contains(u'\r') || folder->contains(u'\n')))
        __builtin_trap();
    return 0;
}
