#include "archive/findcriteria.h"

#include "archive/archiveerror.h"

#include <QRegularExpression>

namespace {

ArchiveError badCriteria(const QString &criteria)
{
    return ArchiveError(ArchiveError::Reason::BadValue,
                        QStringLiteral("Criterio di ricerca non valido: %1").arg(criteria));
}

// The Access pattern language: * any run, ? one character, # one digit, [..] a class.
QRegularExpression likeExpression(const QString &pattern)
{
    QString regex;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'*')
            regex += QStringLiteral(".*");
        else if (c == u'?')
            regex += u'.';
        else if (c == u'#')
            regex += QStringLiteral("[0-9]");
        else if (c == u'[') {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            if (close < 0) {
                regex += QRegularExpression::escape(QString(c));
                continue;
            }
            QString set = pattern.mid(i + 1, close - i - 1);
            if (set.startsWith(u'!'))
                set[0] = u'^';
            regex += u'[' + set + u']';
            i = close;
        } else
            regex += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(regex),
                              QRegularExpression::CaseInsensitiveOption
                                  | QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

FindCriteria FindCriteria::parse(const QString &criteria)
{
    static const QRegularExpression form(
        QStringLiteral(
            R"(^\s*\[([^\]]+)\]\s*(?:(like)\s*'(.*)'|(=)\s*([-+]?[0-9]+(?:\.[0-9]+)?))\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = form.match(criteria);
    if (!match.hasMatch())
        throw badCriteria(criteria);

    FindCriteria result;
    result.field_ = match.captured(1).trimmed();
    if (!match.captured(2).isEmpty()) {
        result.form_ = Form::Like;
        result.like_ =
            likeExpression(match.captured(3).replace(QStringLiteral("''"), QStringLiteral("'")));
        if (!result.like_.isValid())
            throw badCriteria(criteria);
    } else {
        result.form_ = Form::Equals;
        result.number_ = match.captured(5).toDouble();
    }
    return result;
}

bool FindCriteria::matches(const QVariant &value) const
{
    if (value.isNull())
        return false;
    if (form_ == Form::Like)
        return like_.match(value.toString()).hasMatch();
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok && number == number_;
}
