#include "designer/designerloader.h"

#include "archive/archiveerror.h"
#include "core/kioskstate.h"
#include "designer/layout1.h"
#include "layout/layoutapplier.h"
#include "layout/screenlayoutreader.h"
#include "ui/dialogs.h"

#include <QGroupBox>
#include <QLabel>

namespace {

// The applier moves the elements on whole pixels; the designer keeps the stored twips too,
// so that an element left where it was is saved where it was.
void keepStoredPosition(Layout1 &designer, QWidget &element, const std::optional<float> &top,
                        const std::optional<float> &left)
{
    QPointF at = designer.positions().position(element);
    if (left)
        at.setX(*left);
    if (top)
        at.setY(*top);
    designer.positions().place(element, at);
}

} // namespace

void DesignerLoader::load(Layout1 &designer, const QString &archiveFolder, QStringList *problems)
{
    const ScreenLayout layout = ScreenLayoutReader::read(archiveFolder, problems);
    LayoutApplier::apply(layout, designer, problems);
    keepStoredPosition(designer, *designer.title(), layout.title.top, layout.title.left);
    keepStoredPosition(designer, *designer.bar(), layout.bar.top, layout.bar.left);
    for (int i = 0; i < ScreenLayout::PanelCount; ++i)
        keepStoredPosition(designer, *designer.panel(i), layout.panels[i].top,
                           layout.panels[i].left);
}

int DesignerLoader::openDesigner(KioskState &state, Dialogs &dialogs, QWidget *parent)
{
    Layout1 designer(state, dialogs, parent);
    QStringList problems;
    try {
        load(designer, state.archiveFolder, &problems);
    } catch (const ArchiveError &error) {
        dialogs.message(parent, Dialogs::Kind::Critical,
                        QStringLiteral("Il layout memorizzato non può essere letto: "
                                       "l'impostazione del layout non viene aperta.\n\n")
                            + error.fullText(),
                        QStringLiteral("ATTENZIONE"));
        return QDialog::Rejected;
    }
    if (!problems.isEmpty())
        dialogs.message(parent, Dialogs::Kind::Critical,
                        QStringLiteral("Il layout memorizzato non è stato letto per intero: gli "
                                       "elementi indicati mantengono l'aspetto predefinito e "
                                       "vengono memorizzati così al prossimo salvataggio.\n\n")
                            + problems.join(u'\n'),
                        QStringLiteral("ATTENZIONE"));
    return dialogs.exec(designer);
}
