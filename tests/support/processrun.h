#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A program run to its end: its exit code (-1 when it crashed or did not end within two
// minutes) and what it wrote to each stream.
struct ProcessRun
{
    int exitCode = -1;
    QString out;
    QString err;
    bool ok() const { return exitCode == 0; }
};

inline ProcessRun runProcess(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool ended =
        process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
