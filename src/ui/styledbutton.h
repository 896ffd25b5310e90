#pragma once

#include <QPushButton>
#include <QStringList>

// The counters' push button. It behaves exactly like QPushButton; only its look changes, chosen
// by the style number that the screen layout stores for the counter buttons.
class StyledButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(int appearance READ appearance WRITE setAppearance)

public:
    explicit StyledButton(QWidget *parent = nullptr);
    explicit StyledButton(const QString &text, QWidget *parent = nullptr);

    // The style names in style-number order, as the button dialog lists them.
    static QStringList styleNames();

    // A number without a style of its own is kept as given, so that the designer saves back
    // what it loaded, and is drawn as the standard button.
    int appearance() const { return appearance_; }
    void setAppearance(int style);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int appearance_ = 0;
};
