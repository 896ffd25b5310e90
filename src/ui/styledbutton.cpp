#include "ui/styledbutton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace {

enum Look
{
    Standard,
    Piatto,
    UltraPiatto,
    Office2000,
    OfficeXP,
    Office2003,
    Office2007,
    LookCount
};

// What the custom looks need to know about the button at the moment of painting.
struct Face
{
    QRect rect;
    QColor colour; // already paled when the button is disabled
    bool hover = false;
    bool down = false;
};

QColor mix(const QColor &from, const QColor &to, float amount)
{
    const auto channel = [amount](float a, float b) { return a + (b - a) * amount; };
    return QColor::fromRgbF(channel(from.redF(), to.redF()), channel(from.greenF(), to.greenF()),
                            channel(from.blueF(), to.blueF()));
}

const QColor White(Qt::white);

// The Office looks keep their own accent colours whatever the face: they are what makes each
// of them recognisable.
const QColor XpBlue(0x31, 0x6a, 0xc5);
const QColor XpHover(0xc1, 0xd2, 0xee);
const QColor XpDown(0x98, 0xb5, 0xe2);
const QColor Navy(0x00, 0x00, 0x80);

QColor textColour(const QPalette &palette, const QColor &face, bool enabled)
{
    const QColor text = palette.color(QPalette::ButtonText);
    // The layout sets one text colour for every colour group; a counter without an operator
    // must still look out of service, so such a colour is faded into the face.
    if (!enabled && text == palette.color(QPalette::Active, QPalette::ButtonText))
        return mix(text, face, 0.55f);
    return text;
}

void drawPiatto(QPainter &painter, const Face &face)
{
    const QBrush fill(face.colour);
    if (face.hover || face.down)
        qDrawShadePanel(&painter, face.rect, QPalette(face.colour), face.down, 1, &fill);
    else
        qDrawPlainRect(&painter, face.rect, face.colour.darker(160), 1, &fill);
}

void drawUltraPiatto(QPainter &painter, const Face &face)
{
    painter.fillRect(face.rect, face.down ? face.colour.darker(115) : face.colour);
}

void drawOffice2000(QPainter &painter, const Face &face)
{
    const QBrush fill(face.colour);
    qDrawWinButton(&painter, face.rect, QPalette(face.colour), face.down, &fill);
}

void drawOfficeXp(QPainter &painter, const Face &face)
{
    QColor fill = mix(face.colour, White, 0.6f);
    QColor frame = mix(face.colour.darker(170), XpBlue, 0.5f);
    if (face.down || face.hover) {
        fill = face.down ? XpDown : XpHover;
        frame = XpBlue;
    }
    const QBrush brush(fill);
    qDrawPlainRect(&painter, face.rect, frame, 1, &brush);
}

void drawOffice2003(QPainter &painter, const Face &face)
{
    const QRectF rect = QRectF(face.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    QColor frame = mix(face.colour.darker(180), Navy, 0.25f);
    if (face.down) {
        gradient.setColorAt(0, QColor(0xfe, 0xd0, 0x8e));
        gradient.setColorAt(1, QColor(0xf8, 0x9a, 0x3c));
        frame = Navy;
    } else if (face.hover) {
        gradient.setColorAt(0, QColor(0xff, 0xf6, 0xd6));
        gradient.setColorAt(1, QColor(0xff, 0xd3, 0x8c));
        frame = Navy;
    } else {
        gradient.setColorAt(0, mix(face.colour, White, 0.7f));
        gradient.setColorAt(1, face.colour.darker(115));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(frame);
    painter.setBrush(gradient);
    painter.drawRoundedRect(rect, 3, 3);
}

void drawOffice2007(QPainter &painter, const Face &face)
{
    // Four colours, top to bottom: the gloss of the upper half, then the body of the lower
    // half, with a sharp step between the two halves.
    QColor stops[4] = {mix(face.colour, White, 0.85f), mix(face.colour, White, 0.45f),
                       face.colour.darker(108), mix(face.colour, White, 0.4f)};
    QColor frame = mix(face.colour.darker(150), White, 0.2f);
    if (face.down) {
        stops[0] = QColor(0xfc, 0xd9, 0xb0);
        stops[1] = QColor(0xf9, 0xbc, 0x79);
        stops[2] = QColor(0xf5, 0x96, 0x35);
        stops[3] = QColor(0xfb, 0xc9, 0x7e);
        frame = QColor(0xc2, 0x8a, 0x48);
    } else if (face.hover) {
        stops[0] = QColor(0xff, 0xfd, 0xec);
        stops[1] = QColor(0xff, 0xed, 0xae);
        stops[2] = QColor(0xff, 0xd5, 0x5a);
        stops[3] = QColor(0xff, 0xe8, 0xa6);
        frame = QColor(0xdb, 0xc2, 0x7a);
    }
    const QRectF rect = QRectF(face.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, stops[0]);
    gradient.setColorAt(0.5, stops[1]);
    gradient.setColorAt(0.501, stops[2]);
    gradient.setColorAt(1, stops[3]);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(frame);
    painter.setBrush(gradient);
    painter.drawRoundedRect(rect, 4, 4);
    painter.setPen(QColor(255, 255, 255, 150));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect.adjusted(1, 1, -1, -1), 3, 3);
}

} // namespace

StyledButton::StyledButton(QWidget *parent) : StyledButton(QString(), parent) {}

StyledButton::StyledButton(const QString &text, QWidget *parent) : QPushButton(text, parent)
{
    // Without it the hover looks would never show: no paint event comes on entering or leaving.
    setAttribute(Qt::WA_Hover);
}

QStringList StyledButton::styleNames()
{
    return {QStringLiteral("Standard"),     QStringLiteral("Piatto"),
            QStringLiteral("Ultra Piatto"), QStringLiteral("Office 2000"),
            QStringLiteral("Office XP"),    QStringLiteral("Office 2003"),
            QStringLiteral("Office 2007")};
}

void StyledButton::setAppearance(int style)
{
    if (style == appearance_)
        return;
    appearance_ = style;
    update();
}

void StyledButton::paintEvent(QPaintEvent *)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool down = option.state & (QStyle::State_Sunken | QStyle::State_On);
    const int look = appearance_ >= 0 && appearance_ < LookCount ? appearance_ : Standard;

    QPainter painter(this);
    QRect textArea;
    QColor faceColour = option.palette.color(QPalette::Button);
    if (look == Standard) {
        // The platform's own bevel; the label is ours, because the platform's does not wrap
        // and an operator's full name rarely fits on one line.
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
        textArea = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        if (down)
            textArea.translate(
                style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    } else {
        if (!enabled)
            faceColour = mix(faceColour, White, 0.45f);
        const Face face{option.rect, faceColour,
                        enabled && (option.state & QStyle::State_MouseOver), down};
        painter.save();
        switch (look) {
        case Piatto:
            drawPiatto(painter, face);
            break;
        case UltraPiatto:
            drawUltraPiatto(painter, face);
            break;
        case Office2000:
            drawOffice2000(painter, face);
            break;
        case OfficeXP:
            drawOfficeXp(painter, face);
            break;
        case Office2003:
            drawOffice2003(painter, face);
            break;
        default:
            drawOffice2007(painter, face);
            break;
        }
        painter.restore();
        textArea = option.rect.adjusted(4, 4, -4, -4);
        // Only the bevelled looks move their text, as a pressed key would.
        if (down && (look == Office2000 || look == Piatto))
            textArea.translate(1, 1);
    }

    int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextHideMnemonic;
    const QColor text = textColour(option.palette, faceColour, enabled);
    painter.setPen(text);
    painter.drawText(textArea, flags, option.text);

    // A touch kiosk has no use for a focus mark after every tap; it appears only once the
    // keyboard has moved the focus.
    if (!(option.state & QStyle::State_HasFocus)
        || !(option.state & QStyle::State_KeyboardFocusChange))
        return;
    if (look == Standard) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    } else {
        // The platform's focus frame may tint the whole face, which would pass for one of our
        // hover colours; a dotted line in the text's colour reads as focus on any face.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(text, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(option.rect.adjusted(3, 3, -4, -4));
    }
}
