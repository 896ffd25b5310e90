#pragma once

#include <QRegularExpression>
#include <QString>
#include <QVariant>

// A find-first condition in the two forms the kiosk uses: "[DescCampo]like'Postazione1'"
// (text pattern, * ? # wildcards, case ignored) and "[ID]=3" (number equality).
class FindCriteria
{
public:
    // Throws ArchiveError (BadValue) for a condition in neither form.
    static FindCriteria parse(const QString &criteria);

    const QString &field() const { return field_; }
    bool matches(const QVariant &value) const;

private:
    enum class Form
    {
        Like,
        Equals
    };
    Form form_ = Form::Equals;
    QString field_;
    QRegularExpression like_;
    double number_ = 0;
};
