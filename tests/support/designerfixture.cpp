#include "support/designerfixture.h"

#include "ui/colorvalue.h"
#include "ui/styledbutton.h"

#include <QGroupBox>
#include <QLabel>

namespace {

QString indexed(const char *name, int index)
{
    return QString::fromLatin1(name) + u'(' + QString::number(index) + u')';
}

void paint(QWidget *widget, QPalette::ColorRole role, qint32 value)
{
    QPalette palette = widget->palette();
    palette.setColor(role, ColorValue::toColor(value));
    widget->setPalette(palette);
    if (role == QPalette::Window)
        widget->setAutoFillBackground(true);
}

QLabel *label(QWidget *parent, const QString &name, qint32 colour)
{
    auto *label = new QLabel(name, parent);
    label->setObjectName(name);
    paint(label, QPalette::WindowText, colour);
    return label;
}

} // namespace

DesignerFixture::DesignerFixture()
{
    setObjectName(QStringLiteral("Layout1"));
    resize(1220, 715);
    paint(this, QPalette::Window, 4000);

    auto *title = new QLabel(QStringLiteral("Titolo"), this);
    title->setObjectName(QStringLiteral("Titolo"));
    title->setFrameStyle(QFrame::Panel | QFrame::Raised);
    QFont titleFont(QStringLiteral("Tahoma"));
    titleFont.setPointSizeF(14.25);
    titleFont.setBold(true);
    title->setFont(titleFont);
    paint(title, QPalette::WindowText, 255);
    paint(title, QPalette::Window, ColorValue::White);

    auto *bar = new QGroupBox(this);
    bar->setObjectName(QStringLiteral("GB0"));
    paint(bar, QPalette::Window, 0xC0C0C0);
    for (const char *name : {"Label4(0)", "Label4(1)", "Label2", "Label3", "Label1(1)"})
        label(bar, QString::fromLatin1(name), 0x800000);

    for (int i = 0; i < PanelCount; ++i) {
        auto *panel = new QGroupBox(this);
        panel->setObjectName(indexed("Postazione1", i));
        paint(panel, QPalette::Window, 3000 + i);
        auto *button = new StyledButton(i == PanelCount - 1 ? QStringLiteral("Coda Unica")
                                                            : QStringLiteral("P%1").arg(i + 1),
                                        panel);
        button->setObjectName(indexed("PB1", i));
        QFont font(QStringLiteral("Tahoma"));
        font.setPointSizeF(8 + i);
        font.setBold(i % 2 == 1);
        font.setItalic(i % 3 == 0);
        button->setFont(font);
        paint(button, QPalette::ButtonText, 1000 + i);
        button->setAppearance(i == PanelCount - 1 ? 5 : i % 5);
        for (const char *name : {"Label5", "Label6", "Label7", "Label8"})
            label(panel, indexed(name, i), 2000 + i);
    }

    label(this, QStringLiteral("Label10"), 0)->clear();
}

QWidget *DesignerFixture::element(const QString &name) const
{
    // A dialog opened over the fixture is its child and may reuse the names.
    const QList<QWidget *> found = findChildren<QWidget *>(name);
    for (QWidget *widget : found)
        if (widget->window() == this)
            return widget;
    return nullptr;
}

QWidget *DesignerFixture::element(const char *name, int index) const
{
    return element(indexed(name, index));
}

StyledButton *DesignerFixture::button(int panel) const
{
    return qobject_cast<StyledButton *>(element("PB1", panel));
}

qint32 DesignerFixture::colour(const QString &name, QPalette::ColorRole role) const
{
    const QWidget *widget = name.isEmpty() ? this : element(name);
    return widget ? ColorValue::fromColor(widget->palette().color(role)) : -1;
}

qint32 DesignerFixture::colour(const char *name, int index, QPalette::ColorRole role) const
{
    return colour(indexed(name, index), role);
}
