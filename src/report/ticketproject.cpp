#include "report/ticketproject.h"

#include "report/reporterror.h"

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
const QString FormatName = QStringLiteral("totem-ticket");

// Generous bounds: they exist to catch a hand-edited file gone wrong (a size in
// micrometres, a negative box), not to police the layout.
constexpr double MaxMillimetres = 1000;
constexpr double MinFontSize = 1;
constexpr double MaxFontSize = 200;

struct AlignmentName
{
    Qt::Alignment flag;
    QString name;
};

const QList<AlignmentName> &horizontalNames()
{
    static const QList<AlignmentName> names = {{Qt::AlignLeft, QStringLiteral("left")},
                                               {Qt::AlignHCenter, QStringLiteral("center")},
                                               {Qt::AlignRight, QStringLiteral("right")}};
    return names;
}

const QList<AlignmentName> &verticalNames()
{
    static const QList<AlignmentName> names = {{Qt::AlignTop, QStringLiteral("top")},
                                               {Qt::AlignVCenter, QStringLiteral("center")},
                                               {Qt::AlignBottom, QStringLiteral("bottom")}};
    return names;
}

QString alignmentName(const QList<AlignmentName> &names, Qt::Alignment alignment,
                      const QString &fallback)
{
    for (const AlignmentName &n : names) {
        if (alignment & n.flag)
            return n.name;
    }
    return fallback;
}

// Reads one document. Every complaint names the document (subject) and, for an item,
// its position as the user counts, so that whoever edited the file by hand can find
// the mistake.
class Reader
{
public:
    explicit Reader(QString subject) : subject_(std::move(subject)) {}

    TicketProject read(const QByteArray &json) const
    {
        if (json.trimmed().isEmpty())
            fail(QStringLiteral("%1 è vuoto.").arg(subject_));
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(json, &error);
        if (error.error != QJsonParseError::NoError)
            fail(QStringLiteral("%1 non è un file JSON valido.").arg(subject_),
                 QStringLiteral("%1 (posizione %2)").arg(error.errorString()).arg(error.offset));
        if (!document.isObject())
            fail(notOurs());

        const QJsonObject root = document.object();
        if (root.value(QStringLiteral("format")).toString() != FormatName)
            fail(notOurs(),
                 QStringLiteral("format: %1").arg(describe(root.value(QStringLiteral("format")))));
        const QJsonValue version = root.value(QStringLiteral("version"));
        if (!isWholeNumber(version) || version.toDouble() < 1)
            fail(QStringLiteral("%1 non indica una versione valida del formato.").arg(subject_),
                 QStringLiteral("version: %1").arg(describe(version)));
        if (version.toDouble() > TicketProject::FormatVersion)
            fail(QStringLiteral("%1 è stato creato da una versione più recente del programma: "
                                "aggiornare il programma o rifare il modulo.")
                     .arg(subject_),
                 QStringLiteral("versione %1, questo programma legge fino alla %2")
                     .arg(version.toDouble())
                     .arg(TicketProject::FormatVersion));

        TicketProject project;
        const QJsonObject paper = object(root, QStringLiteral("paper"), QString());
        project.paperSize.setWidth(millimetres(paper, QStringLiteral("width"),
                                               QStringLiteral("la larghezza della carta"), false));
        project.paperSize.setHeight(millimetres(paper, QStringLiteral("height"),
                                                QStringLiteral("l'altezza della carta"), false));
        project.printer = string(root, QStringLiteral("printer"), QString(), QString());

        const QJsonValue items = root.value(QStringLiteral("items"));
        if (!items.isUndefined() && !items.isArray())
            fail(QStringLiteral("%1: \"items\" deve essere un elenco di elementi.").arg(subject_));
        const QJsonArray array = items.toArray();
        for (qsizetype i = 0; i < array.size(); ++i)
            project.items << item(array.at(i), int(i) + 1);
        return project;
    }

private:
    [[noreturn]] static void fail(const QString &message, const QString &detail = QString())
    {
        throw ReportError(message, detail);
    }

    QString notOurs() const
    {
        return QStringLiteral("%1 non è nel formato dei ticket del Totem.").arg(subject_);
    }

    static bool isWholeNumber(const QJsonValue &value)
    {
        return value.isDouble() && std::floor(value.toDouble()) == value.toDouble();
    }

    static QString describe(const QJsonValue &value)
    {
        if (value.isUndefined())
            return QStringLiteral("assente");
        if (value.isString())
            return u'"' + value.toString() + u'"';
        QJsonArray wrapper{value};
        return QString::fromUtf8(QJsonDocument(wrapper).toJson(QJsonDocument::Compact))
            .mid(1)
            .chopped(1);
    }

    // "owner" places a key for the reader: empty at the top level, " nell'elemento 3" in
    // an item.
    QJsonObject object(const QJsonObject &parent, const QString &key, const QString &owner) const
    {
        const QJsonValue value = parent.value(key);
        if (!value.isObject())
            fail(QStringLiteral("%1: \"%2\"%3 manca o non è un oggetto.").arg(subject_, key, owner),
                 QStringLiteral("%1: %2").arg(key, describe(value)));
        return value.toObject();
    }

    QString string(const QJsonObject &parent, const QString &key, const QString &fallback,
                   const QString &owner) const
    {
        const QJsonValue value = parent.value(key);
        if (value.isUndefined())
            return fallback;
        if (!value.isString())
            fail(QStringLiteral("%1: \"%2\"%3 deve essere un testo.").arg(subject_, key, owner),
                 QStringLiteral("%1: %2").arg(key, describe(value)));
        return value.toString();
    }

    bool boolean(const QJsonObject &parent, const QString &key, const QString &owner) const
    {
        const QJsonValue value = parent.value(key);
        if (value.isUndefined())
            return false;
        if (!value.isBool())
            fail(QStringLiteral("%1: \"%2\"%3 deve essere true o false.").arg(subject_, key, owner),
                 QStringLiteral("%1: %2").arg(key, describe(value)));
        return value.toBool();
    }

    // A length in millimetres: a position may be 0, a size must be positive.
    double millimetres(const QJsonObject &parent, const QString &key, const QString &what,
                       bool zeroAllowed) const
    {
        const QJsonValue value = parent.value(key);
        const double mm = value.toDouble();
        const bool inRange = zeroAllowed ? mm >= 0 : mm > 0;
        if (!value.isDouble() || !inRange || mm > MaxMillimetres)
            fail(QStringLiteral("%1: %2 deve essere un numero di millimetri %3 %4.")
                     .arg(subject_, what,
                          zeroAllowed ? QStringLiteral("tra 0 e")
                                      : QStringLiteral("maggiore di 0 e al massimo"))
                     .arg(MaxMillimetres),
                 QStringLiteral("%1: %2").arg(key, describe(value)));
        return mm;
    }

    Qt::Alignment alignment(const QJsonObject &parent, const QString &key,
                            const QList<AlignmentName> &names, Qt::Alignment fallback,
                            const QString &owner) const
    {
        const QJsonValue value = parent.value(key);
        if (value.isUndefined())
            return fallback;
        for (const AlignmentName &n : names) {
            if (value.toString() == n.name)
                return n.flag;
        }
        QStringList allowed;
        for (const AlignmentName &n : names)
            allowed << u'"' + n.name + u'"';
        const QString last = allowed.takeLast();
        fail(QStringLiteral("%1: \"%2\"%3 deve essere %4 o %5.")
                 .arg(subject_, key, owner, allowed.join(QStringLiteral(", ")), last),
             QStringLiteral("%1: %2").arg(key, describe(value)));
    }

    TicketItem item(const QJsonValue &value, int number) const
    {
        const QString where = QStringLiteral("elemento %1").arg(number);
        const QString owner = QStringLiteral(" nell'") + where;
        if (!value.isObject())
            fail(QStringLiteral("%1: l'%2 non è un oggetto JSON.").arg(subject_, where),
                 QStringLiteral("items[%1]: %2").arg(number - 1).arg(describe(value)));
        const QJsonObject o = value.toObject();

        TicketItem item;
        const QJsonValue text = o.value(QStringLiteral("text"));
        if (!text.isString())
            fail(QStringLiteral("%1: l'%2 non ha un testo (\"text\").").arg(subject_, where),
                 QStringLiteral("text: %1").arg(describe(text)));
        item.text = text.toString();

        const QJsonObject box = object(o, QStringLiteral("box"), owner);
        const QString in = QStringLiteral("nell'%1 ").arg(where);
        item.box = QRectF(
            millimetres(box, QStringLiteral("x"), in + QStringLiteral("la x del riquadro"), true),
            millimetres(box, QStringLiteral("y"), in + QStringLiteral("la y del riquadro"), true),
            millimetres(box, QStringLiteral("width"),
                        in + QStringLiteral("la larghezza del riquadro"), false),
            millimetres(box, QStringLiteral("height"),
                        in + QStringLiteral("l'altezza del riquadro"), false));

        if (o.contains(QStringLiteral("font"))) {
            const QJsonObject font = object(o, QStringLiteral("font"), owner);
            item.fontFamily = string(font, QStringLiteral("family"), item.fontFamily, owner);
            const QJsonValue size = font.value(QStringLiteral("size"));
            if (!size.isUndefined()) {
                if (!size.isDouble() || size.toDouble() < MinFontSize
                    || size.toDouble() > MaxFontSize)
                    fail(QStringLiteral("%1: nell'%2 la dimensione del carattere deve essere tra "
                                        "%3 e %4 punti.")
                             .arg(subject_, where)
                             .arg(MinFontSize)
                             .arg(MaxFontSize),
                         QStringLiteral("size: %1").arg(describe(size)));
                item.fontSize = size.toDouble();
            }
            item.bold = boolean(font, QStringLiteral("bold"), owner);
            item.italic = boolean(font, QStringLiteral("italic"), owner);
        }

        item.alignment =
            alignment(o, QStringLiteral("align"), horizontalNames(), Qt::AlignHCenter, owner)
            | alignment(o, QStringLiteral("valign"), verticalNames(), Qt::AlignVCenter, owner);
        item.frame = boolean(o, QStringLiteral("frame"), owner);
        return item;
    }

    QString subject_;
};

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
    return Reader(subject).read(file.readAll());
}

TicketProject TicketProject::fromJson(const QByteArray &json)
{
    return Reader(QStringLiteral("Il progetto di stampa")).read(json);
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
             alignmentName(horizontalNames(), item.alignment, QStringLiteral("left"))},
            {QStringLiteral("valign"),
             alignmentName(verticalNames(), item.alignment, QStringLiteral("center"))},
            {QStringLiteral("frame"), item.frame}};
    }
    const QJsonObject paper{{QStringLiteral("width"), paperSize.width()},
                            {QStringLiteral("height"), paperSize.height()}};
    const QJsonObject root{{QStringLiteral("format"), FormatName},
                           {QStringLiteral("version"), FormatVersion},
                           {QStringLiteral("paper"), paper},
                           {QStringLiteral("printer"), printer},
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
