#include "archivetool.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && std::strcmp(argv[1], "test-print") == 0) {
        // A test print draws the ticket, which needs Qt's fonts and so a GUI application;
        // the tool never shows a window, so it needs no display, and the platform's
        // start-up remarks would break its one-line answer.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        app = std::make_unique<QGuiApplication>(argc, argv);
        qInstallMessageHandler(previous);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
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
