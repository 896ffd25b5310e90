#include "layout/screenlayoutreader.h"

#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"
#include "ui/colorvalue.h"

#include <cmath>

namespace {

// The record being read and where its problems go.
struct Place
{
    const RecordSet &records;
    QString where; // "record 4 (pannello della postazione 2)"
    QStringList *problems;
};

void report(const Place &place, const QString &field, const QString &what)
{
    if (place.problems)
        *place.problems << QStringLiteral("%1: campo %2 %3").arg(place.where, field, what);
}

void reportInvalid(const Place &place, const QString &field)
{
    report(place, field, QStringLiteral("non valido («%1»)").arg(place.records.text(field)));
}

bool isBlankText(const QVariant &value)
{
    return value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty();
}

// Whether the field is there and holds something; reports it otherwise. An empty text in
// a field meant for a number is as empty as a null.
bool hasValue(const Place &place, const QString &field, bool blankIsEmpty)
{
    if (!place.records.hasField(field)) {
        report(place, field, QStringLiteral("assente"));
        return false;
    }
    const QVariant value = place.records.value(field);
    if (value.isNull() || (blankIsEmpty && isBlankText(value))) {
        report(place, field, QStringLiteral("vuoto"));
        return false;
    }
    return true;
}

std::optional<float> single(const Place &place, const QString &field)
{
    if (!hasValue(place, field, true))
        return std::nullopt;
    try {
        return place.records.toSingle(field);
    } catch (const ArchiveError &) {
        reportInvalid(place, field);
        return std::nullopt;
    }
}

std::optional<qint32> whole(const Place &place, const QString &field)
{
    if (!hasValue(place, field, true))
        return std::nullopt;
    try {
        return place.records.toInt32(field);
    } catch (const ArchiveError &) {
        reportInvalid(place, field);
        return std::nullopt;
    }
}

std::optional<qint32> colour(const Place &place, const QString &field)
{
    const std::optional<qint32> value = whole(place, field);
    if (value && !ColorValue::isValid(*value)) {
        reportInvalid(place, field);
        return std::nullopt;
    }
    return value;
}

std::optional<float> fontSize(const Place &place, const QString &field)
{
    const std::optional<float> size = single(place, field);
    if (size && !(*size > 0)) {
        reportInvalid(place, field);
        return std::nullopt;
    }
    return size;
}

// A yes/no converted to true or false: any number but 0 is true, and the texts "True" and
// "False" are what a yes/no reads as when written as text.
std::optional<bool> converted(const Place &place, const QString &field)
{
    if (!hasValue(place, field, true))
        return std::nullopt;
    const QVariant value = place.records.value(field);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed();
    if (text.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number)) {
        reportInvalid(place, field);
        return std::nullopt;
    }
    return number != 0;
}

// A yes/no tested for being true: empty is simply false. Only a missing field is reported.
bool testedTrue(const Place &place, const QString &field)
{
    if (!place.records.hasField(field)) {
        report(place, field, QStringLiteral("assente"));
        return false;
    }
    return place.records.isTrue(field);
}

std::optional<QString> text(const Place &place, const QString &field, bool blankIsEmpty)
{
    if (!hasValue(place, field, blankIsEmpty))
        return std::nullopt;
    return place.records.text(field);
}

void readTitle(const Place &place, ScreenLayout::Title &title)
{
    // An empty title text is a choice (a screen without a title line); a font without a
    // name is not.
    title.text = text(place, QStringLiteral("TestoTitolo"), false);
    title.top = single(place, QStringLiteral("Top"));
    title.left = single(place, QStringLiteral("left"));
    title.fontName = text(place, QStringLiteral("NomeFont"), true);
    title.fontSize = fontSize(place, QStringLiteral("DimFont"));
    title.bold = testedTrue(place, QStringLiteral("FontBold"));
    title.italic = testedTrue(place, QStringLiteral("FontItalic"));
    title.backColor = colour(place, QStringLiteral("ColoreSfondo"));
    title.textColor = colour(place, QStringLiteral("ColoreTesto"));
    title.visible = testedTrue(place, QStringLiteral("visibile"));
}

void readBar(const Place &place, ScreenLayout::Bar &bar)
{
    bar.top = single(place, QStringLiteral("Top"));
    bar.left = single(place, QStringLiteral("left"));
    bar.backColor = colour(place, QStringLiteral("ColoreSfondo"));
    bar.fixedTextColor = colour(place, QStringLiteral("ColoreTestiFissi"));
    bar.visible = converted(place, QStringLiteral("Visibile"));
}

void readPanel(const Place &place, ScreenLayout::Panel &panel, bool singleQueue)
{
    panel.visible = converted(place, QStringLiteral("Visibile"));
    // Only the single queue's button takes its caption from the table. An empty text there
    // is an empty caption, but a null one is taken for damage, not for a choice: the
    // button keeps "Coda Unica" rather than standing blank in front of the public.
    if (singleQueue)
        panel.buttonText = text(place, QStringLiteral("TestoPulsante"), false);
    panel.top = single(place, QStringLiteral("Top"));
    panel.left = single(place, QStringLiteral("left"));
    panel.fontName = text(place, QStringLiteral("NomeFont"), true);
    panel.fontSize = fontSize(place, QStringLiteral("DimFont"));
    panel.bold = testedTrue(place, QStringLiteral("FontBold"));
    panel.italic = testedTrue(place, QStringLiteral("FontItalic"));
    panel.appearance = whole(place, QStringLiteral("appearance"));
    panel.textColor = colour(place, QStringLiteral("ColoreTesto"));
    panel.panelColor = colour(place, QStringLiteral("ColoreSfondoPannello"));
    panel.fixedTextColor = colour(place, QStringLiteral("ColoreTestiFissi"));
}

void readScreen(const Place &place, ScreenLayout &layout)
{
    layout.backColor = colour(place, QStringLiteral("ColoreSfondo"));
    // An empty field means no picture, so only a missing field is worth a word; the text
    // is kept as stored, since it names a file on someone's disk.
    const QString field = QStringLiteral("percorsoimmagine");
    if (!place.records.hasField(field))
        report(place, field, QStringLiteral("assente"));
    else if (!place.records.isNull(field))
        layout.picturePath = place.records.text(field);
}

} // namespace

ScreenLayout ScreenLayoutReader::read(const QString &archiveFolder, QStringList *problems)
{
    RecordSet records;
    records.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()),
                 ArchiveSchema::screenLayoutTable());
    records.open();

    ScreenLayout layout;
    int record = 1;
    for (; record <= ScreenLayout::RecordCount && !records.isEof(); ++record) {
        const Place place{
            records,
            QStringLiteral("record %1 (%2)").arg(record).arg(ScreenLayout::recordName(record)),
            problems};
        if (record == 1)
            readTitle(place, layout.title);
        else if (record == 2)
            readBar(place, layout.bar);
        else if (record <= 13)
            readPanel(place, layout.panels[record - 3], record == 13);
        else
            readScreen(place, layout);
        records.moveNext();
    }
    layout.recordCount = record - 1;

    if (layout.recordCount < ScreenLayout::RecordCount && problems) {
        QStringList untouched;
        for (int missing = record; missing <= ScreenLayout::RecordCount; ++missing)
            untouched << ScreenLayout::recordName(missing);
        *problems << QStringLiteral("la tabella %1 contiene %2 record invece di %3; elementi "
                                    "lasciati come progettati: %4")
                         .arg(records.tableName())
                         .arg(layout.recordCount)
                         .arg(ScreenLayout::RecordCount)
                         .arg(untouched.join(QStringLiteral(", ")));
    }
    return layout;
}
