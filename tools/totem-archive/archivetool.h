#pragma once

#include <QStringList>

class QTextStream;

// The commands of totem-archive. Results go to out; every failure is one Italian line on
// err and a non-zero status, so that scripts and tests can rely on both.
class ArchiveTool
{
public:
    enum Status
    {
        Success = 0,
        Failure = 1,
        UsageError = 2
    };

    ArchiveTool(QTextStream &out, QTextStream &err) : out_(out), err_(err) {}

    // arguments without the program's name
    int run(const QStringList &arguments);

    static QString usage();

private:
    void init(const QStringList &arguments);
    void copy(const QStringList &arguments);
    void show(const QStringList &arguments);
    void serve(const QStringList &arguments);
    void ticket(const QStringList &arguments);
    void printers(const QStringList &arguments);
    void testPrint(const QStringList &arguments);

    QTextStream &out_;
    QTextStream &err_;
};
