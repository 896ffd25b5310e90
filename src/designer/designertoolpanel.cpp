#include "designer/designertoolpanel.h"

#include "designer/designericons.h"
#include "ui/screenelements.h"
#include "ui/twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>

namespace {

// The tool buttons that show only an icon: index, left and top in GroupBox2 (twips), tooltip.
struct IconButton
{
    int index;
    int left;
    int top;
    const char *toolTip;
};

constexpr IconButton iconButtons[] = {
    {2, 120, 240, "Titolo "},  {3, 1320, 240, " Barra Data/Ora"},
    {0, 120, 840, " Sfondo "}, {1, 1320, 840, " Colore Sfondo "},
    {4, 120, 3960, ""},        {17, 1320, 3960, " Chiudi Impostazione Layout "},
};

QIcon toolIcon(int index)
{
    switch (index) {
    case 0:
        return DesignerIcons::background();
    case 1:
        return DesignerIcons::screenColour();
    case 2:
        return DesignerIcons::title();
    case 3:
        return DesignerIcons::dateTimeBar();
    case 4:
        return DesignerIcons::save();
    case 17:
        return DesignerIcons::close();
    default:
        return QIcon();
    }
}

} // namespace

DesignerToolPanel::DesignerToolPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("SSPanel1"));
    setGeometry(Twips::rect(Left, Top, 2895, 5295));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setPalette(QApplication::palette(this));
    setAutoFillBackground(true);

    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("GroupBox2"));
    box->setGeometry(Twips::rect(120, 480, 2655, 4695));

    for (const IconButton &face : iconButtons) {
        auto *button = new QPushButton(box);
        button->setGeometry(Twips::rect(face.left, face.top, 1215, 585));
        button->setIcon(toolIcon(face.index));
        button->setIconSize(QSize(Twips::toPixels(420), Twips::toPixels(420)));
        button->setToolTip(QString::fromUtf8(face.toolTip));
        buttons_[face.index] = button;
    }
    static constexpr int columns[] = {120, 960, 1800};
    for (int index = 6; index <= 15; ++index) {
        const int cell = index - 6;
        auto *button = new QPushButton(QStringLiteral("P%1").arg(cell + 1), box);
        button->setGeometry(Twips::rect(columns[cell % 3], 1560 + 600 * (cell / 3), 735, 585));
        button->setToolTip(QStringLiteral(" Postazione %1").arg(cell + 1));
        buttons_[index] = button;
    }
    buttons_[16] = new QPushButton(QStringLiteral("Coda Unica"), box);
    buttons_[16]->setGeometry(Twips::rect(960, 3360, 1575, 585));

    for (int index = 0; index < ButtonCount; ++index) {
        if (QPushButton *button = buttons_[index]) {
            button->setObjectName(ScreenElements::indexed("BTn", index));
            // A dialog's push buttons would otherwise answer the Enter key.
            button->setAutoDefault(false);
        }
    }
}
