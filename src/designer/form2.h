#pragma once

#include <QDialog>

#include <array>

class Dialogs;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class StyledButton;

// The designer's dialog for the eleven counter panels at once: the buttons' font, text colour
// and style, the fixed labels' colour, the panels' background and the single queue's caption.
// Whichever panel it is opened from, it starts from the single-queue panel's values, and
// "&Applica" gives every panel the same ones.
class Form2 : public QDialog
{
    Q_OBJECT

public:
    // `designer` is the screen holding Postazione1(0..10) with their PB1 and Label5..Label8.
    Form2(Dialogs &dialogs, QWidget &designer, QWidget *parent = nullptr);

private:
    void fillFromPanel(int i);
    void apply();
    void chooseFont();
    void chooseColour(QLineEdit *field);
    void chooseStyle(int style);
    int styleNumber() const;

    Dialogs &dialogs_;
    QWidget &designer_;

    QLabel *label1_ = nullptr;
    QGroupBox *box1_ = nullptr;
    std::array<QLineEdit *, 5> fe1_{};
    std::array<QPushButton *, 4> pb1_{};
    std::array<QCheckBox *, 2> cb1_{};
    QComboBox *comboBox1_ = nullptr;
    QLabel *label3_ = nullptr;
    QLineEdit *tcs_ = nullptr;
    std::array<QPushButton *, 2> btn_{};
    StyledButton *btn2_ = nullptr; // the live sample
};
