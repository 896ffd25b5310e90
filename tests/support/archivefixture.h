#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>

// A fresh installation in a temporary folder, or in a database of its own on the test
// server when the run keeps its archives there (KIOSK_TEST_STORE=server), with shortcuts for
// the changes tests make: an operator, a schedule cell, a raw statement on one archive.
class ArchiveFixture
{
public:
    explicit ArchiveFixture(bool demo = false);

    bool isValid() const { return valid_; }
    // The archive folder, or the server's address.
    QString folder() const { return location_; }
    bool onServer() const;
    QString path(const QString &archive) const;

    bool run(const QString &archive, const QStringList &statements) const;
    bool addOperator(qint32 id, const QString &name) const;
    // The archive gone, as a deleted file or a dropped schema.
    bool remove(const QString &archive) const;
    // Sets the cell of a counter (1..10) and an hour field in a day table.
    bool setDuty(const QString &dayTable, int counter, const QString &hourField, qint32 id) const;
    // Every record of a day table, its hour fields in order, as stored.
    QList<QVariantList> dayRows(const QString &dayTable) const;
    // The value of a field in the first record.
    QString firstValue(const QString &archive, const QString &table, const QString &field) const;

private:
    QTemporaryDir dir_;
    QString location_;
    bool valid_ = false;
};

// Makes a small SQLite file by hand, for tests that need tables the installation does
// not have (every declared type, odd spellings, hostile content).
class SqliteFile
{
public:
    // Runs the statements in one connection that is closed again; fails the test on error.
    static bool run(const QString &path, const QStringList &statements);
    // SQLite's own verdict on the file: "ok", or what is wrong. Opened for writing, as the
    // kiosk opens it, so that a journal left by a killed writer is rolled back first.
    static QString integrity(const QString &path);
    // The rows a SELECT gives, each as "type:value" fields (NULL for a null) joined by
    // blanks: 645 and 645.0, NULL and '' stay different.
    static QStringList rows(const QString &path, const QString &select);
};
