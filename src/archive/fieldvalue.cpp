#include "archive/fieldvalue.h"

#include "archive/archiveerror.h"
#include "core/daynumber.h"

#include <QDateTime>

#include <cmath>
#include <limits>

namespace {

const QString isoFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

ArchiveError badValue(const QString &field, const QVariant &value)
{
    return ArchiveError(
        ArchiveError::Reason::BadValue,
        QStringLiteral("Valore non valido per il campo %1: «%2».").arg(field, value.toString()));
}

bool isNumericKind(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Integer:
    case FieldKind::Long:
    case FieldKind::Byte:
    case FieldKind::Single:
    case FieldKind::Double:
    case FieldKind::Currency:
        return true;
    default:
        return false;
    }
}

} // namespace

QVariant FieldValue::fromStorage(FieldKind kind, const QVariant &stored)
{
    if (stored.isNull() || !stored.isValid())
        return QVariant();
    bool ok = false;
    switch (kind) {
    case FieldKind::Boolean: {
        const QString text = stored.toString().trimmed();
        if (text.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(u"false", Qt::CaseInsensitive) == 0)
            return false;
        const double number = stored.toDouble(&ok);
        return ok ? QVariant(number != 0) : stored;
    }
    case FieldKind::Integer:
    case FieldKind::Long:
    case FieldKind::Byte: {
        const double number = stored.toDouble(&ok);
        if (!ok || number < std::numeric_limits<qint32>::min()
            || number > std::numeric_limits<qint32>::max())
            return stored;
        return QVariant(qint32(std::lround(number)));
    }
    case FieldKind::Single: {
        const double number = stored.toDouble(&ok);
        return ok ? QVariant(float(number)) : stored;
    }
    case FieldKind::Double:
    case FieldKind::Currency: {
        const double number = stored.toDouble(&ok);
        return ok ? QVariant(number) : stored;
    }
    case FieldKind::DateTime: {
        if (stored.typeId() == QMetaType::QDateTime)
            return stored;
        if (stored.typeId() == QMetaType::QString) {
            const QString text = stored.toString().trimmed();
            QDateTime when = QDateTime::fromString(text, isoFormat);
            if (!when.isValid())
                when = QDateTime::fromString(text, Qt::ISODate);
            if (when.isValid())
                return when;
        }
        const double days = stored.toDouble(&ok);
        return ok ? QVariant(DayNumber::toDateTime(days)) : stored;
    }
    case FieldKind::Text:
    case FieldKind::Memo:
        return stored.toString();
    }
    return stored;
}

QVariant FieldValue::toStorage(FieldKind kind, const QVariant &value, const QString &field)
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    // An empty text in a number field is an empty field, as the archive engine would take it.
    if (isNumericKind(kind) || kind == FieldKind::Boolean || kind == FieldKind::DateTime) {
        if (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty())
            return QVariant();
    }
    bool ok = false;
    switch (kind) {
    case FieldKind::Boolean: {
        if (value.typeId() == QMetaType::Bool)
            return value.toBool() ? -1 : 0;
        const QString text = value.toString().trimmed();
        if (text.compare(u"true", Qt::CaseInsensitive) == 0)
            return -1;
        if (text.compare(u"false", Qt::CaseInsensitive) == 0)
            return 0;
        const double number = value.toDouble(&ok);
        if (!ok)
            throw badValue(field, value);
        return number != 0 ? -1 : 0;
    }
    case FieldKind::Integer:
    case FieldKind::Long:
    case FieldKind::Byte: {
        const double number = value.toDouble(&ok);
        const double low = kind == FieldKind::Byte      ? 0
                           : kind == FieldKind::Integer ? -32768
                                                        : std::numeric_limits<qint32>::min();
        const double high = kind == FieldKind::Byte      ? 255
                            : kind == FieldKind::Integer ? 32767
                                                         : std::numeric_limits<qint32>::max();
        if (!ok || !std::isfinite(number) || std::nearbyint(number) < low
            || std::nearbyint(number) > high)
            throw badValue(field, value);
        return qint64(std::nearbyint(number));
    }
    case FieldKind::Single:
    case FieldKind::Double:
    case FieldKind::Currency: {
        const double number = value.toDouble(&ok);
        if (!ok || !std::isfinite(number))
            throw badValue(field, value);
        return kind == FieldKind::Single ? double(float(number)) : number;
    }
    case FieldKind::DateTime: {
        QDateTime when = value.toDateTime();
        if (!when.isValid())
            throw badValue(field, value);
        return when.toString(isoFormat);
    }
    case FieldKind::Text:
    case FieldKind::Memo:
        return value.toString();
    }
    return value;
}

QString FieldValue::toDisplayText(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
    case QMetaType::QDateTime:
        return value.toDateTime().toString(isoFormat);
    case QMetaType::Float:
        return QString::number(double(value.toFloat()), 'g', 7);
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}
