#pragma once

#include <QString>

class QLabel;
class QRect;
class QWidget;

// The screens are built element by element, each named as the installation names it
// ("PB1(3)", "Label6(0)"), so that tests and automation find it by that name.
class ScreenElements
{
public:
    // "PB1" and 3 give "PB1(3)".
    static QString indexed(const char *name, int index);
    static QLabel *label(QWidget *parent, const QString &name, const QString &text,
                         const QRect &place);
};
