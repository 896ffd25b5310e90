#pragma once

#include <QFrame>

#include <array>

class QPushButton;

// The designer's tool panel `SSPanel1`: the group box `GroupBox2` with the command buttons
// BTn(0) to BTn(17) (there is no 5). The designer connects the buttons and adds the move
// handle; the panel keeps the system's look whatever background the screen is given.
class DesignerToolPanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr int ButtonCount = 18;
    // Where the panel stands when the designer opens, in twips.
    static constexpr int Left = 10560;
    static constexpr int Top = 5040;

    explicit DesignerToolPanel(QWidget *parent);

    // nullptr for the missing index 5.
    QPushButton *button(int index) const { return buttons_.at(index); }

private:
    std::array<QPushButton *, ButtonCount> buttons_{};
};
