#include "setup/percorsifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. The five holes of the code page
// keep their Latin-1 control characters, as Windows itself maps them.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

QString fromCp1252(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += (b >= 0x80 && b <= 0x9F) ? QChar(Cp1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

// Files written by this program are UTF-8; those written by the installation's older
// programs are in the Windows code page. A Windows-1252 text with accented letters is
// almost never valid UTF-8, so validity decides.
QString decode(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromCp1252(bytes) : text;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

QString writeFailureReason(const QSaveFile &file, const QString &path)
{
    const QDir folder = QFileInfo(path).absoluteDir();
    if (!folder.exists())
        return QStringLiteral("la cartella %1 non esiste")
            .arg(QDir::toNativeSeparators(folder.absolutePath()));

    QString reason;
    switch (file.error()) {
    case QFileDevice::WriteError:
        reason = QStringLiteral("errore durante la scrittura");
        break;
    case QFileDevice::ResourceError:
        reason = QStringLiteral("spazio su disco esaurito o risorsa non disponibile");
        break;
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        reason = QStringLiteral("accesso in scrittura negato");
        break;
    default:
        reason = QStringLiteral("errore del file system");
        break;
    }
    // Qt's own wording names the system's reason; keep it for whoever fixes the machine.
    const QString detail = file.errorString();
    return detail.isEmpty() ? reason : QStringLiteral("%1 (%2)").arg(reason, detail);
}

} // namespace

std::optional<QString> PercorsiFile::parseFirstField(const QByteArray &bytes)
{
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);

    // Blank lines before the first field are skipped like blanks, so that a file of
    // nothing but blanks and line breaks reads as empty rather than as an empty folder.
    qsizetype start = 0;
    while (start < rest.size() && (isBlank(rest[start]) || isLineBreak(rest[start])))
        ++start;
    if (start == rest.size())
        return std::nullopt;

    // The field never reaches past its line, so only that line needs decoding. CR and LF
    // are single bytes in both encodings, so cutting at them never splits a character.
    qsizetype end = start;
    while (end < rest.size() && !isLineBreak(rest[end]))
        ++end;
    const QString line = decode(rest.sliced(start, end - start));

    if (line.startsWith(u'"')) {
        const qsizetype close = line.indexOf(u'"', 1);
        return close < 0 ? line.mid(1) : line.mid(1, close - 1);
    }

    qsizetype stop = line.indexOf(u',');
    if (stop < 0)
        stop = line.size();
    while (stop > 0 && (line[stop - 1] == u' ' || line[stop - 1] == u'\t'))
        --stop;
    return line.left(stop);
}

PercorsiFile::ReadResult PercorsiFile::read(const QString &path)
{
    using Status = ReadResult::Status;
    const QFileInfo info(path);
    if (!info.exists()) {
        const QDir folder = info.absoluteDir();
        if (!folder.exists())
            return {Status::FolderMissing,
                    {},
                    QStringLiteral("La cartella %1 non esiste")
                        .arg(QDir::toNativeSeparators(folder.absolutePath()))};
        return {Status::Missing,
                {},
                QStringLiteral("Il file %1 non esiste")
                    .arg(QDir::toNativeSeparators(info.absoluteFilePath()))};
    }
    if (info.isDir())
        return {Status::Unreadable,
                {},
                QStringLiteral("%1 è una cartella, non un file")
                    .arg(QDir::toNativeSeparators(info.absoluteFilePath()))};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {Status::Unreadable, {}, file.errorString()};
    const QByteArray bytes = file.read(MaxReadBytes);
    if (file.error() != QFileDevice::NoError)
        return {Status::Unreadable, {}, file.errorString()};

    const std::optional<QString> folder = parseFirstField(bytes);
    if (!folder)
        return {Status::Empty,
                {},
                QStringLiteral("Il file %1 è vuoto")
                    .arg(QDir::toNativeSeparators(info.absoluteFilePath()))};
    return {Status::Ok, *folder, {}};
}

bool PercorsiFile::write(const QString &folder, QString *errorText, const QString &path)
{
    // QSaveFile writes beside the target and renames on commit: a full disk or a lost
    // share midway leaves the previous folder in place instead of half a line.
    QSaveFile file(path);
    const QByteArray line = '"' + folder.toUtf8() + "\"\r\n";
    if (file.open(QIODevice::WriteOnly) && file.write(line) == line.size() && file.commit())
        return true;

    if (errorText)
        *errorText = QStringLiteral("Impossibile scrivere il file %1: %2")
                         .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
                              writeFailureReason(file, path));
    return false;
}
