#include "support/scripteddialogs.h"

#include <QDialog>

namespace {
template <typename T> bool takeAnswer(QList<std::optional<T>> &queue, T &value)
{
    if (queue.isEmpty())
        return false;
    const std::optional<T> answer = queue.takeFirst();
    if (!answer)
        return false;
    value = *answer;
    return true;
}
} // namespace

void ScriptedDialogs::message(QWidget *, Kind kind, const QString &text, const QString &title)
{
    messages << Message{kind, title, text};
}

Dialogs::Answer ScriptedDialogs::question(QWidget *, const QString &text, const QString &title)
{
    questions << Message{Kind::Question, title, text};
    return answers.isEmpty() ? Answer::No : answers.takeFirst();
}

bool ScriptedDialogs::chooseFolder(QWidget *, const QString &prompt, QString &folder)
{
    prompts << prompt;
    return takeAnswer(folders, folder);
}

bool ScriptedDialogs::chooseFont(QWidget *, QFont &font)
{
    prompts << QStringLiteral("font");
    return takeAnswer(fonts, font);
}

bool ScriptedDialogs::chooseColor(QWidget *, QColor &color)
{
    prompts << QStringLiteral("color");
    return takeAnswer(colors, color);
}

bool ScriptedDialogs::chooseFile(QWidget *, const QString &caption, const QString &, QString &file)
{
    prompts << caption;
    return takeAnswer(files, file);
}

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
