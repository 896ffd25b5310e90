#pragma once

#include <QString>

class QPixmap;
class QWidget;

// A screen that the stored layout can be applied to: the public screen, or the layout
// designer's mock-up of it. Both carry the same element names except for the title, and the
// designer keeps a little more (the picture path, the tool buttons of the panels).
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
    // The designer keeps the path in Label10 so that its save writes it back.
    virtual void setPicturePath(const QString &) {}
    // The designer marks the tool button BTn(i + 6) of each shown panel in red.
    virtual bool marksShownPanels() const { return false; }
};
