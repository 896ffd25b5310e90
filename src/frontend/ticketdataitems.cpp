#include "frontend/ticketdataitems.h"

#include "frontend/ticketrecord.h"

#include "archive/recordset.h"
#include "core/daynumber.h"
#include "report/dataitem.h"
#include "report/reportengine.h"

#include <QDateTime>
#include <QLocale>

namespace {

qint32 typeOfKind(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Boolean:
        return DataItem::Boolean;
    case FieldKind::Integer:
    case FieldKind::Long:
    case FieldKind::Single:
    case FieldKind::Double:
        return DataItem::Number;
    case FieldKind::DateTime:
        return DataItem::Date;
    default:
        return DataItem::Text; // text, memo, byte, currency and the rest
    }
}

// The system's number format, without thousands separators: a ticket number is 1234.
QLocale numberLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

// Days since 30 December 1899 with the time of day as the fraction, held at single
// precision as the engine has always received it.
QString dayNumberText(const QDateTime &when)
{
    const float days = float(DayNumber::from(when));
    // Nine digits keep all a float holds; seven would round the time of day further.
    return numberLocale().toString(double(days), 'g', 9);
}

QString contentOf(const QVariant &value, qint32 type)
{
    if (value.isNull()) {
        switch (type) {
        case DataItem::Number:
        case DataItem::Date:
            return QStringLiteral("0");
        case DataItem::Boolean:
            return QStringLiteral("Falso");
        default:
            return QString();
        }
    }
    switch (type) {
    case DataItem::Boolean:
        return value.toBool() ? QStringLiteral("Vero") : QStringLiteral("Falso");
    case DataItem::Date:
        return dayNumberText(value.toDateTime());
    case DataItem::Number:
        if (value.typeId() == QMetaType::Float)
            return numberLocale().toString(double(value.toFloat()), 'g', 7);
        if (value.typeId() == QMetaType::Double)
            return numberLocale().toString(value.toDouble(), 'g', 15);
        return numberLocale().toString(value.toLongLong());
    default:
        if (value.typeId() == QMetaType::Double)
            return numberLocale().toString(value.toDouble(), 'g', 15);
        return value.toString();
    }
}

} // namespace

void TicketDataItems::defineByColumn(const TicketRecord &record, ReportEngine &engine)
{
    for (int j = 0; j < record.columns.size(); ++j) {
        const qint32 type = typeOfKind(record.columns[j].kind);
        engine.defineDataItem(record.columns[j].name, contentOf(record.values[j], type), type);
    }
}

void TicketDataItems::defineByValue(const RecordSet &record, ReportEngine &engine)
{
    for (int j = 0; j < record.fieldCount(); ++j) {
        const QVariant value = record.value(j);
        // Values come back typed by their column, so a present value's kind is its
        // column's; only an empty one is a text.
        const qint32 type =
            value.isNull() ? qint32(DataItem::Text) : typeOfKind(record.fieldKind(j));
        engine.defineDataItem(record.fieldName(j), contentOf(value, type), type);
    }
}

void TicketDataItems::defineEmpty(const RecordSet &record, ReportEngine &engine)
{
    for (int j = 0; j < record.fieldCount(); ++j)
        engine.defineDataItem(record.fieldName(j), QString(), DataItem::Text);
}
