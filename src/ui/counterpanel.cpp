#include "ui/counterpanel.h"

#include "ui/screenelements.h"
#include "ui/styledbutton.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit *numberBox(QWidget *parent, const QString &name, const QRect &place)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(place);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    box->setFocusPolicy(Qt::NoFocus);
    QFont font = box->font();
    font.setPointSizeF(14);
    font.setBold(true);
    box->setFont(font);
    return box;
}

} // namespace

CounterPanel::CounterPanel(QWidget *parent, int index, bool singleQueue, const QPoint &topLeftTwips,
                           const QString &issuedName, const QString &servedName)
{
    frame = new QGroupBox(parent);
    frame->setObjectName(ScreenElements::indexed("Postazione1", index));
    frame->setGeometry(Twips::rect(topLeftTwips.x(), topLeftTwips.y(), 3495, 3975));

    button = new StyledButton(frame);
    button->setObjectName(ScreenElements::indexed("PB1", index));
    button->setGeometry(Twips::rect(0, 0, 3495, 1935));
    button->setAutoDefault(false);
    // The touch screen has no keyboard focus to show, and a focused button would answer keys.
    button->setFocusPolicy(Qt::NoFocus);
    if (singleQueue)
        button->setText(QStringLiteral("Coda Unica"));

    label5 = ScreenElements::label(frame, ScreenElements::indexed("Label5", index),
                                   singleQueue ? QStringLiteral("Postazione chiamata unica")
                                               : QStringLiteral("Postazione"),
                                   Twips::rect(120, 2160, 2415, 255));
    label6 = ScreenElements::label(frame, ScreenElements::indexed("Label6", index),
                                   singleQueue ? QStringLiteral("Nome postazione") : QString(),
                                   Twips::rect(120, 2400, singleQueue ? 2175 : 3255, 255));
    label7 = ScreenElements::label(frame, ScreenElements::indexed("Label7", index),
                                   QStringLiteral("Numeri già distribuiti"),
                                   Twips::rect(singleQueue ? 1080 : 360, 2880, 1215, 495));
    label7->setWordWrap(true);
    // The single queue's label lies outside its panel: it has no served number.
    label8 = ScreenElements::label(frame, ScreenElements::indexed("Label8", index),
                                   QStringLiteral("Numero servito al momento"),
                                   Twips::rect(1680, singleQueue ? 4080 : 2880, 1335, 495));
    label8->setWordWrap(true);

    issued = numberBox(frame, issuedName, Twips::rect(singleQueue ? 960 : 360, 3360, 1215, 495));
    if (!servedName.isEmpty())
        served = numberBox(frame, servedName, Twips::rect(1680, 3360, 1215, 495));
}
