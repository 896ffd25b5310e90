#pragma once

#include "ui/dialogs.h"

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

    void message(QWidget *parent, Kind kind, const QString &text,
                 const QString &title = QString()) override;
    Answer question(QWidget *parent, const QString &text, const QString &title) override;
    bool chooseFolder(QWidget *parent, const QString &prompt, QString &folder) override;
    bool chooseFont(QWidget *parent, QFont &font) override;
    bool chooseColor(QWidget *parent, QColor &color) override;
    bool chooseFile(QWidget *parent, const QString &caption, const QString &filter,
                    QString &file) override;
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
};
