#pragma once

#include <QLibraryInfo>
#include <QString>

class QCoreApplication;

// Qt's own texts (the standard buttons, the context menus of edit boxes) in Italian, from
// the translations installed with Qt.
class QtTranslation
{
public:
    // Installs qtbase_it.qm from folder into the application; false, and Qt's English
    // texts, when it is not there: a kiosk without it still starts.
    static bool install(QCoreApplication &app,
                        const QString &folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath));
};
