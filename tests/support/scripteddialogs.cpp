#include "support/scripteddialogs.h"

#include <QDialog>

int ScriptedDialogs::exec(QDialog &screen)
{
    screens << screen.objectName();
    if (screenScripts.isEmpty())
        return QDialog::Rejected;
    return screenScripts.takeFirst()(screen);
}

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList texts;
    for (const Message &m : messages)
        texts << m.text;
    return texts;
}

QString ScriptedDialogs::alert() const
{
    if (messages.size() == 1 && messages[0].kind == Kind::Critical
        && messages[0].title == QStringLiteral("ATTENZIONE"))
        return messages[0].text;
    return QStringLiteral("<not one ATTENZIONE alert: %1>")
        .arg(messageTexts().join(QStringLiteral(" | ")));
}
