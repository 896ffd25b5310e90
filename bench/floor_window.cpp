// The least a Qt Widgets program does to show a window: the floor of the benchmarks that
// start totem. With --full-screen the window covers the screen, as the public screen does.

#include <QApplication>
#include <QLabel>
#include <QScreen>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Totem KZ4"));
    window.setObjectName(QStringLiteral("FloorWindow"));
    window.setAlignment(Qt::AlignCenter);
    if (QApplication::arguments().contains(QStringLiteral("--full-screen")))
        window.setGeometry(window.screen()->geometry());
    else
        window.resize(551, 441); // the console's size at 96 DPI
    window.show();
    return app.exec();
}
