#pragma once

#include "layout/screenlayout.h"

#include <QDialog>

class Dialogs;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class StyledButton;

// The designer's dialog for the eleven counter panels at once: the buttons' font, text colour
// and style, the fixed labels' colour, the panels' background and the single queue's caption.
// Whichever panel it is opened from, it starts from the single-queue panel's values, and
// "&Applica" gives every panel of the layout the same ones, then says so.
class Form2 : public QDialog
{
    Q_OBJECT

public:
    // `layout` is the designer's, edited in place.
    Form2(Dialogs &dialogs, ScreenLayout &layout, QWidget *parent = nullptr);

signals:
    void applied();

private:
    void fill();
    void apply();
    void chooseFont();
    void chooseColour(QLineEdit *field);
    void chooseStyle(int style);

    Dialogs &dialogs_;
    ScreenLayout &layout_;

    QLineEdit *fontName_ = nullptr;
    QLineEdit *fontSize_ = nullptr;
    QCheckBox *bold_ = nullptr;
    QCheckBox *italic_ = nullptr;
    QLineEdit *textColour_ = nullptr;
    QComboBox *styleList_ = nullptr;
    QLabel *styleNumber_ = nullptr;
    int style_ = 0; // what "&Applica" gives the buttons; Label3 shows it
    StyledButton *sample_ = nullptr;
    QLineEdit *fixedTextColour_ = nullptr;
    QLineEdit *panelColour_ = nullptr;
    QLineEdit *queueCaption_ = nullptr;
};
