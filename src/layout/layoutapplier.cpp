#include "layout/layoutapplier.h"

#include "ui/colorvalue.h"
#include "ui/picturefile.h"
#include "ui/twips.h"

#include <QPixmap>
#include <QWidget>

namespace {

QString indexed(const QString &name, int index)
{
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

QWidget *element(QWidget &screen, const QString &name)
{
    return screen.findChild<QWidget *>(name);
}

void setCaption(QWidget *widget, const std::optional<QString> &text)
{
    // The title is a label on the public screen and a 3-D panel in the designer, the
    // single queue's a button: all of them carry their caption as the text property.
    if (widget && text)
        widget->setProperty("text", *text);
}

void setColour(QWidget *widget, QPalette::ColorRole role, const std::optional<qint32> &value)
{
    if (!widget || !value)
        return;
    const QColor colour = ColorValue::toColor(*value);
    if (!colour.isValid())
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget *widget, const std::optional<qint32> &value)
{
    if (!widget || !value || !ColorValue::isValid(*value))
        return;
    setColour(widget, QPalette::Window, value);
    widget->setAutoFillBackground(true);
}

// Positions only: the sizes and what lies inside an element stay as designed.
void moveTo(QWidget *widget, const std::optional<float> &top, const std::optional<float> &left)
{
    if (!widget)
        return;
    if (top)
        widget->move(widget->x(), Twips::toPixels(*top));
    if (left)
        widget->move(Twips::toPixels(*left), widget->y());
}

void setFont(QWidget *widget, const std::optional<QString> &name, const std::optional<float> &size,
             std::optional<bool> bold, std::optional<bool> italic)
{
    if (!widget)
        return;
    QFont font = widget->font();
    if (name)
        font.setFamily(*name);
    if (size && *size > 0)
        font.setPointSizeF(*size);
    if (bold)
        font.setBold(*bold);
    if (italic)
        font.setItalic(*italic);
    widget->setFont(font);
}

// A record that was never read has no yes/no values, not "no" ones.
std::optional<bool> readYesNo(bool recordRead, bool value)
{
    return recordRead ? std::optional<bool>(value) : std::nullopt;
}

void setVisible(QWidget *widget, bool visible)
{
    if (widget)
        widget->setVisible(visible);
}

void applyTitle(const ScreenLayout &layout, LayoutTarget &target)
{
    const ScreenLayout::Title &title = layout.title;
    QWidget *label = element(target.layoutScreen(), target.titleName());
    const bool read = layout.hasRecord(1);
    setCaption(label, title.text);
    moveTo(label, title.top, title.left);
    setFont(label, title.fontName, title.fontSize, readYesNo(read, title.bold),
            readYesNo(read, title.italic));
    setBackground(label, title.backColor);
    setColour(label, QPalette::WindowText, title.textColor);
    if (read)
        setVisible(label, title.visible);
}

void applyBar(const ScreenLayout::Bar &bar, QWidget &screen)
{
    QWidget *box = element(screen, QStringLiteral("GB0"));
    moveTo(box, bar.top, bar.left);
    setBackground(box, bar.backColor);
    for (const QString &name :
         {QStringLiteral("Label4(0)"), QStringLiteral("Label4(1)"), QStringLiteral("Label2"),
          QStringLiteral("Label3"), QStringLiteral("Label1(1)")})
        setColour(element(screen, name), QPalette::WindowText, bar.fixedTextColor);
    if (bar.visible)
        setVisible(box, *bar.visible);
}

void applyPanel(const ScreenLayout &layout, int i, LayoutTarget &target)
{
    const ScreenLayout::Panel &panel = layout.panels[i];
    QWidget &screen = target.layoutScreen();
    QWidget *box = element(screen, indexed(QStringLiteral("Postazione1"), i));
    QWidget *button = element(screen, indexed(QStringLiteral("PB1"), i));

    if (panel.visible)
        setVisible(box, *panel.visible);
    if (i == ScreenLayout::PanelCount - 1)
        setCaption(button, panel.buttonText);
    moveTo(box, panel.top, panel.left);
    const bool read = layout.hasRecord(i + 3);
    setFont(button, panel.fontName, panel.fontSize, readYesNo(read, panel.bold),
            readYesNo(read, panel.italic));
    // The kiosk's styled push button takes its style from this property; any other button
    // just keeps the number, so the designer can still save it back.
    if (button && panel.appearance)
        button->setProperty("appearance", *panel.appearance);
    setColour(button, QPalette::ButtonText, panel.textColor);
    setBackground(box, panel.panelColor);
    for (const QString &name : {QStringLiteral("Label5"), QStringLiteral("Label6"),
                                QStringLiteral("Label7"), QStringLiteral("Label8")})
        setColour(element(screen, indexed(name, i)), QPalette::WindowText, panel.fixedTextColor);
}

// A picture that will not load leaves the one shown; the screen opens all the same, and the
// reason goes to the log for whoever looks after the kiosk.
void applyPicture(const std::optional<QString> &path, LayoutTarget &target)
{
    if (!path || path->isEmpty()) {
        target.setBackgroundPicture(QPixmap());
        return;
    }
    QString reason;
    const QImage picture = PictureFile::read(*path, &reason);
    if (picture.isNull()) {
        qWarning("background picture %s not loaded: %s", qUtf8Printable(*path),
                 qUtf8Printable(reason));
        return;
    }
    target.setBackgroundPicture(QPixmap::fromImage(picture));
}

} // namespace

void LayoutApplier::apply(const ScreenLayout &layout, LayoutTarget &target, QStringList *)
{
    applyElements(layout, target);
    if (layout.hasRecord(ScreenLayout::RecordCount))
        applyPicture(layout.picturePath, target);
}

void LayoutApplier::applyElements(const ScreenLayout &layout, LayoutTarget &target)
{
    QWidget &screen = target.layoutScreen();
    applyTitle(layout, target);
    applyBar(layout.bar, screen);
    for (int i = 0; i < ScreenLayout::PanelCount; ++i)
        applyPanel(layout, i, target);
    setBackground(&screen, layout.backColor);
}
