#pragma once

#include <QString>

class QPixmap;
class QWidget;

// A screen that the stored layout can be applied to: the public screen, or the layout
// designer's mock-up of it. Both carry the same element names except for the title.
class LayoutTarget
{
public:
    virtual ~LayoutTarget() = default;

    // The widget that holds the named elements; its own background is the screen's.
    virtual QWidget &layoutScreen() = 0;
    // "Label1(0)" on the public screen, "Titolo" in the designer.
    virtual QString titleName() const = 0;
    // A null pixmap clears the picture.
    virtual void setBackgroundPicture(const QPixmap &picture) = 0;
};
