#include "ui/unsavededits.h"

#include "ui/dialogs.h"

#include <QKeyEvent>

bool UnsavedEdits::swallowEscape(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    event->accept();
    return true;
}

bool UnsavedEdits::mayClose(Dialogs &dialogs, QWidget *editor)
{
    return dialogs.question(editor,
                            QStringLiteral("Le modifiche non salvate andranno perse. Chiudere?"),
                            QStringLiteral("Conferma"))
           == Dialogs::Answer::Yes;
}
