#pragma once

#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPoint;
class QWidget;
class StyledButton;

// A counter's panel as the public screen has it: the frame, the button, the four fixed
// texts and the number boxes, each placed (in twips, within the panel) and named as the
// installation names them. The layout designer builds the very same panel, so what the
// administrator arranges is what the public will see.
class CounterPanel
{
public:
    CounterPanel() = default;
    // An empty servedName leaves the panel without a served-number box.
    CounterPanel(QWidget *parent, int index, bool singleQueue, const QPoint &topLeftTwips,
                 const QString &issuedName, const QString &servedName);

    QGroupBox *frame = nullptr;
    StyledButton *button = nullptr;
    QLabel *label5 = nullptr; // "Postazione"
    QLabel *label6 = nullptr; // the counter's name
    QLabel *label7 = nullptr; // "Numeri già distribuiti"
    QLabel *label8 = nullptr; // "Numero servito al momento"
    QLineEdit *issued = nullptr;
    QLineEdit *served = nullptr;
};
