#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>

// A fresh installation in a temporary folder, with shortcuts for the changes tests make:
// an operator, a schedule cell, a raw statement on one archive.
class ArchiveFixture
{
public:
    explicit ArchiveFixture(bool demo = false);

    bool isValid() const { return valid_; }
    QString folder() const { return dir_.filePath(QStringLiteral("archivi")); }
    QString path(const QString &archive) const;

    bool run(const QString &archive, const QStringList &statements) const;
    bool addOperator(qint32 id, const QString &name) const;
    // Sets the cell of a counter (1..10) and an hour field in a day table.
    bool setDuty(const QString &dayTable, int counter, const QString &hourField, qint32 id) const;
    // Every record of a day table, its hour fields in order, as stored.
    QList<QVariantList> dayRows(const QString &dayTable) const;
    // The value of a field in the first record, read straight from SQLite.
    QString firstValue(const QString &archive, const QString &table, const QString &field) const;

private:
    QTemporaryDir dir_;
    bool valid_ = false;
};
