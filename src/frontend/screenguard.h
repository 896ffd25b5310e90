#pragma once

#include <QObject>
#include <QPointer>

class QDialog;
class QWidget;

// Keeps the public screen the public's: of the keys meant for the screen's own elements
// only F10 does anything, and it closes the screen only once no box of ours is open over
// it; the boxes themselves answer their keys. It also tells a new activation from the
// screen coming back from one of its own message boxes.
class ScreenGuard : public QObject
{
    Q_OBJECT

public:
    explicit ScreenGuard(QDialog &screen);
    ~ScreenGuard() override;

    // Whether F10 asked the screen to close: nothing else may.
    bool closing() const { return closing_; }
    // The screen did what a new activation does without becoming active.
    void markActivated() { activatedOnce_ = true; }

signals:
    // The screen became the program's active window: the first time, or back from a
    // window other than its own message boxes.
    void activated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isScreenElement(QObject *object) const;
    void filterKey(QEvent *event);
    void watchActivation(QEvent *event);

    QDialog &screen_;
    bool closing_ = false;
    bool activatedOnce_ = false;
    QPointer<QWidget> lostActivationTo_;
};
