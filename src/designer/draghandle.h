#pragma once

#include <QWidget>

class DragState;

// A move handle inside a designer element: pressing the left button on it and moving the
// mouse drags the whole element. Qt keeps sending the mouse to the widget on which a button
// went down until it is released, which is the capture a drag needs.
class DragHandle : public QWidget
{
    Q_OBJECT

public:
    DragHandle(QWidget &element, DragState &drag, QWidget *parent);

    QWidget &element() const { return element_; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget &element_;
    DragState &drag_;
};
