#include "report/ticketprojectreader.h"

#include "report/reporterror.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>

namespace {
// Generous bounds: they exist to catch a hand-edited file gone wrong (a size in
// micrometres, a negative box), not to police the layout.
constexpr double MinFontSize = 1;
constexpr double MaxFontSize = 200;
} // namespace

TicketProject TicketProjectReader::read(const QByteArray &json) const
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
    if (root.value(QStringLiteral("format")).toString() != TicketProjectFormat::name())
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
    readPrinting(root, project);

    const QJsonValue items = root.value(QStringLiteral("items"));
    if (!items.isUndefined() && !items.isArray())
        fail(QStringLiteral("%1: \"items\" deve essere un elenco di elementi.").arg(subject_));
    const QJsonArray array = items.toArray();
    for (qsizetype i = 0; i < array.size(); ++i)
        project.items << item(array.at(i), int(i) + 1);
    return project;
}

void TicketProjectReader::fail(const QString &message, const QString &detail)
{
    throw ReportError(message, detail);
}

QString TicketProjectReader::notOurs() const
{
    return QStringLiteral("%1 non è nel formato dei ticket del Totem.").arg(subject_);
}

bool TicketProjectReader::isWholeNumber(const QJsonValue &value)
{
    return value.isDouble() && std::floor(value.toDouble()) == value.toDouble();
}

QString TicketProjectReader::describe(const QJsonValue &value)
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
QJsonObject TicketProjectReader::object(const QJsonObject &parent, const QString &key,
                                        const QString &owner) const
{
    const QJsonValue value = parent.value(key);
    if (!value.isObject())
        fail(QStringLiteral("%1: \"%2\"%3 manca o non è un oggetto.").arg(subject_, key, owner),
             QStringLiteral("%1: %2").arg(key, describe(value)));
    return value.toObject();
}

QString TicketProjectReader::string(const QJsonObject &parent, const QString &key,
                                    const QString &fallback, const QString &owner) const
{
    const QJsonValue value = parent.value(key);
    if (value.isUndefined())
        return fallback;
    if (!value.isString())
        fail(QStringLiteral("%1: \"%2\"%3 deve essere un testo.").arg(subject_, key, owner),
             QStringLiteral("%1: %2").arg(key, describe(value)));
    return value.toString();
}

bool TicketProjectReader::boolean(const QJsonObject &parent, const QString &key,
                                  const QString &owner) const
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
double TicketProjectReader::millimetres(const QJsonObject &parent, const QString &key,
                                        const QString &what, bool zeroAllowed) const
{
    const QJsonValue value = parent.value(key);
    const double mm = value.toDouble();
    const bool inRange = zeroAllowed ? mm >= 0 : mm > 0;
    if (!value.isDouble() || !inRange || mm > TicketProject::MaxMillimetres)
        fail(QStringLiteral("%1: %2 deve essere un numero di millimetri %3 %4.")
                 .arg(subject_, what,
                      zeroAllowed ? QStringLiteral("tra 0 e")
                                  : QStringLiteral("maggiore di 0 e al massimo"))
                 .arg(TicketProject::MaxMillimetres),
             QStringLiteral("%1: %2").arg(key, describe(value)));
    return mm;
}

Qt::Alignment TicketProjectReader::alignment(const QJsonObject &parent, const QString &key,
                                             const QList<TicketProjectFormat::AlignmentName> &names,
                                             Qt::Alignment fallback, const QString &owner) const
{
    const QJsonValue value = parent.value(key);
    if (value.isUndefined())
        return fallback;
    for (const TicketProjectFormat::AlignmentName &n : names) {
        if (value.toString() == n.name)
            return n.flag;
    }
    QStringList allowed;
    for (const TicketProjectFormat::AlignmentName &n : names)
        allowed << u'"' + n.name + u'"';
    const QString last = allowed.takeLast();
    fail(QStringLiteral("%1: \"%2\"%3 deve essere %4 o %5.")
             .arg(subject_, key, owner, allowed.join(QStringLiteral(", ")), last),
         QStringLiteral("%1: %2").arg(key, describe(value)));
}

TicketItem TicketProjectReader::item(const QJsonValue &value, int number) const
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
        millimetres(box, QStringLiteral("width"), in + QStringLiteral("la larghezza del riquadro"),
                    false),
        millimetres(box, QStringLiteral("height"), in + QStringLiteral("l'altezza del riquadro"),
                    false));

    if (o.contains(QStringLiteral("font"))) {
        const QJsonObject font = object(o, QStringLiteral("font"), owner);
        item.fontFamily = string(font, QStringLiteral("family"), item.fontFamily, owner);
        const QJsonValue size = font.value(QStringLiteral("size"));
        if (!size.isUndefined()) {
            if (!size.isDouble() || size.toDouble() < MinFontSize || size.toDouble() > MaxFontSize)
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

    item.alignment = alignment(o, QStringLiteral("align"), TicketProjectFormat::horizontalNames(),
                               Qt::AlignHCenter, owner)
                     | alignment(o, QStringLiteral("valign"), TicketProjectFormat::verticalNames(),
                                 Qt::AlignVCenter, owner);
    item.frame = boolean(o, QStringLiteral("frame"), owner);
    return item;
}

void TicketProjectReader::readPrinting(const QJsonObject &root, TicketProject &project) const
{
    if (!root.contains(QStringLiteral("printing")))
        return;
    const QJsonObject printing = object(root, QStringLiteral("printing"), QString());
    const TicketProject defaults;
    project.dotsPerInch =
        int(number(printing, QStringLiteral("dotsPerInch"), defaults.dotsPerInch, 100, 600,
                   QStringLiteral("la risoluzione della stampante (punti per pollice)")));
    project.cut = !printing.contains(QStringLiteral("cut"))
                  || boolean(printing, QStringLiteral("cut"), QString());
    project.timeoutMs =
        qRound(1000
               * number(printing, QStringLiteral("timeout"), defaults.timeoutMs / 1000.0, 0.5, 60,
                        QStringLiteral("l'attesa della stampante (secondi)")));
}

double TicketProjectReader::number(const QJsonObject &parent, const QString &key, double fallback,
                                   double min, double max, const QString &what) const
{
    const QJsonValue value = parent.value(key);
    if (value.isUndefined())
        return fallback;
    if (!value.isDouble() || value.toDouble() < min || value.toDouble() > max)
        fail(QStringLiteral("%1: %2 deve essere un numero tra %3 e %4.")
                 .arg(subject_, what)
                 .arg(min)
                 .arg(max),
             QStringLiteral("%1: %2").arg(key, describe(value)));
    return value.toDouble();
}
