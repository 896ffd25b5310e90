#include "designer/designerlayoutreader.h"

#include "designer/layout1.h"
#include "ui/colorvalue.h"
#include "ui/styledbutton.h"

#include <QGroupBox>
#include <QLabel>

namespace {

qint32 colour(const QWidget &widget, QPalette::ColorRole role)
{
    return ColorValue::fromColor(widget.palette().color(role));
}

void readPosition(const Layout1 &designer, const QWidget &element, std::optional<float> &top,
                  std::optional<float> &left)
{
    const QPointF at = designer.positions().position(element);
    top = float(at.y());
    left = float(at.x());
}

// The designer may never have been shown, so "shown" is the element's own setting.
bool shown(const QWidget &element)
{
    return !element.isHidden();
}

} // namespace

ScreenLayout DesignerLayoutReader::read(const Layout1 &designer)
{
    ScreenLayout layout;

    const QLabel &title = *designer.title();
    layout.title.text = title.text();
    readPosition(designer, title, layout.title.top, layout.title.left);
    layout.title.fontName = title.font().family();
    layout.title.fontSize = float(title.font().pointSizeF());
    layout.title.bold = title.font().bold();
    layout.title.italic = title.font().italic();
    layout.title.backColor = colour(title, QPalette::Window);
    layout.title.textColor = colour(title, QPalette::WindowText);
    layout.title.visible = shown(title);

    const QGroupBox &bar = *designer.bar();
    readPosition(designer, bar, layout.bar.top, layout.bar.left);
    layout.bar.backColor = colour(bar, QPalette::Window);
    layout.bar.fixedTextColor = colour(*designer.barTexts()[0], QPalette::WindowText);
    layout.bar.visible = shown(bar);

    // One colour for the fixed labels of every panel: the first panel's, whatever the
    // others were given.
    const qint32 fixedTexts = colour(*designer.fixedLabels(0)[0], QPalette::WindowText);
    for (int i = 0; i < ScreenLayout::PanelCount; ++i) {
        ScreenLayout::Panel &panel = layout.panels[i];
        const QGroupBox &box = *designer.panel(i);
        const StyledButton &button = *designer.panelButton(i);
        panel.visible = shown(box);
        readPosition(designer, box, panel.top, panel.left);
        panel.fontName = button.font().family();
        panel.fontSize = float(button.font().pointSizeF());
        panel.bold = button.font().bold();
        panel.italic = button.font().italic();
        panel.appearance = button.appearance();
        panel.textColor = colour(button, QPalette::ButtonText);
        panel.panelColor = colour(box, QPalette::Window);
        panel.fixedTextColor = fixedTexts;
        if (i == ScreenLayout::PanelCount - 1)
            panel.buttonText = button.text();
    }

    layout.backColor = ColorValue::fromColor(designer.backgroundColour());
    layout.picturePath = designer.picturePath();
    return layout;
}
