#pragma once

#include "ui/dialogs.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

class QDialog;

// Dialogs for tests: records every message and every screen shown modally, and answers
// from queues that the test fills. An empty queue answers No, cancels a chooser, and
// closes a screen at once.
class ScriptedDialogs final : public Dialogs
{
public:
    struct Message
    {
        Kind kind;
        QString title; // as passed: empty means the program's title
        QString text;
    };
    using ScreenScript = std::function<int(QDialog &)>;

    void message(QWidget *, Kind kind, const QString &text, const QString &title = {}) override
    {
        messages << Message{kind, title, text};
    }
    Answer question(QWidget *, const QString &text, const QString &title) override
    {
        questions << Message{Kind::Question, title, text};
        return answers.isEmpty() ? Answer::No : answers.takeFirst();
    }
    bool chooseFolder(QWidget *, const QString &prompt, QString &folder) override
    {
        return take(prompt, folders, folder);
    }
    bool chooseFont(QWidget *, QFont &font) override { return take(u"font"_qs, fonts, font); }
    bool chooseColor(QWidget *, QColor &color) override { return take(u"color"_qs, colors, color); }
    bool chooseFile(QWidget *, const QString &caption, const QString &, QString &file) override
    {
        return take(caption, files, file);
    }
    int exec(QDialog &screen) override;

    // Texts of the messages shown so far, in order.
    QStringList messageTexts() const;
    // The text of the only message shown when it is a Critical one titled "ATTENZIONE";
    // otherwise a description of what was shown, which no expected text matches.
    QString alert() const;

    QList<Message> messages;
    QList<Message> questions;
    QStringList prompts; // prompts and captions of the choosers, in order
    QStringList screens; // objectNames of the screens shown modally, in order

    QList<Answer> answers;
    QList<std::optional<QString>> folders; // nullopt: the user cancels
    QList<std::optional<QFont>> fonts;
    QList<std::optional<QColor>> colors;
    QList<std::optional<QString>> files;
    QList<ScreenScript> screenScripts;

private:
    template <typename T> bool take(const QString &prompt, QList<std::optional<T>> &queue, T &value)
    {
        prompts << prompt;
        const std::optional<T> answer = queue.isEmpty() ? std::nullopt : queue.takeFirst();
        if (answer)
            value = *answer;
        return answer.has_value();
    }
};
