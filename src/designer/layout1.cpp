#include "designer/layout1.h"

#include "archive/archiveerror.h"
#include "core/kioskstate.h"
#include "designer/designericons.h"
#include "designer/designerlayout.h"
#include "designer/designertoolpanel.h"
#include "designer/draghandle.h"
#include "designer/form1.h"
#include "designer/form2.h"
#include "designer/impostasfondo.h"
#include "layout/layoutapplier.h"
#include "layout/screenlayoutwriter.h"
#include "ui/colorvalue.h"
#include "ui/dialogs.h"
#include "ui/formfont.h"
#include "ui/msgform.h"
#include "ui/screenelements.h"
#include "ui/styledbutton.h"
#include "ui/twips.h"
#include "ui/unsavededits.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

QPoint pixels(const QPointF &twips)
{
    return QPoint(Twips::toPixels(twips.x()), Twips::toPixels(twips.y()));
}

} // namespace

Layout1::Layout1(KioskState &state, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), state_(state), dialogs_(dialogs), layout_(DesignerLayout::designTime()),
      saved_(layout_), toolPanelAt_(DesignerToolPanel::Left, DesignerToolPanel::Top)
{
    setObjectName(QStringLiteral("Layout1"));
    setWindowTitle(QStringLiteral("Ijmpostazione Layout Front-End"));
    setFont(FormFont::standard());
    resize(Twips::toPixels(18285), Twips::toPixels(10725));
    // The public screen covers the whole display; its mock-up must too, or elements placed
    // near the bottom or the right would lie out of reach.
    setWindowState(windowState() | Qt::WindowMaximized);

    // Created in this order so that the panels lie over the bar and the title, and the tool
    // panel over everything, wherever they are dragged.
    buildTitle();
    buildBar();
    for (int i = 0; i < PanelCount; ++i)
        buildPanel(i);
    // Label10 shows the picture path the save will write; on a maximized kiosk screen its
    // design place would no longer be out of sight, so it stays hidden.
    picturePathLabel_ = ScreenElements::label(this, QStringLiteral("Label10"), QString(),
                                              Twips::rect(2880, 13000, 8000, 255));
    picturePathLabel_->setTextFormat(Qt::PlainText);
    picturePathLabel_->hide();
    buildToolPanel();
    connectToolButtons();
    connectDialogs();
    render();
}

void Layout1::connectToolButtons()
{
    const auto on = [this](int index, auto slot) {
        connect(toolPanel_->button(index), &QPushButton::clicked, this, slot);
    };
    on(0, &Layout1::backgroundPickerRequested);
    on(1, [this] { emit elementDialogRequested(ElementMode::ScreenColour); });
    on(2, &Layout1::toggleTitle);
    on(3, &Layout1::toggleBar);
    on(4, &Layout1::save);
    for (int i = 0; i < PanelCount; ++i)
        on(i + 6, [this, i] { togglePanel(i); });
    // Closing by command asks nothing: that is what the command is for.
    on(17, &QDialog::reject);
}

void Layout1::connectDialogs()
{
    // The three dialogs edit the layout, modally over the designer, which shows each change.
    connect(this, &Layout1::backgroundPickerRequested, this, [this] {
        ImpostaSfondo picker(dialogs_, layout_.picturePath.value_or(QString()), this);
        connect(&picker, &ImpostaSfondo::backgroundChosen, this,
                [this](const QString &path, const QPixmap &picture) {
                    layout_.picturePath = path;
                    setBackgroundPicture(picture);
                    render();
                });
        dialogs_.exec(picker);
    });
    connect(this, &Layout1::elementDialogRequested, this, [this](ElementMode mode) {
        static constexpr Form1::Mode modes[] = {Form1::Mode::Title, Form1::Mode::Bar,
                                                Form1::Mode::ScreenColour};
        Form1 form(dialogs_, layout_, modes[int(mode)], this);
        connect(&form, &Form1::applied, this, &Layout1::render);
        dialogs_.exec(form);
    });
    connect(this, &Layout1::buttonDialogRequested, this, [this] {
        Form2 form(dialogs_, layout_, this);
        connect(&form, &Form2::applied, this, &Layout1::render);
        dialogs_.exec(form);
    });
}

void Layout1::load(const ScreenLayout &stored)
{
    layout_ = DesignerLayout::completed(stored);
    saved_ = layout_;
    LayoutApplier::apply(layout_, *this);
    showDesignerParts();
}

void Layout1::render()
{
    LayoutApplier::applyElements(layout_, *this);
    showDesignerParts();
}

// What the public screen does not have: the red marks of the shown panels' tool buttons
// and the picture path.
void Layout1::showDesignerParts()
{
    picturePathLabel_->setText(layout_.picturePath.value_or(QString()));
    for (int i = 0; i < PanelCount; ++i) {
        QPushButton *button = toolPanel_->button(i + 6);
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText,
                         layout_.panels[i].visible.value_or(false)
                             ? ColorValue::toColor(255)
                             : QApplication::palette(button).color(QPalette::ButtonText));
        button->setPalette(palette);
    }
}

void Layout1::buildTitle()
{
    titlePanel_ = ScreenElements::label(this, QStringLiteral("Titolo"), QStringLiteral("Titolo"),
                                        Twips::rect(120, 9600, 17895, 675));
    titlePanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    titlePanel_->setLineWidth(2);
    titlePanel_->setAlignment(Qt::AlignCenter);
    // The administrator's text is shown as typed, markup and ampersands included.
    titlePanel_->setTextFormat(Qt::PlainText);
    makeHandle(QStringLiteral("Image4"), *titlePanel_, Twips::rect(1080, 120, 390, 390),
               Movable::Title);
    QToolButton *icon =
        makeSettingsIcon(titlePanel_, QStringLiteral("Image7"), Twips::rect(1680, 120, 480, 480));
    connect(icon, &QToolButton::clicked, this,
            [this] { emit elementDialogRequested(ElementMode::Title); });
}

void Layout1::buildBar()
{
    dateTimeBar_ = new QGroupBox(this);
    dateTimeBar_->setObjectName(QStringLiteral("GB0"));
    dateTimeBar_->setGeometry(Twips::rect(120, 8280, 17895, 855));
    ScreenElements::label(dateTimeBar_, QStringLiteral("Label4(0)"), QStringLiteral("Data odierna"),
                          Twips::rect(240, 240, 1215, 255));
    ScreenElements::label(dateTimeBar_, QStringLiteral("Label2"), QStringLiteral("Oggi"),
                          Twips::rect(240, 480, 3975, 300));
    ScreenElements::label(dateTimeBar_, QStringLiteral("Label1(1)"),
                          QStringLiteral("Totem per la distribuzione dei ticket di coda....munirsi "
                                         "del ticket ed attendere la chiamata..."),
                          Twips::rect(4590, 360, 8835, 240));
    ScreenElements::label(dateTimeBar_, QStringLiteral("Label4(1)"), QStringLiteral("Orario"),
                          Twips::rect(15960, 240, 1215, 255));
    QLabel *time = ScreenElements::label(dateTimeBar_, QStringLiteral("Label3"),
                                         QStringLiteral("Ora"), Twips::rect(15960, 480, 1815, 375));
    QFont timeFont = time->font();
    timeFont.setPointSizeF(12);
    timeFont.setBold(true);
    time->setFont(timeFont);

    makeHandle(QStringLiteral("Image3"), *dateTimeBar_, Twips::rect(1800, 240, 390, 390),
               Movable::Bar);
    QToolButton *icon =
        makeSettingsIcon(dateTimeBar_, QStringLiteral("Image6"), Twips::rect(2400, 240, 480, 480));
    connect(icon, &QToolButton::clicked, this,
            [this] { emit elementDialogRequested(ElementMode::Bar); });
}

void Layout1::buildPanel(int i)
{
    // The place comes with the layout.
    const bool queue = i == Office::SingleQueueIndex;
    counterPanels_[i] =
        CounterPanel(this, i, queue, QPoint(), ScreenElements::indexed("Numero1", i),
                     ScreenElements::indexed("Numero1A", i));
    const CounterPanel &panel = counterPanels_[i];
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
               Twips::rect(3000, 2040, 390, 390), Movable::Panel, i);
    QToolButton *icon = makeSettingsIcon(panel.frame, ScreenElements::indexed("Image5", i),
                                         Twips::rect(3000, 2520, 480, 480));
    connect(icon, &QToolButton::clicked, this, &Layout1::buttonDialogRequested);
}

void Layout1::buildToolPanel()
{
    toolPanel_ = new DesignerToolPanel(this);
    makeHandle(QStringLiteral("Image2"), *toolPanel_, Twips::rect(0, 0, 2895, 420),
               Movable::ToolPanel);
}

void Layout1::makeHandle(const QString &name, QWidget &element, const QRect &area, Movable what,
                         int index)
{
    auto *handle = new DragHandle(&element);
    handle->setObjectName(name);
    handle->setGeometry(area);
    connect(
        handle, &DragHandle::pressed, this,
        [this](Qt::MouseButton button, const QPointF &pointer) { drag_.press(button, pointer); });
    connect(handle, &DragHandle::moved, this, [this, what, index](const QPointF &pointer) {
        if (const std::optional<QPointF> to = drag_.move(position(what, index), pointer))
            place(what, index, *to);
    });
    connect(handle, &DragHandle::released, this, [this, what, index] {
        const QSize outer = frameGeometry().size();
        place(what, index,
              drag_.release(position(what, index), QSizeF(Twips::fromPixels(outer.width()),
                                                          Twips::fromPixels(outer.height()))));
    });
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

QPointF Layout1::position(Movable what, int index) const
{
    const auto at = [](const std::optional<float> &left, const std::optional<float> &top) {
        return QPointF(left.value_or(0), top.value_or(0));
    };
    switch (what) {
    case Movable::Title:
        return at(layout_.title.left, layout_.title.top);
    case Movable::Bar:
        return at(layout_.bar.left, layout_.bar.top);
    case Movable::Panel:
        return at(layout_.panels[index].left, layout_.panels[index].top);
    case Movable::ToolPanel:
        break;
    }
    return toolPanelAt_;
}

void Layout1::place(Movable what, int index, const QPointF &at)
{
    const auto set = [&at](std::optional<float> &left, std::optional<float> &top) {
        left = float(at.x());
        top = float(at.y());
    };
    switch (what) {
    case Movable::Title:
        set(layout_.title.left, layout_.title.top);
        break;
    case Movable::Bar:
        set(layout_.bar.left, layout_.bar.top);
        break;
    case Movable::Panel:
        set(layout_.panels[index].left, layout_.panels[index].top);
        break;
    case Movable::ToolPanel:
        toolPanelAt_ = at;
        break;
    }
    widgetOf(what, index)->move(pixels(at));
}

QWidget *Layout1::widgetOf(Movable what, int index) const
{
    switch (what) {
    case Movable::Title:
        return titlePanel_;
    case Movable::Bar:
        return dateTimeBar_;
    case Movable::Panel:
        return counterPanels_[index].frame;
    case Movable::ToolPanel:
        break;
    }
    return toolPanel_;
}

void Layout1::showOrPark(Movable what, int index, bool shown)
{
    place(what, index, QPointF(0, shown ? 0 : HiddenTop));
    render();
}

void Layout1::toggleTitle()
{
    layout_.title.visible = !layout_.title.visible;
    showOrPark(Movable::Title, 0, layout_.title.visible);
}

void Layout1::toggleBar()
{
    layout_.bar.visible = !layout_.bar.visible.value_or(false);
    showOrPark(Movable::Bar, 0, *layout_.bar.visible);
}

void Layout1::togglePanel(int index)
{
    std::optional<bool> &visible = layout_.panels.at(index).visible;
    visible = !visible.value_or(false);
    showOrPark(Movable::Panel, index, *visible);
}

void Layout1::save()
{
    try {
        ScreenLayoutWriter::write(DesignerLayout::forStorage(layout_), state_.archiveFolder);
    } catch (const ArchiveError &error) {
        dialogs_.alert(this, QStringLiteral("Il layout non è stato memorizzato per intero.\n\n")
                                 + error.fullText());
        return;
    }
    saved_ = layout_;
    MsgForm::show(dialogs_, this, QStringLiteral("Memorizzazione effettuata !"));
}

void Layout1::keyPressEvent(QKeyEvent *event)
{
    // Leaving goes through the editor's own commands or the window's close, which asks.
    if (!UnsavedEdits::swallowEscape(event))
        QDialog::keyPressEvent(event);
}

void Layout1::closeEvent(QCloseEvent *event)
{
    if (hasUnsavedChanges() && !UnsavedEdits::mayClose(dialogs_, this)) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void Layout1::setBackgroundPicture(const QPixmap &picture)
{
    picture_ = picture;
    update();
}

void Layout1::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (!picture_.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, picture_);
    }
}
