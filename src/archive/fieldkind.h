#pragma once

#include <QString>

// The kind of a column, as the ticket printing needs it to choose a data item's type.
// SQLite keeps only storage classes, so the kind comes from the declared column type.
enum class FieldKind
{
    Boolean,
    Integer, // 16-bit
    Long,    // 32-bit
    Single,
    Double,
    DateTime,
    Currency,
    Byte,
    Text,
    Memo
};

FieldKind fieldKindFromDeclaredType(const QString &declaredType);
QString declaredTypeOf(FieldKind kind);
QString fieldKindName(FieldKind kind);
