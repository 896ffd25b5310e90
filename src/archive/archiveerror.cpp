#include "archive/archiveerror.h"

#include "archive/archivepath.h"

#include <QSqlError>

namespace {

// PostgreSQL's SQLSTATE codes, as Qt's driver reports them. A failure that comes with no
// code never reached the server's answer: the connection itself is gone.
ArchiveError fromServer(const QString &path, const QSqlError &error, bool writing)
{
    const QString file = ArchivePath::fileName(path);
    const QString detail = error.text().trimmed();
    const QString code = error.nativeErrorCode();
    if (error.type() == QSqlError::ConnectionError || code.isEmpty() || code.startsWith(u"08")
        || code.startsWith(u"57P"))
        return ArchiveError(
            ArchiveError::Reason::Unreachable,
            QStringLiteral("Archivio non raggiungibile: %1").arg(ArchivePath::describe(path)),
            detail);
    if (code == u"55P03" || code == u"40P01" || code == u"40001")
        return ArchiveError(ArchiveError::Reason::Busy,
                            QStringLiteral("L'archivio %1 è occupato da un'altra postazione: "
                                           "riprovare tra qualche istante.")
                                .arg(file),
                            detail);
    if (writing && (code == u"25006" || code == u"42501"))
        return ArchiveError(ArchiveError::Reason::ReadOnly,
                            QStringLiteral("L'archivio %1 non può essere scritto: l'utente non "
                                           "ha il permesso di scriverlo sul server.")
                                .arg(file),
                            detail);
    return ArchiveError(ArchiveError::Reason::Other,
                        writing
                            ? QStringLiteral("Errore nella scrittura dell'archivio %1.").arg(file)
                            : QStringLiteral("Errore nella lettura dell'archivio %1.").arg(file),
                        detail);
}

} // namespace

ArchiveError::ArchiveError(Reason reason, QString message, QString detail)
    : reason_(reason), message_(std::move(message)), detail_(std::move(detail)),
      what_((message_ + (detail_.isEmpty() ? QString() : QStringLiteral(" (") + detail_ + u')'))
                .toUtf8())
{
}

QString ArchiveError::fullText() const
{
    if (detail_.isEmpty())
        return message_;
    return message_ + QStringLiteral("\n\nDettaglio: ") + detail_;
}

ArchiveError ArchiveError::fromSql(const QString &path, const QSqlError &error, bool writing)
{
    if (ArchivePath::isServer(path))
        return fromServer(path, error, writing);
    const QString file = ArchivePath::fileName(path);
    const QString detail = error.text().trimmed();
    // SQLite's primary result codes, as Qt's driver reports them.
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    switch (ok ? code : -1) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return ArchiveError(Reason::Busy,
                            QStringLiteral("L'archivio %1 è occupato da un'altra postazione: "
                                           "riprovare tra qualche istante.")
                                .arg(file),
                            detail);
    case 8: // SQLITE_READONLY
        return ArchiveError(Reason::ReadOnly,
                            QStringLiteral("L'archivio %1 non può essere scritto: "
                                           "il file o la cartella sono in sola lettura.")
                                .arg(file),
                            detail);
    case 14: // SQLITE_CANTOPEN
        if (writing)
            return ArchiveError(Reason::ReadOnly,
                                QStringLiteral("L'archivio %1 non può essere scritto: "
                                               "la cartella degli archivi non è scrivibile.")
                                    .arg(file),
                                detail);
        return ArchiveError(Reason::Unreachable,
                            QStringLiteral("Archivio non raggiungibile: %1").arg(path), detail);
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return ArchiveError(Reason::NotAnArchive,
                            QStringLiteral("Il file %1 non è un archivio valido.").arg(path),
                            detail);
    default:
        break;
    }
    return ArchiveError(Reason::Other,
                        writing
                            ? QStringLiteral("Errore nella scrittura dell'archivio %1.").arg(file)
                            : QStringLiteral("Errore nella lettura dell'archivio %1.").arg(file),
                        detail);
}
