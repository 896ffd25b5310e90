#pragma once

#include "archive/fieldkind.h"

#include <QVariant>

// Turns values between what SQLite stores and what the kiosk reads, by the column's kind:
// yes/no as -1/0, dates as ISO text, whole numbers as 32-bit integers.
class FieldValue
{
public:
    // What a read returns: a null QVariant for an empty field, else a value of the kind's
    // type; a stored value that does not fit its kind is returned as stored.
    static QVariant fromStorage(FieldKind kind, const QVariant &stored);
    // What an update binds; throws ArchiveError (BadValue) for a value the kind cannot hold.
    static QVariant toStorage(FieldKind kind, const QVariant &value, const QString &field);
    // The value as the companion tool and the technician see it.
    static QString toDisplayText(const QVariant &value);
};
