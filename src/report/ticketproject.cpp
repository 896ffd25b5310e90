#include "report/ticketproject.h"

#include "report/reporterror.h"
#include "report/ticketprojectformat.h"
#include "report/ticketprojectreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSaveFile>

#include <cmath>

namespace {
QString subjectFor(const QString &path)
{
    return QStringLiteral("Il progetto di stampa %1").arg(QFileInfo(path).fileName());
}

TicketItem line(const QString &text, double y, double height, double size, bool bold = false,
                bool italic = false)
{
    TicketItem item;
    item.text = text;
    item.box = QRectF(4, y, 72, height);
    item.fontSize = size;
    item.bold = bold;
    item.italic = italic;
    return item;
}
} // namespace

const QRegularExpression &TicketProject::placeholderPattern()
{
    // Column names of the archive may hold spaces and accents, so anything but braces and
    // line breaks is a name.
    static const QRegularExpression pattern(QStringLiteral("\\{([^{}\\r\\n]+)\\}"));
    return pattern;
}

TicketProject TicketProject::defaultTicket(const QString &printer)
{
    TicketProject project;
    project.paperSize = QSizeF(80, 90);
    project.printer = printer;
    // Boxes 72 mm wide: the printable width of an 80 mm roll. The title has room for two
    // lines, since office names are long.
    project.items = {
        line(QStringLiteral("{Titolo}"), 3, 12, 12, true),
        line(QStringLiteral("Il suo numero"), 17, 6, 10),
        line(QStringLiteral("{NumeroDaStampare}"), 23, 24, 54, true),
        line(QStringLiteral("Postazione: {QualePostazione}"), 51, 7, 11),
        line(QStringLiteral("Operatore: {QualeUtente}"), 58, 7, 11),
        line(QStringLiteral("{QualeData}  ore {QualeOra}"), 67, 6, 10),
        line(QStringLiteral("Attendere la chiamata"), 78, 6, 9, false, true),
    };
    // The number stands out in a frame, as on the tickets people know from the counters.
    project.items[2].frame = true;
    return project;
}

TicketProject TicketProject::load(const QString &path)
{
    const QString subject = subjectFor(path);
    const QFileInfo info(path);
    if (!info.exists())
        throw ReportError(QStringLiteral("%1 non esiste: %2")
                              .arg(subject, QDir::toNativeSeparators(info.absoluteFilePath())));
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("%1 non si può leggere.").arg(subject),
                          info.isDir() ? QStringLiteral("%1 è una cartella").arg(path)
                                       : file.errorString());
    return TicketProjectReader(subject).read(file.readAll());
}

TicketProject TicketProject::fromJson(const QByteArray &json)
{
    return TicketProjectReader(QStringLiteral("Il progetto di stampa")).read(json);
}

QByteArray TicketProject::toJson() const
{
    QJsonArray array;
    for (const TicketItem &item : items) {
        const QJsonObject box{{QStringLiteral("x"), item.box.x()},
                              {QStringLiteral("y"), item.box.y()},
                              {QStringLiteral("width"), item.box.width()},
                              {QStringLiteral("height"), item.box.height()}};
        const QJsonObject font{{QStringLiteral("family"), item.fontFamily},
                               {QStringLiteral("size"), item.fontSize},
                               {QStringLiteral("bold"), item.bold},
                               {QStringLiteral("italic"), item.italic}};
        array << QJsonObject{
            {QStringLiteral("text"), item.text},
            {QStringLiteral("box"), box},
            {QStringLiteral("font"), font},
            {QStringLiteral("align"),
             TicketProjectFormat::alignmentName(TicketProjectFormat::horizontalNames(),
                                                item.alignment, QStringLiteral("left"))},
            {QStringLiteral("valign"),
             TicketProjectFormat::alignmentName(TicketProjectFormat::verticalNames(),
                                                item.alignment, QStringLiteral("center"))},
            {QStringLiteral("frame"), item.frame}};
    }
    const QJsonObject paper{{QStringLiteral("width"), paperSize.width()},
                            {QStringLiteral("height"), paperSize.height()}};
    const QJsonObject printing{{QStringLiteral("dotsPerInch"), dotsPerInch},
                               {QStringLiteral("cut"), cut},
                               {QStringLiteral("timeout"), timeoutMs / 1000.0}};
    const QJsonObject root{{QStringLiteral("format"), TicketProjectFormat::name()},
                           {QStringLiteral("version"), FormatVersion},
                           {QStringLiteral("paper"), paper},
                           {QStringLiteral("printer"), printer},
                           {QStringLiteral("printing"), printing},
                           {QStringLiteral("items"), array}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void TicketProject::save(const QString &path) const
{
    QSaveFile file(path);
    const QByteArray json = toJson();
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit())
        throw ReportError(QStringLiteral("Non è stato possibile salvare il progetto di stampa %1.")
                              .arg(QDir::toNativeSeparators(path)),
                          file.errorString());
}

QStringList TicketProject::referencedItems() const
{
    QStringList names;
    for (const TicketItem &item : items) {
        QRegularExpressionMatchIterator it = placeholderPattern().globalMatch(item.text);
        while (it.hasNext()) {
            const QString name = it.next().captured(1);
            if (!names.contains(name, Qt::CaseInsensitive))
                names << name;
        }
    }
    return names;
}
