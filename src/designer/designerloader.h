#pragma once

#include <QString>
#include <QStringList>

class Dialogs;
class KioskState;
class Layout1;
class QWidget;

// The console's "Imposta Layout": the stored screen layout put into the designer the way
// the public screen gets it, then the designer shown.
class DesignerLoader
{
public:
    // Throws ArchiveError when the layout table cannot be opened; what could not be read
    // is listed in problems (may be nullptr) and keeps the designer's own design.
    static void load(Layout1 &designer, const QString &archiveFolder, QStringList *problems);

    // Builds the designer, loads it, reports what could not be read, and shows it modally.
    // A table that cannot be opened at all is reported and the designer is not shown:
    // saving its design-time arrangement would overwrite the stored one. Returns the
    // designer's result, or QDialog::Rejected when it was not shown.
    static int openDesigner(KioskState &state, Dialogs &dialogs, QWidget *parent);
};
