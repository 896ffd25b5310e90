#pragma once

#include <QString>

#include <exception>

class QSqlError;

// The one failure type of the archive layer. It carries the Italian sentence shown to the
// user and the technical detail behind it; each user command catches it at its edge.
class ArchiveError : public std::exception
{
public:
    enum class Reason
    {
        Unreachable,  // folder or file not there: the share is down or the path is wrong
        NotAnArchive, // the file exists but is not an archive
        MissingTable,
        MissingField,
        NoCurrentRecord, // empty table, end of records, or the record vanished
        Busy,            // another workstation held the archive past our patience
        ReadOnly,
        BadValue, // a value that the field cannot hold, or an empty converted field
        NotUpdatable,
        Other
    };

    ArchiveError(Reason reason, QString message, QString detail = QString());

    // Classifies a driver error on the archive at path.
    static ArchiveError fromSql(const QString &path, const QSqlError &error, bool writing);

    Reason reason() const { return reason_; }
    const QString &message() const { return message_; }
    const QString &detail() const { return detail_; }
    // The message followed by the detail, for a message box that helps the technician.
    QString fullText() const;

    const char *what() const noexcept override { return what_.constData(); }

private:
    Reason reason_;
    QString message_;
    QString detail_;
    QByteArray what_;
};
