#include "designer/layout1.h"

#include "ui/counterpanel.h"
#include "ui/screenelements.h"

#include "archive/archiveerror.h"
#include "core/kioskstate.h"
#include "designer/designericons.h"
#include "designer/designerlayoutreader.h"
#include "designer/draghandle.h"
#include "designer/form1.h"
#include "designer/form2.h"
#include "designer/impostasfondo.h"
#include "layout/screenlayoutwriter.h"
#include "ui/colorvalue.h"
#include "ui/dialogs.h"
#include "ui/msgform.h"
#include "ui/styledbutton.h"
#include "ui/twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

void setTextColour(QPushButton *button, const QColor &colour)
{
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, colour);
    button->setPalette(palette);
}

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

Layout1::Layout1(KioskState &state, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), state_(state), dialogs_(dialogs), drag_(*this, positions_)
{
    setObjectName(QStringLiteral("Layout1"));
    setWindowTitle(QStringLiteral("Ijmpostazione Layout Front-End"));
    QFont labels(QStringLiteral("Tahoma"));
    labels.setPointSizeF(8.25);
    setFont(labels);
    resize(Twips::toPixels(18285), Twips::toPixels(10725));
    // The public screen covers the whole display; its mock-up must too, or elements placed
    // near the bottom or the right would lie out of reach.
    setWindowState(windowState() | Qt::WindowMaximized);

    // The three dialogs work on this screen's elements directly, modally over it.
    connect(this, &Layout1::backgroundPickerRequested, this, [this] {
        ImpostaSfondo picker(dialogs_, *this, *this, this);
        dialogs_.exec(picker);
    });
    connect(this, &Layout1::elementDialogRequested, this, [this](ElementMode mode) {
        static constexpr Form1::Mode modes[] = {Form1::Mode::Title, Form1::Mode::Bar,
                                                Form1::Mode::ScreenColour};
        Form1 form(dialogs_, *this, modes[int(mode)], this);
        dialogs_.exec(form);
    });
    connect(this, &Layout1::buttonDialogRequested, this, [this] {
        Form2 form(dialogs_, *this, this);
        dialogs_.exec(form);
    });

    // Created in this order so that the panels lie over the bar and the title, and the tool
    // panel over everything, wherever they are dragged.
    buildTitle();
    buildBar();
    for (int i = 0; i < PanelCount; ++i)
        buildPanel(i);
    label10_ = ScreenElements::label(this, QStringLiteral("Label10"), QString(),
                                     Twips::rect(2880, 13000, 8000, 255));
    // It only carries the path for the save; on a maximized kiosk screen its place would
    // no longer be out of sight.
    label10_->hide();
    buildToolPanel();
}

void Layout1::buildTitle()
{
    titolo_ = ScreenElements::label(this, QStringLiteral("Titolo"), QStringLiteral("Titolo"),
                                    Twips::rect(120, 9600, 17895, 675));
    titolo_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    titolo_->setLineWidth(2);
    titolo_->setAlignment(Qt::AlignCenter);
    titolo_->setAutoFillBackground(true);
    makeHandle(QStringLiteral("Image4"), *titolo_, Twips::rect(1080, 120, 390, 390));
    QToolButton *icon =
        makeSettingsIcon(titolo_, QStringLiteral("Image7"), Twips::rect(1680, 120, 480, 480));
    connect(icon, &QToolButton::clicked, this,
            [this] { emit elementDialogRequested(ElementMode::Title); });
}

void Layout1::buildBar()
{
    gb0_ = new QGroupBox(this);
    gb0_->setObjectName(QStringLiteral("GB0"));
    gb0_->setGeometry(Twips::rect(120, 8280, 17895, 855));
    label4_[0] =
        ScreenElements::label(gb0_, QStringLiteral("Label4(0)"), QStringLiteral("Data odierna"),
                              Twips::rect(240, 240, 1215, 255));
    label2_ = ScreenElements::label(gb0_, QStringLiteral("Label2"), QStringLiteral("Oggi"),
                                    Twips::rect(240, 480, 3975, 300));
    runningText_ = ScreenElements::label(
        gb0_, QStringLiteral("Label1(1)"),
        QStringLiteral("Totem per la distribuzione dei ticket di coda....munirsi "
                       "del ticket ed attendere la chiamata..."),
        Twips::rect(4590, 360, 8835, 240));
    label4_[1] = ScreenElements::label(gb0_, QStringLiteral("Label4(1)"), QStringLiteral("Orario"),
                                       Twips::rect(15960, 240, 1215, 255));
    label3_ = ScreenElements::label(gb0_, QStringLiteral("Label3"), QStringLiteral("Ora"),
                                    Twips::rect(15960, 480, 1815, 375));
    QFont timeFont = label3_->font();
    timeFont.setPointSizeF(12);
    timeFont.setBold(true);
    label3_->setFont(timeFont);

    makeHandle(QStringLiteral("Image3"), *gb0_, Twips::rect(1800, 240, 390, 390));
    QToolButton *icon =
        makeSettingsIcon(gb0_, QStringLiteral("Image6"), Twips::rect(2400, 240, 480, 480));
    connect(icon, &QToolButton::clicked, this,
            [this] { emit elementDialogRequested(ElementMode::Bar); });
}

void Layout1::buildPanel(int i)
{
    static constexpr int lefts[] = {120, 3720, 7320, 10920, 14520};
    const bool queue = i == PanelCount - 1;
    const QPoint topLeft = queue ? QPoint(4800, 6600) : QPoint(lefts[i % 5], i < 5 ? 120 : 4200);
    panels_[i] = CounterPanel(this, i, queue, topLeft, ScreenElements::indexed("Numero1", i),
                              ScreenElements::indexed("Numero1A", i));
    const CounterPanel &panel = panels_[i];
    // Sample values, so that the boxes' font and colours can be judged.
    if (!queue)
        panel.button->setText(QStringLiteral("Postazione %1").arg(i + 1));
    panel.label6->setText(QStringLiteral("Nome postazione"));
    for (QLineEdit *box : {panel.issued, panel.served})
        box->setFrame(false);
    panel.issued->setText(QStringLiteral("25"));
    panel.served->setText(QStringLiteral("21"));
    // The single queue has no served number; its box exists only to keep the set whole.
    if (queue)
        panel.served->hide();

    makeHandle(ScreenElements::indexed("Image1", i), *panel.frame,
               Twips::rect(3000, 2040, 390, 390));
    QToolButton *icon = makeSettingsIcon(panel.frame, ScreenElements::indexed("Image5", i),
                                         Twips::rect(3000, 2520, 480, 480));
    connect(icon, &QToolButton::clicked, this, &Layout1::buttonDialogRequested);
}

void Layout1::buildToolPanel()
{
    ssPanel1_ = new QFrame(this);
    ssPanel1_->setObjectName(QStringLiteral("SSPanel1"));
    ssPanel1_->setGeometry(Twips::rect(10560, 5040, 2895, 5295));
    ssPanel1_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ssPanel1_->setLineWidth(2);
    // The tool panel keeps the system's look whatever background the screen is given.
    ssPanel1_->setPalette(QApplication::palette(ssPanel1_));
    ssPanel1_->setAutoFillBackground(true);

    groupBox2_ = new QGroupBox(ssPanel1_);
    groupBox2_->setObjectName(QStringLiteral("GroupBox2"));
    groupBox2_->setGeometry(Twips::rect(120, 480, 2655, 4695));

    for (const IconButton &face : iconButtons) {
        auto *button = new QPushButton(groupBox2_);
        button->setGeometry(Twips::rect(face.left, face.top, 1215, 585));
        button->setIcon(toolIcon(face.index));
        button->setIconSize(QSize(Twips::toPixels(420), Twips::toPixels(420)));
        button->setToolTip(QString::fromUtf8(face.toolTip));
        btn_[face.index] = button;
    }
    static constexpr int columns[] = {120, 960, 1800};
    for (int index = 6; index <= 15; ++index) {
        const int cell = index - 6;
        auto *button = new QPushButton(QStringLiteral("P%1").arg(cell + 1), groupBox2_);
        button->setGeometry(Twips::rect(columns[cell % 3], 1560 + 600 * (cell / 3), 735, 585));
        button->setToolTip(QStringLiteral(" Postazione %1").arg(cell + 1));
        btn_[index] = button;
    }
    btn_[16] = new QPushButton(QStringLiteral("Coda Unica"), groupBox2_);
    btn_[16]->setGeometry(Twips::rect(960, 3360, 1575, 585));

    for (int index = 0; index < ToolButtonCount; ++index) {
        QPushButton *button = btn_[index];
        if (!button)
            continue;
        button->setObjectName(ScreenElements::indexed("BTn", index));
        // A dialog's push buttons would otherwise answer the Enter key.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, index] { onToolButton(index); });
    }

    makeHandle(QStringLiteral("Image2"), *ssPanel1_, Twips::rect(0, 0, 2895, 420));
}

DragHandle *Layout1::makeHandle(const QString &name, QWidget &element, const QRect &place)
{
    auto *handle = new DragHandle(element, drag_, &element);
    handle->setObjectName(name);
    handle->setGeometry(place);
    return handle;
}

QToolButton *Layout1::makeSettingsIcon(QWidget *parent, const QString &name, const QRect &place)
{
    auto *icon = new QToolButton(parent);
    icon->setObjectName(name);
    icon->setGeometry(place);
    icon->setIcon(DesignerIcons::settings());
    icon->setIconSize(place.size() - QSize(4, 4));
    icon->setAutoRaise(true);
    icon->setFocusPolicy(Qt::NoFocus);
    return icon;
}

void Layout1::onToolButton(int index)
{
    switch (index) {
    case 0:
        emit backgroundPickerRequested();
        break;
    case 1:
        emit elementDialogRequested(ElementMode::ScreenColour);
        break;
    case 2:
        toggleTitle();
        break;
    case 3:
        toggleBar();
        break;
    case 4:
        save();
        break;
    case 17:
        reject();
        break;
    default:
        togglePanel(index - 6);
        break;
    }
}

bool Layout1::toggle(QWidget &element)
{
    if (element.isHidden()) {
        positions_.place(element, QPointF(0, 0));
        element.show();
        return true;
    }
    positions_.place(element, QPointF(0, HiddenTop));
    element.hide();
    return false;
}

void Layout1::toggleTitle()
{
    toggle(*titolo_);
}

void Layout1::toggleBar()
{
    toggle(*gb0_);
}

void Layout1::togglePanel(int index)
{
    QPushButton *button = btn_.at(index + 6);
    if (toggle(*panels_.at(index).frame))
        setTextColour(button, ColorValue::toColor(255));
    else
        setTextColour(button, QApplication::palette(button).color(QPalette::ButtonText));
}

void Layout1::save()
{
    try {
        ScreenLayoutWriter::write(DesignerLayoutReader::read(*this), state_.archiveFolder);
    } catch (const ArchiveError &error) {
        dialogs_.message(this, Dialogs::Kind::Critical,
                         QStringLiteral("Il layout non è stato memorizzato per intero.\n\n")
                             + error.fullText(),
                         QStringLiteral("ATTENZIONE"));
        return;
    }
    MsgForm::show(dialogs_, this, QStringLiteral("Memorizzazione effettuata !"));
}

std::array<QLabel *, 5> Layout1::barTexts() const
{
    return {label4_[0], label4_[1], label2_, label3_, runningText_};
}

std::array<QLabel *, 4> Layout1::fixedLabels(int index) const
{
    const CounterPanel &panel = panels_.at(index);
    return {panel.label5, panel.label6, panel.label7, panel.label8};
}

QColor Layout1::backgroundColour() const
{
    return palette().color(QPalette::Window);
}

void Layout1::setBackgroundColour(const QColor &colour)
{
    QPalette screen = palette();
    screen.setColor(QPalette::Window, colour);
    setPalette(screen);
    setAutoFillBackground(true);
}

QString Layout1::picturePath() const
{
    return label10_->text();
}

void Layout1::setBackgroundPicture(const QPixmap &picture)
{
    picture_ = picture;
    update();
}

void Layout1::setPicturePath(const QString &path)
{
    label10_->setText(path);
}

void Layout1::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (!picture_.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, picture_);
    }
}
