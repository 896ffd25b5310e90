#include "designer/dialogfields.h"

#include "ui/colorvalue.h"
#include "ui/dialogs.h"
#include "ui/screenelements.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

QString DialogFields::indexed(const char *name, int index)
{
    return ScreenElements::indexed(name, index);
}

QWidget *DialogFields::element(QWidget &designer, const QString &name)
{
    const QList<QWidget *> found = designer.findChildren<QWidget *>(name);
    for (QWidget *widget : found)
        if (widget->window() == designer.window())
            return widget;
    return nullptr;
}

qint32 DialogFields::colourOf(const QWidget *widget, QPalette::ColorRole role)
{
    return widget ? ColorValue::fromColor(widget->palette().color(role)) : 0;
}

void DialogFields::setColour(QWidget *widget, QPalette::ColorRole role, qint32 value)
{
    if (!widget)
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, ColorValue::toColor(value));
    widget->setPalette(palette);
}

void DialogFields::setBackground(QWidget *widget, qint32 value)
{
    setColour(widget, QPalette::Window, value);
    if (widget)
        widget->setAutoFillBackground(true);
}

qreal DialogFields::pointsOf(const QFont &font)
{
    return font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
}

std::optional<qint32> DialogFields::colourValue(const QLineEdit *field)
{
    bool ok = false;
    const qint32 value = field->text().trimmed().toInt(&ok);
    if (!ok || !ColorValue::isValid(value))
        return std::nullopt;
    return value;
}

std::optional<qreal> DialogFields::pointSize(const QLineEdit *field)
{
    bool ok = false;
    const double value = QString(field->text().trimmed()).replace(u',', u'.').toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0 || value > LargestPointSize)
        return std::nullopt;
    return value;
}

bool DialogFields::chooseFont(Dialogs &dialogs, QWidget *parent, QLineEdit *name, QLineEdit *size,
                              QCheckBox *bold, QCheckBox *italic, QFont *chosen)
{
    QFont font(name->text());
    if (const std::optional<qreal> points = pointSize(size))
        font.setPointSizeF(*points);
    font.setBold(bold->isChecked());
    font.setItalic(italic->isChecked());
    if (!dialogs.chooseFont(parent, font))
        return false;
    name->setText(font.family());
    size->setText(QString::number(pointsOf(font)));
    bold->setChecked(font.bold());
    italic->setChecked(font.italic());
    if (chosen)
        *chosen = font;
    return true;
}

bool DialogFields::chooseColour(Dialogs &dialogs, QWidget *parent, QLineEdit *field)
{
    QColor colour = ColorValue::toColor(colourValue(field).value_or(0));
    if (!dialogs.chooseColor(parent, colour))
        return false;
    field->setText(QString::number(ColorValue::fromColor(colour)));
    return true;
}

QLabel *DialogFields::makeCaption(QWidget *parent, const QString &text, const QRect &place)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(place);
    return label;
}

QLineEdit *DialogFields::makeField(QWidget *parent, const QString &name, const QRect &place)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(place);
    return field;
}

QPushButton *DialogFields::makeButton(QWidget *parent, const QString &name, const QString &text,
                                      const QRect &place)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setAutoDefault(false);
    return button;
}
