#pragma once

#include "layout/screenlayout.h"

#include <QDialog>

class Dialogs;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The designer's dialog for the title panel, the date/time bar or the screen's background
// colour. It reads the layout when it is created and writes it only on "&Applica", then
// says so; the choosers change nothing but its own fields.
class Form1 : public QDialog
{
    Q_OBJECT

public:
    enum class Mode
    {
        Title,
        Bar,
        ScreenColour
    };

    // `layout` is the designer's, edited in place.
    Form1(Dialogs &dialogs, ScreenLayout &layout, Mode mode, QWidget *parent = nullptr);

    // The heading names the mode: "Titolo", "Barra" or "Colore Sfondo Schermata".
    static QString heading(Mode mode);

signals:
    void applied();

private:
    void fill();
    void apply();
    void chooseFont();
    void chooseColour(QLineEdit *field);

    Dialogs &dialogs_;
    ScreenLayout &layout_;
    Mode mode_;

    QLabel *heading_ = nullptr;
    QLineEdit *fontName_ = nullptr;
    QLineEdit *fontSize_ = nullptr;
    QLineEdit *titleText_ = nullptr;
    QLineEdit *textColour_ = nullptr;
    QLineEdit *backColour_ = nullptr;
    QPushButton *fontChooser_ = nullptr;
    QPushButton *textColourChooser_ = nullptr;
    QPushButton *backColourChooser_ = nullptr;
    QCheckBox *bold_ = nullptr;
    QCheckBox *italic_ = nullptr;
};
