#pragma once

#include <QDialog>

#include <array>

class Dialogs;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The designer's dialog for the title panel, the date/time bar or the screen's background
// colour. It reads the element when it is created and writes back only on "&Applica"; the
// choosers change nothing but its own fields.
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

    // `designer` is the screen holding Titolo, GB0 and its labels; its own background is the
    // screen colour.
    Form1(Dialogs &dialogs, QWidget &designer, Mode mode, QWidget *parent = nullptr);

    // The heading names the mode: "Titolo", "Barra" or "Colore Sfondo Schermata".
    static QString heading(Mode mode);

private:
    void fill();
    void apply();
    void chooseFont();
    void chooseColour(QLineEdit *field);

    Dialogs &dialogs_;
    QWidget &designer_;
    Mode mode_;

    QLabel *label1_ = nullptr;
    std::array<QLineEdit *, 5> fe1_{};
    std::array<QPushButton *, 4> pb1_{}; // index 1 does not exist
    std::array<QCheckBox *, 2> cb1_{};
    std::array<QPushButton *, 2> btn_{};
};
