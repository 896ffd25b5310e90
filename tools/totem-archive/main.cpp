#include "archivetool.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("totem-archive"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    ArchiveTool tool(out, err);
    const int status = tool.run(QCoreApplication::arguments().mid(1));
    out.flush();
    err.flush();
    return status;
}
