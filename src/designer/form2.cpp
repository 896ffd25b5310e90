#include "designer/form2.h"

#include "core/office.h"
#include "designer/dialogfields.h"
#include "ui/colorvalue.h"
#include "ui/dialogs.h"
#include "ui/formfont.h"
#include "ui/styledbutton.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace {

using F = DialogFields;

const QString NothingApplied = QStringLiteral("\nNessuna impostazione è stata applicata.");

QString number(const std::optional<qint32> &value)
{
    return value ? QString::number(*value) : QString();
}

} // namespace

Form2::Form2(Dialogs &dialogs, ScreenLayout &layout, QWidget *parent)
    : QDialog(parent), dialogs_(dialogs), layout_(layout)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Impostazioni Elementi"));
    setFixedSize(Twips::toPixels(5925), Twips::toPixels(7275));

    auto *heading = new QLabel(QStringLiteral("Pannelli"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setFont(FormFont::heading());
    heading->setGeometry(Twips::rect(240, 120, 5445, 480));

    auto *box = new QGroupBox(QStringLiteral("Pulsante"), this);
    box->setObjectName(QStringLiteral("box1"));
    box->setGeometry(Twips::rect(240, 660, 5445, 3960));

    F::makeCaption(box, QStringLiteral("Font"), Twips::rect(120, 300, 3000, 255));
    fontName_ = F::makeField(box, QStringLiteral("FE1(0)"), Twips::rect(120, 540, 3120, 330));
    fontSize_ = F::makeField(box, QStringLiteral("FE1(1)"), Twips::rect(3300, 540, 900, 330));
    QPushButton *fontChooser = F::makeButton(box, QStringLiteral("PB1(0)"), QStringLiteral("..."),
                                             Twips::rect(4260, 540, 450, 330));
    bold_ = new QCheckBox(QStringLiteral("Grassetto"), box);
    bold_->setObjectName(QStringLiteral("CB1(0)"));
    bold_->setGeometry(Twips::rect(120, 960, 1800, 285));
    italic_ = new QCheckBox(QStringLiteral("Italico"), box);
    italic_->setObjectName(QStringLiteral("CB1(1)"));
    italic_->setGeometry(Twips::rect(2040, 960, 1800, 285));

    F::makeCaption(box, QStringLiteral("Colore Testo"), Twips::rect(120, 1380, 2100, 255));
    textColour_ = F::makeField(box, QStringLiteral("FE1(3)"), Twips::rect(120, 1620, 1680, 330));
    QPushButton *textColourChooser = F::makeButton(
        box, QStringLiteral("PB1(2)"), QStringLiteral("..."), Twips::rect(1860, 1620, 450, 330));
    F::makeCaption(box, QStringLiteral("Stile"), Twips::rect(2640, 1380, 2100, 255));
    styleList_ = new QComboBox(box);
    styleList_->setObjectName(QStringLiteral("ComboBox1"));
    styleList_->addItems(StyledButton::styleNames());
    styleList_->setGeometry(Twips::rect(2640, 1620, 1980, 330));
    styleNumber_ = new QLabel(QStringLiteral("0"), box);
    styleNumber_->setObjectName(QStringLiteral("Label3"));
    styleNumber_->setAlignment(Qt::AlignCenter);
    styleNumber_->setGeometry(Twips::rect(4680, 1620, 600, 330));

    sample_ = new StyledButton(QStringLiteral("Prova Impostazione Pulsante"), box);
    sample_->setObjectName(QStringLiteral("BTn(2)"));
    sample_->setAutoDefault(false);
    sample_->setGeometry(Twips::rect(120, 2160, 5205, 1620));

    F::makeCaption(this, QStringLiteral("Colore Testi Fissi"), Twips::rect(240, 4800, 2520, 255));
    fixedTextColour_ =
        F::makeField(this, QStringLiteral("FE1(4)"), Twips::rect(240, 5040, 1980, 330));
    QPushButton *fixedTextColourChooser = F::makeButton(
        this, QStringLiteral("PB1(3)"), QStringLiteral("..."), Twips::rect(2280, 5040, 450, 330));
    F::makeCaption(this, QStringLiteral("Colore Sfondo Pannello"),
                   Twips::rect(3000, 4800, 2685, 255));
    panelColour_ = F::makeField(this, QStringLiteral("FE1(2)"), Twips::rect(3000, 5040, 1980, 330));
    QPushButton *panelColourChooser = F::makeButton(
        this, QStringLiteral("PB1(1)"), QStringLiteral("..."), Twips::rect(5040, 5040, 450, 330));
    F::makeCaption(this, QStringLiteral("Testo pulsante coda singola"),
                   Twips::rect(240, 5520, 5445, 255));
    queueCaption_ = F::makeField(this, QStringLiteral("TCS"), Twips::rect(240, 5760, 5445, 330));

    QPushButton *apply = F::makeButton(this, QStringLiteral("BTn(0)"), QStringLiteral("&Applica"),
                                       Twips::rect(240, 6600, 1500, 450));
    QPushButton *close = F::makeButton(this, QStringLiteral("BTn(1)"), QStringLiteral("C&hiudi"),
                                       Twips::rect(4185, 6600, 1500, 450));

    fill();

    connect(styleList_, &QComboBox::currentIndexChanged, this, &Form2::chooseStyle);
    connect(fontChooser, &QPushButton::clicked, this, &Form2::chooseFont);
    connect(panelColourChooser, &QPushButton::clicked, this,
            [this] { chooseColour(panelColour_); });
    connect(textColourChooser, &QPushButton::clicked, this, [this] { chooseColour(textColour_); });
    connect(fixedTextColourChooser, &QPushButton::clicked, this,
            [this] { chooseColour(fixedTextColour_); });
    connect(apply, &QPushButton::clicked, this, &Form2::apply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Form2::fill()
{
    // The dialog has always opened on the single queue's values, whichever panel's icon
    // opened it: it read every panel in turn, each overwriting the one before.
    const ScreenLayout::Panel &panel = layout_.panels[Office::SingleQueueIndex];
    fontName_->setText(panel.fontName.value_or(QString()));
    fontSize_->setText(panel.fontSize ? QString::number(*panel.fontSize) : QString());
    italic_->setChecked(panel.italic);
    bold_->setChecked(panel.bold);
    textColour_->setText(number(panel.textColor));
    style_ = panel.appearance.value_or(0);
    styleNumber_->setText(QString::number(style_));

    QFont font = sample_->font();
    if (panel.fontName)
        font.setFamily(*panel.fontName);
    if (panel.fontSize)
        font.setPointSizeF(*panel.fontSize);
    font.setBold(panel.bold);
    font.setItalic(panel.italic);
    sample_->setFont(font);
    sample_->setAppearance(style_);
    if (panel.textColor)
        F::setColour(sample_, QPalette::ButtonText, *panel.textColor);
    // A number without an entry of its own leaves the list where it was.
    if (style_ >= 0 && style_ < styleList_->count())
        styleList_->setCurrentIndex(style_);
    queueCaption_->setText(panel.buttonText.value_or(QString()));
    fixedTextColour_->setText(number(panel.fixedTextColor));
    panelColour_->setText(number(panel.panelColor));
}

void Form2::apply()
{
    // Every field is checked before anything is written, so a refused entry leaves the
    // layout exactly as it was.
    const auto refuse = [this](QLineEdit *field, const QString &text) {
        dialogs_.alert(this, text + NothingApplied);
        field->setFocus();
        field->selectAll();
    };
    const std::optional<qreal> size = F::pointSize(fontSize_);
    if (!size) {
        refuse(fontSize_, QStringLiteral("La dimensione del font deve essere un numero maggiore "
                                         "di zero, fino a 1638 (ad esempio 8.25)."));
        return;
    }
    std::array<qint32, 3> colours{}; // text, fixed labels, panel background
    const std::array<std::pair<QLineEdit *, QString>, 3> colourFields = {{
        {textColour_, QStringLiteral("Colore Testo")},
        {fixedTextColour_, QStringLiteral("Colore Testi Fissi")},
        {panelColour_, QStringLiteral("Colore Sfondo Pannello")},
    }};
    for (int c = 0; c < int(colourFields.size()); ++c) {
        const auto &[field, caption] = colourFields[c];
        const std::optional<qint32> value = F::colourValue(field);
        if (!value) {
            refuse(field, QStringLiteral("\"%1\" deve essere un numero intero da 0 a 16777215.")
                              .arg(caption));
            return;
        }
        colours[c] = *value;
    }
    const auto [textColour, fixedColour, panelColour] = colours;

    for (ScreenLayout::Panel &panel : layout_.panels) {
        panel.panelColor = panelColour;
        panel.fixedTextColor = fixedColour;
        panel.fontName = fontName_->text();
        panel.fontSize = float(*size);
        panel.italic = italic_->isChecked();
        panel.bold = bold_->isChecked();
        panel.textColor = textColour;
        panel.appearance = style_;
    }
    layout_.panels[Office::SingleQueueIndex].buttonText = queueCaption_->text();
    emit applied();
}

void Form2::chooseFont()
{
    QFont font;
    if (!F::chooseFont(dialogs_, this, fontName_, fontSize_, bold_, italic_, &font))
        return;

    // The sample gains bold or italic from a choice but never loses them to one, as it
    // always has; "&Applica" follows the check boxes all the same.
    QFont sample = sample_->font();
    sample.setFamily(font.family());
    sample.setPointSizeF(F::pointsOf(font));
    if (font.bold())
        sample.setBold(true);
    if (font.italic())
        sample.setItalic(true);
    sample_->setFont(sample);
}

void Form2::chooseColour(QLineEdit *field)
{
    if (!F::chooseColour(dialogs_, this, field))
        return;
    if (field == textColour_)
        F::setColour(sample_, QPalette::ButtonText, *F::colourValue(field));
}

void Form2::chooseStyle(int style)
{
    style_ = style;
    sample_->setAppearance(style);
    styleNumber_->setText(QString::number(style));
}
