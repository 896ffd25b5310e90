#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The one-line file that tells the kiosk where its archive folder is. It lives in the
// working directory, holds the folder as a quoted text, and is shared with the older
// programs of the installation, which may have written it in the Windows 8-bit code page.
class PercorsiFile
{
public:
    struct ReadResult
    {
        enum class Status
        {
            Ok,
            Missing,       // the file does not exist
            FolderMissing, // the folder that should hold the file does not exist
            Unreadable,    // it exists but cannot be read (a folder, no permission, I/O error)
            Empty          // nothing to read in it
        };
        Status status = Status::Missing;
        QString folder; // the first field, only when status is Ok
        QString detail; // the technical reason of a failure, for the user's report
    };

    // Reading never looks further than this: the folder is on the first line, and a
    // file someone filled with rubbish must not be loaded whole.
    static constexpr qint64 MaxReadBytes = 64 * 1024;

    // Relative on purpose: resolved against the working directory, as the installation expects.
    static QString fileName() { return QStringLiteral("percorsiT.txt"); }

    // The first field of the file's content; nullopt when the content holds nothing but
    // blanks and line breaks.
    static std::optional<QString> parseFirstField(const QByteArray &bytes);

    static ReadResult read(const QString &path = fileName());

    // Replaces the content with the folder in double quotes and CR LF, in UTF-8. On failure
    // the old content stays as it was and errorText (when given) says why, in Italian.
    static bool write(const QString &folder, QString *errorText, const QString &path = fileName());
};
