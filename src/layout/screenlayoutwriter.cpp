#include "layout/screenlayoutwriter.h"

#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"

namespace {

// A null text would be bound as an empty field, which readers take for damage; an empty
// caption or path is a text all the same.
QVariant stored(const QString &text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

template <typename T> QVariant stored(const T &value)
{
    return QVariant::fromValue(value);
}

template <typename T>
void setIfAny(RecordSet &records, const QString &field, const std::optional<T> &value)
{
    if (value)
        records.setValue(field, stored(*value));
}

void writeTitle(RecordSet &records, const ScreenLayout::Title &title)
{
    setIfAny(records, QStringLiteral("top"), title.top);
    setIfAny(records, QStringLiteral("left"), title.left);
    setIfAny(records, QStringLiteral("testotitolo"), title.text);
    setIfAny(records, QStringLiteral("NomeFont"), title.fontName);
    setIfAny(records, QStringLiteral("DimFont"), title.fontSize);
    records.setValue(QStringLiteral("FontBold"), title.bold);
    records.setValue(QStringLiteral("FontItalic"), title.italic);
    setIfAny(records, QStringLiteral("ColoreSfondo"), title.backColor);
    setIfAny(records, QStringLiteral("ColoreTesto"), title.textColor);
    records.setValue(QStringLiteral("Visibile"), title.visible);
}

void writeBar(RecordSet &records, const ScreenLayout::Bar &bar)
{
    setIfAny(records, QStringLiteral("top"), bar.top);
    setIfAny(records, QStringLiteral("left"), bar.left);
    setIfAny(records, QStringLiteral("ColoreTestiFissi"), bar.fixedTextColor);
    setIfAny(records, QStringLiteral("ColoreSfondo"), bar.backColor);
    setIfAny(records, QStringLiteral("Visibile"), bar.visible);
}

void writePanel(RecordSet &records, const ScreenLayout::Panel &panel, bool singleQueue)
{
    setIfAny(records, QStringLiteral("Appearance"), panel.appearance);
    setIfAny(records, QStringLiteral("top"), panel.top);
    setIfAny(records, QStringLiteral("left"), panel.left);
    setIfAny(records, QStringLiteral("NomeFont"), panel.fontName);
    setIfAny(records, QStringLiteral("DimFont"), panel.fontSize);
    records.setValue(QStringLiteral("FontBold"), panel.bold);
    records.setValue(QStringLiteral("FontItalic"), panel.italic);
    setIfAny(records, QStringLiteral("ColoreSfondoPannello"), panel.panelColor);
    setIfAny(records, QStringLiteral("ColoreTesto"), panel.textColor);
    setIfAny(records, QStringLiteral("ColoreTestiFissi"), panel.fixedTextColor);
    setIfAny(records, QStringLiteral("Visibile"), panel.visible);
    // The counters' buttons show the operator on duty; only the single queue's has a
    // caption of the layout.
    if (singleQueue)
        setIfAny(records, QStringLiteral("TestoPulsante"), panel.buttonText);
}

void writeScreen(RecordSet &records, const ScreenLayout &layout)
{
    setIfAny(records, QStringLiteral("ColoreSfondo"), layout.backColor);
    // No picture is stored as an empty text, which every reader takes for none.
    records.setValue(QStringLiteral("PercorsoImmagine"),
                     stored(layout.picturePath.value_or(QString())));
}

// The user must learn how far the save got: the records are written one by one and
// nothing takes back those already written.
ArchiveError failure(int record, const QString &table, const ArchiveError &cause)
{
    QString what;
    if (record == 0)
        what = QStringLiteral("La tabella %1 non può essere aperta: nessun record è stato "
                              "memorizzato.")
                   .arg(table);
    else if (record == 1)
        what = QStringLiteral("Il record 1 di %1 (%2) non è stato memorizzato: nessun record "
                              "è stato memorizzato.")
                   .arg(ScreenLayout::RecordCount)
                   .arg(ScreenLayout::recordName(record));
    else
        what = QStringLiteral("Il record %1 di %2 (%3) non è stato memorizzato: i record da 1 "
                              "a %4 sono stati memorizzati, il record %1 e i successivi no.")
                   .arg(record)
                   .arg(ScreenLayout::RecordCount)
                   .arg(ScreenLayout::recordName(record))
                   .arg(record - 1);
    return ArchiveError(cause.reason(), what + u'\n' + cause.message(), cause.detail());
}

} // namespace

void ScreenLayoutWriter::write(const ScreenLayout &layout, const QString &archiveFolder)
{
    RecordSet records;
    records.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()),
                 ArchiveSchema::screenLayoutTable());
    try {
        records.open();
    } catch (const ArchiveError &error) {
        throw failure(0, ArchiveSchema::screenLayoutTable(), error);
    }

    for (int record = 1; record <= ScreenLayout::RecordCount; ++record) {
        try {
            records.edit();
            if (record == 1)
                writeTitle(records, layout.title);
            else if (record == 2)
                writeBar(records, layout.bar);
            else if (record <= 13)
                writePanel(records, layout.panels[record - 3], record == 13);
            else
                writeScreen(records, layout);
            records.update();
            records.moveNext();
        } catch (const ArchiveError &error) {
            records.cancelUpdate();
            throw failure(record, records.tableName(), error);
        }
    }
}
