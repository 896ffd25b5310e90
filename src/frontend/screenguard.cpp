#include "frontend/screenguard.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>

ScreenGuard::ScreenGuard(QDialog &screen) : QObject(&screen), screen_(screen)
{
    // Keys reach the screen whichever element has the focus.
    qApp->installEventFilter(this);
}

ScreenGuard::~ScreenGuard()
{
    qApp->removeEventFilter(this);
}

bool ScreenGuard::isScreenElement(QObject *object) const
{
    // A box opened over the screen is its child too, but a window of its own.
    const auto *widget = qobject_cast<QWidget *>(object);
    return widget && widget->window() == &screen_;
}

bool ScreenGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (watched == &screen_)
            watchActivation(event);
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: // filtered, it keeps any shortcut from acting on the key
        if (isScreenElement(watched)) {
            filterKey(event);
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void ScreenGuard::filterKey(QEvent *event)
{
    const auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() != QEvent::KeyPress || key->key() != Qt::Key_F10
        || key->modifiers() != Qt::NoModifier)
        return;
    // Closing under an open box would leave the box alone on the kiosk.
    const QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != &screen_)
        return;
    closing_ = true;
    screen_.accept();
}

void ScreenGuard::watchActivation(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate) {
        lostActivationTo_ = QApplication::activeWindow();
        return;
    }
    const bool fromOwnBox =
        qobject_cast<QMessageBox *>(lostActivationTo_.data()) || lostActivationTo_ == &screen_;
    const bool anew = !activatedOnce_ || (lostActivationTo_ && !fromOwnBox);
    activatedOnce_ = true;
    lostActivationTo_ = nullptr;
    if (anew)
        emit activated();
}
