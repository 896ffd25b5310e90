#pragma once

#include "ui/dialogs.h"

// The production Dialogs: Qt's standard boxes and choosers.
class QtDialogs final : public Dialogs
{
public:
    void message(QWidget *parent, Kind kind, const QString &text,
                 const QString &title = QString()) override;
    Answer question(QWidget *parent, const QString &text, const QString &title) override;
    bool chooseFolder(QWidget *parent, const QString &prompt, QString &folder) override;
    bool chooseFont(QWidget *parent, QFont &font) override;
    bool chooseColor(QWidget *parent, QColor &color) override;
    bool chooseFile(QWidget *parent, const QString &caption, const QString &filter,
                    QString &file) override;
    int exec(QDialog &screen) override;
};
