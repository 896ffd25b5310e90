#include "ui/qtdialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

void QtDialogs::message(QWidget *parent, Kind kind, const QString &text, const QString &title)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (kind) {
    case Kind::Plain:
        icon = QMessageBox::NoIcon;
        break;
    case Kind::Information:
        icon = QMessageBox::Information;
        break;
    case Kind::Question:
        icon = QMessageBox::Question;
        break;
    case Kind::Critical:
        icon = QMessageBox::Critical;
        break;
    }
    QMessageBox box(icon, title.isEmpty() ? programTitle() : title, text, QMessageBox::Ok, parent);
    box.exec();
}

Dialogs::Answer QtDialogs::question(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title.isEmpty() ? programTitle() : title, text,
                    QMessageBox::NoButton, parent);
    const QPushButton *yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
    box.setDefaultButton(box.addButton(QStringLiteral("No"), QMessageBox::NoRole));
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

bool QtDialogs::chooseFolder(QWidget *parent, const QString &prompt, QString &folder)
{
    // The picker starts at the top of the tree, as the administrator expects a fresh choice.
    const QString chosen = QFileDialog::getExistingDirectory(parent, prompt, QDir::rootPath());
    if (chosen.isEmpty())
        return false;
    folder = QDir::toNativeSeparators(chosen);
    return true;
}

bool QtDialogs::chooseFont(QWidget *parent, QFont &font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent);
    if (ok)
        font = chosen;
    return ok;
}

bool QtDialogs::chooseColor(QWidget *parent, QColor &color)
{
    const QColor chosen = QColorDialog::getColor(color, parent);
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

bool QtDialogs::chooseFile(QWidget *parent, const QString &caption, const QString &filter,
                           QString &file)
{
    const QString chosen = QFileDialog::getOpenFileName(parent, caption, file, filter);
    if (chosen.isEmpty())
        return false;
    file = QDir::toNativeSeparators(chosen);
    return true;
}

int QtDialogs::exec(QDialog &screen)
{
    return screen.exec();
}
