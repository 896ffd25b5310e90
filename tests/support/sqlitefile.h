#pragma once

#include <QString>
#include <QStringList>

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
};
