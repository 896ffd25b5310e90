#include "designer/designerloader.h"

#include "archive/archiveerror.h"
#include "core/kioskstate.h"
#include "designer/layout1.h"
#include "layout/screenlayoutreader.h"
#include "ui/dialogs.h"

void DesignerLoader::load(Layout1 &designer, const QString &archiveFolder, QStringList *problems)
{
    designer.load(ScreenLayoutReader::read(archiveFolder, problems));
}

int DesignerLoader::openDesigner(KioskState &state, Dialogs &dialogs, QWidget *parent)
{
    Layout1 designer(state, dialogs, parent);
    QStringList problems;
    try {
        load(designer, state.archiveFolder, &problems);
    } catch (const ArchiveError &error) {
        dialogs.alert(parent, QStringLiteral("Il layout memorizzato non può essere letto: "
                                             "l'impostazione del layout non viene aperta.\n\n")
                                  + error.fullText());
        return QDialog::Rejected;
    }
    if (!problems.isEmpty())
        dialogs.alert(parent, QStringLiteral("Il layout memorizzato non è stato letto per intero: "
                                             "gli elementi indicati mantengono l'aspetto "
                                             "predefinito e vengono memorizzati così al prossimo "
                                             "salvataggio.\n\n")
                                  + problems.join(u'\n'));
    return dialogs.exec(designer);
}
