#include "archive/fieldkind.h"

FieldKind fieldKindFromDeclaredType(const QString &declaredType)
{
    // "VARCHAR(50)" and "DECIMAL(10,2)" are judged by their word alone.
    QString type = declaredType.trimmed().toUpper();
    if (const qsizetype paren = type.indexOf(u'('); paren >= 0)
        type.truncate(paren);
    type = type.trimmed();

    if (type == u"BOOLEAN" || type == u"BOOL" || type == u"BIT" || type == u"YESNO"
        || type == u"LOGICAL")
        return FieldKind::Boolean;
    if (type == u"BYTE" || type == u"TINYINT")
        return FieldKind::Byte;
    if (type == u"SMALLINT" || type == u"SHORT" || type == u"INT2")
        return FieldKind::Integer;
    if (type == u"LONG" || type == u"INTEGER" || type == u"INT" || type == u"INT4"
        || type == u"MEDIUMINT" || type == u"BIGINT" || type == u"INT8" || type == u"COUNTER"
        || type == u"AUTOINCREMENT")
        return FieldKind::Long;
    if (type == u"SINGLE" || type == u"FLOAT4" || type == u"REAL4")
        return FieldKind::Single;
    if (type == u"DOUBLE" || type == u"FLOAT" || type == u"FLOAT8" || type == u"REAL"
        || type == u"DOUBLE PRECISION")
        return FieldKind::Double;
    if (type == u"DATETIME" || type == u"DATE" || type == u"TIME" || type == u"TIMESTAMP")
        return FieldKind::DateTime;
    if (type == u"CURRENCY" || type == u"MONEY" || type == u"DECIMAL" || type == u"NUMERIC")
        return FieldKind::Currency;
    if (type == u"MEMO" || type == u"LONGTEXT" || type == u"CLOB" || type == u"NOTE")
        return FieldKind::Memo;
    return FieldKind::Text;
}

QString declaredTypeOf(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Boolean:
        return QStringLiteral("BOOLEAN");
    case FieldKind::Integer:
        return QStringLiteral("SMALLINT");
    case FieldKind::Long:
        return QStringLiteral("LONG");
    case FieldKind::Single:
        return QStringLiteral("SINGLE");
    case FieldKind::Double:
        return QStringLiteral("DOUBLE");
    case FieldKind::DateTime:
        return QStringLiteral("DATETIME");
    case FieldKind::Currency:
        return QStringLiteral("CURRENCY");
    case FieldKind::Byte:
        return QStringLiteral("BYTE");
    case FieldKind::Text:
        return QStringLiteral("TEXT");
    case FieldKind::Memo:
        return QStringLiteral("MEMO");
    }
    return QStringLiteral("TEXT");
}

QString fieldKindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Boolean:
        return QStringLiteral("Boolean");
    case FieldKind::Integer:
        return QStringLiteral("Integer");
    case FieldKind::Long:
        return QStringLiteral("Long");
    case FieldKind::Single:
        return QStringLiteral("Single");
    case FieldKind::Double:
        return QStringLiteral("Double");
    case FieldKind::DateTime:
        return QStringLiteral("Date/Time");
    case FieldKind::Currency:
        return QStringLiteral("Currency");
    case FieldKind::Byte:
        return QStringLiteral("Byte");
    case FieldKind::Text:
        return QStringLiteral("Text");
    case FieldKind::Memo:
        return QStringLiteral("Memo");
    }
    return QStringLiteral("Text");
}
