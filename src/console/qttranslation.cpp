#include "console/qttranslation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

bool QtTranslation::install(QCoreApplication &app, const QString &folder)
{
    // Owned by the application, so that it lives as long as the texts it translates.
    auto *translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
