#include "ui/screenelements.h"

#include <QLabel>

QString ScreenElements::indexed(const char *name, int index)
{
    return QString::fromLatin1(name) + u'(' + QString::number(index) + u')';
}

QLabel *ScreenElements::label(QWidget *parent, const QString &name, const QString &text,
                              const QRect &place)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    // Names come from the archives; a "<" in one must show, not start markup.
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(place);
    return label;
}
