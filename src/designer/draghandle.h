#pragma once

#include <QPointF>
#include <QWidget>

// A move handle inside a designer element: it reports the mouse in twips relative to
// itself, and the designer moves the element. Qt keeps sending the mouse to the widget on
// which a button went down until it is released, which is the capture a drag needs.
class DragHandle : public QWidget
{
    Q_OBJECT

public:
    explicit DragHandle(QWidget *parent);

signals:
    void pressed(Qt::MouseButton button, const QPointF &pointer);
    void moved(const QPointF &pointer);
    void released();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
