#include "support/designerfixture.h"

#include "ui/colorvalue.h"
#include "ui/styledbutton.h"

#include <QGroupBox>
#include <QLabel>

namespace {

void paint(QWidget *widget, QPalette::ColorRole role, qint32 value)
{
    QPalette palette = widget->palette();
    palette.setColor(role, ColorValue::toColor(value));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QWidget *named(QWidget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

DesignerFixture::DesignerFixture()
{
    paint(this, QPalette::Window, 4000);
    auto *title = named(new QLabel(QStringLiteral("Titolo"), this), QStringLiteral("Titolo"));
    QFont titleFont(QStringLiteral("Tahoma"));
    titleFont.setPointSizeF(14.25);
    titleFont.setBold(true);
    title->setFont(titleFont);
    paint(title, QPalette::WindowText, 255);
    paint(title, QPalette::Window, ColorValue::White);

    auto *bar = named(new QGroupBox(this), QStringLiteral("GB0"));
    paint(bar, QPalette::Window, 0xC0C0C0);
    for (const char *name : {"Label4(0)", "Label4(1)", "Label2", "Label3", "Label1(1)"})
        paint(named(new QLabel(bar), QString::fromLatin1(name)), QPalette::WindowText, 0x800000);

    for (int i = 0; i < PanelCount; ++i) {
        auto *panel = named(new QGroupBox(this), QStringLiteral("Postazione1(%1)").arg(i));
        paint(panel, QPalette::Window, 3000 + i);
        auto *button = new StyledButton(i == PanelCount - 1 ? QStringLiteral("Coda Unica")
                                                            : QStringLiteral("P%1").arg(i + 1),
                                        panel);
        named(button, QStringLiteral("PB1(%1)").arg(i));
        QFont font(QStringLiteral("Tahoma"));
        font.setPointSizeF(8 + i);
        font.setBold(i % 2 == 1);
        font.setItalic(i % 3 == 0);
        button->setFont(font);
        paint(button, QPalette::ButtonText, 1000 + i);
        button->setAppearance(i == PanelCount - 1 ? 5 : i % 5);
        for (const char *label : {"Label5", "Label6", "Label7", "Label8"})
            paint(
                named(new QLabel(panel), QStringLiteral("%1(%2)").arg(QLatin1String(label)).arg(i)),
                QPalette::WindowText, 2000 + i);
    }
    named(new QLabel(this), QStringLiteral("Label10"));
}

QWidget *DesignerFixture::element(const QString &name) const
{
    if (name.isEmpty())
        return window();
    const QList<QWidget *> found = findChildren<QWidget *>(name);
    for (QWidget *widget : found)
        if (widget->window() == this)
            return widget;
    return nullptr;
}

StyledButton *DesignerFixture::button(int panel) const
{
    return qobject_cast<StyledButton *>(element(QStringLiteral("PB1(%1)").arg(panel)));
}

qint32 DesignerFixture::colour(const QString &name, QPalette::ColorRole role) const
{
    return ColorValue::fromColor(element(name)->palette().color(role));
}
