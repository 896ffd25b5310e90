#include "designer/designerlayout.h"

#include "ui/colorvalue.h"
#include "ui/formfont.h"

#include <QApplication>
#include <QPalette>

namespace {

template <typename T> void keep(std::optional<T> &value, const std::optional<T> &stored)
{
    if (stored)
        value = stored;
}

qint32 systemColour(QPalette::ColorRole role, const char *widgetClass = nullptr)
{
    const QPalette palette =
        widgetClass ? QApplication::palette(widgetClass) : QApplication::palette();
    return ColorValue::fromColor(palette.color(role));
}

} // namespace

ScreenLayout DesignerLayout::designTime()
{
    const QFont font = FormFont::standard();
    const qint32 window = systemColour(QPalette::Window);
    const qint32 windowText = systemColour(QPalette::WindowText);

    ScreenLayout layout;
    ScreenLayout::Title &title = layout.title;
    title.text = QStringLiteral("Titolo");
    title.top = 9600;
    title.left = 120;
    title.fontName = font.family();
    title.fontSize = float(font.pointSizeF());
    title.backColor = window;
    title.textColor = windowText;
    title.visible = true;

    layout.bar = {8280, 120, window, windowText, true};

    static constexpr int lefts[] = {120, 3720, 7320, 10920, 14520};
    for (int i = 0; i < ScreenLayout::PanelCount; ++i) {
        ScreenLayout::Panel &panel = layout.panels[i];
        const bool queue = i == Office::SingleQueueIndex;
        panel.visible = true;
        panel.top = queue ? 6600 : (i < 5 ? 120 : 4200);
        panel.left = queue ? 4800 : lefts[i % 5];
        panel.fontName = font.family();
        panel.fontSize = float(font.pointSizeF());
        panel.appearance = 0;
        panel.textColor = systemColour(QPalette::ButtonText, "QPushButton");
        panel.panelColor = window;
        panel.fixedTextColor = windowText;
        if (queue)
            panel.buttonText = QStringLiteral("Coda Unica");
    }
    layout.backColor = window;
    layout.picturePath = QString();
    return layout;
}

ScreenLayout DesignerLayout::completed(const ScreenLayout &stored)
{
    ScreenLayout layout = designTime();

    ScreenLayout::Title &title = layout.title;
    keep(title.text, stored.title.text);
    keep(title.top, stored.title.top);
    keep(title.left, stored.title.left);
    keep(title.fontName, stored.title.fontName);
    keep(title.fontSize, stored.title.fontSize);
    keep(title.backColor, stored.title.backColor);
    keep(title.textColor, stored.title.textColor);
    // A yes/no of a record the table did not have is no value at all, not a "no".
    if (stored.hasRecord(1)) {
        title.bold = stored.title.bold;
        title.italic = stored.title.italic;
        title.visible = stored.title.visible;
    }

    keep(layout.bar.top, stored.bar.top);
    keep(layout.bar.left, stored.bar.left);
    keep(layout.bar.backColor, stored.bar.backColor);
    keep(layout.bar.fixedTextColor, stored.bar.fixedTextColor);
    keep(layout.bar.visible, stored.bar.visible);

    for (int i = 0; i < ScreenLayout::PanelCount; ++i) {
        ScreenLayout::Panel &panel = layout.panels[i];
        const ScreenLayout::Panel &from = stored.panels[i];
        keep(panel.visible, from.visible);
        keep(panel.top, from.top);
        keep(panel.left, from.left);
        keep(panel.fontName, from.fontName);
        keep(panel.fontSize, from.fontSize);
        keep(panel.appearance, from.appearance);
        keep(panel.textColor, from.textColor);
        keep(panel.panelColor, from.panelColor);
        keep(panel.fixedTextColor, from.fixedTextColor);
        keep(panel.buttonText, from.buttonText);
        if (stored.hasRecord(i + 3)) {
            panel.bold = from.bold;
            panel.italic = from.italic;
        }
    }
    keep(layout.backColor, stored.backColor);
    keep(layout.picturePath, stored.picturePath);
    return layout;
}

ScreenLayout DesignerLayout::forStorage(const ScreenLayout &live)
{
    ScreenLayout layout = live;
    for (ScreenLayout::Panel &panel : layout.panels)
        panel.fixedTextColor = live.panels[0].fixedTextColor;
    return layout;
}
