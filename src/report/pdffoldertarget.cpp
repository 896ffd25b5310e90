#include "report/pdffoldertarget.h"

#include "report/reporterror.h"

#include <QDir>
#include <QFileInfo>

namespace {
// Enough tickets of one number in one second for any real use; the bound only keeps a
// folder that refuses every name from looping for ever.
constexpr int MaxNameAttempts = 1000;
} // namespace

PdfFolderTarget::PdfFolderTarget(const QString &folder, const QSizeF &paperMillimetres,
                                 QDateTime at)
    : folder_(QDir::cleanPath(folder)), paper_(paperMillimetres), at_(std::move(at))
{
    const QFileInfo info(folder_);
    const QString shown = QDir::toNativeSeparators(folder_);
    if (!info.exists())
        throw ReportError(QStringLiteral("La cartella dei biglietti «%1» non esiste.").arg(shown));
    if (!info.isDir() || !info.isWritable())
        throw ReportError(
            QStringLiteral("Non è possibile scrivere nella cartella dei biglietti «%1».")
                .arg(shown));
}

QString PdfFolderTarget::baseName(const QDateTime &at, const QString &number)
{
    QString name = QStringLiteral("ticket-") + at.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    bool whole = false;
    const qlonglong value = number.toLongLong(&whole);
    QString part;
    if (whole && value >= 0) {
        part = QStringLiteral("%1").arg(value, 3, 10, QLatin1Char('0'));
    } else {
        for (const QChar c : number) {
            if (c.isLetterOrNumber() && c.unicode() < 128)
                part += c;
        }
        part.truncate(32);
    }
    if (!part.isEmpty())
        name += u'-' + part;
    return name;
}

QPagedPaintDevice &PdfFolderTarget::beginDocument(const QString &number)
{
    number_ = number;
    // Hidden and without the .pdf ending, so that nothing picks up a ticket being written.
    file_.setFileTemplate(QDir(folder_).filePath(QStringLiteral(".ticket-XXXXXX.part")));
    if (!file_.open())
        throw ReportError(
            QStringLiteral("Non è possibile scrivere nella cartella dei biglietti «%1».")
                .arg(QDir::toNativeSeparators(folder_)),
            file_.errorString());
    writer_ = std::make_unique<QPdfWriter>(&file_);
    writer_->setPageLayout(pageLayout(paper_));
    const QString title =
        number.isEmpty() ? QStringLiteral("Ticket") : QStringLiteral("Ticket %1").arg(number);
    writer_->setTitle(title);
    writer_->setCreator(QStringLiteral("Totem KZ4"));
    return *writer_;
}

void PdfFolderTarget::endDocument()
{
    writer_.reset();
    const QString shown = QDir::toNativeSeparators(folder_);
    if (!file_.flush() || file_.error() != QFileDevice::NoError || file_.size() == 0) {
        const QString detail = file_.errorString();
        discardDocument();
        throw ReportError(
            QStringLiteral("Il biglietto non è stato scritto nella cartella «%1».").arg(shown),
            detail);
    }
    // A temporary file is private to its owner; a ticket is an ordinary file of the folder.
    file_.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                         | QFileDevice::ReadOther);
    // A renamed temporary file must outlive this object.
    file_.setAutoRemove(false);
    const QDir dir(folder_);
    const QString base = baseName(at_, number_);
    for (int attempt = 1; attempt <= MaxNameAttempts; ++attempt) {
        const QString name = attempt == 1 ? base + QStringLiteral(".pdf")
                                          : QStringLiteral("%1-%2.pdf").arg(base).arg(attempt);
        const QString path = dir.filePath(name);
        // rename() never replaces an existing file; the check only spares a failed call.
        if (QFileInfo::exists(path))
            continue;
        if (file_.rename(path))
            return;
    }
    const QString detail = file_.errorString();
    file_.remove();
    throw ReportError(
        QStringLiteral("Il biglietto non è stato scritto nella cartella «%1».").arg(shown), detail);
}

void PdfFolderTarget::discardDocument()
{
    writer_.reset();
    file_.remove();
}

QString PdfFolderTarget::cannotStartMessage() const
{
    return QStringLiteral("Impossibile creare il biglietto in PDF nella cartella «%1».")
        .arg(QDir::toNativeSeparators(folder_));
}
