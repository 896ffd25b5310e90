#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QDialog;
class QWidget;

// Every modal interaction of the program passes through here: message boxes, questions,
// the font, colour, folder and file choosers, and the modal showing of a screen. The
// program installs QtDialogs; tests install a scripted implementation that records what
// was asked and answers from a queue.
class Dialogs
{
public:
    enum class Kind
    {
        Plain,
        Information,
        Question,
        Critical
    };
    enum class Answer
    {
        Yes,
        No
    };

    // A message box without a title of its own carries the program's title.
    static QString programTitle() { return QStringLiteral("Totem KZ4"); }

    virtual ~Dialogs() = default;

    virtual void message(QWidget *parent, Kind kind, const QString &text,
                         const QString &title = QString()) = 0;
    virtual Answer question(QWidget *parent, const QString &text, const QString &title) = 0;

    // The program's warnings and refusals all carry the title "ATTENZIONE".
    void alert(QWidget *parent, const QString &text, Kind kind = Kind::Critical)
    {
        message(parent, kind, text, QStringLiteral("ATTENZIONE"));
    }

    // Each chooser returns whether the user confirmed; on cancel the value is untouched.
    virtual bool chooseFolder(QWidget *parent, const QString &prompt, QString &folder) = 0;
    virtual bool chooseFont(QWidget *parent, QFont &font) = 0;
    virtual bool chooseColor(QWidget *parent, QColor &color) = 0;
    virtual bool chooseFile(QWidget *parent, const QString &caption, const QString &filter,
                            QString &file) = 0;

    // Shows a screen modally and returns its result when it has been closed.
    virtual int exec(QDialog &screen) = 0;
};
