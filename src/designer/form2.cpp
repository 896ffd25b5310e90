#include "designer/form2.h"

#include "core/office.h"

#include "designer/dialogfields.h"

#include "ui/colorvalue.h"
#include "ui/dialogs.h"
#include "ui/styledbutton.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <optional>

namespace {

using F = DialogFields;

constexpr int PanelCount = Office::LineCount;
constexpr int SingleQueue = PanelCount - 1;

const QString Attenzione = QStringLiteral("ATTENZIONE");
const QString NothingApplied = QStringLiteral("\nNessuna impostazione è stata applicata.");

} // namespace

Form2::Form2(Dialogs &dialogs, QWidget &designer, QWidget *parent)
    : QDialog(parent), dialogs_(dialogs), designer_(designer)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Impostazioni Elementi"));
    setFixedSize(Twips::toPixels(5925), Twips::toPixels(7275));

    label1_ = new QLabel(QStringLiteral("Pannelli"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    QFont headingFont(QStringLiteral("Palatino Linotype"));
    headingFont.setPointSizeF(14);
    headingFont.setBold(true);
    label1_->setFont(headingFont);
    label1_->setGeometry(Twips::rect(240, 120, 5445, 480));

    box1_ = new QGroupBox(QStringLiteral("Pulsante"), this);
    box1_->setObjectName(QStringLiteral("box1"));
    box1_->setGeometry(Twips::rect(240, 660, 5445, 3960));

    F::makeCaption(box1_, QStringLiteral("Font"), Twips::rect(120, 300, 3000, 255));
    fe1_[0] = F::makeField(box1_, QStringLiteral("FE1(0)"), Twips::rect(120, 540, 3120, 330));
    fe1_[1] = F::makeField(box1_, QStringLiteral("FE1(1)"), Twips::rect(3300, 540, 900, 330));
    pb1_[0] = F::makeButton(box1_, QStringLiteral("PB1(0)"), QStringLiteral("..."),
                            Twips::rect(4260, 540, 450, 330));
    cb1_[0] = new QCheckBox(QStringLiteral("Grassetto"), box1_);
    cb1_[0]->setGeometry(Twips::rect(120, 960, 1800, 285));
    cb1_[1] = new QCheckBox(QStringLiteral("Italico"), box1_);
    cb1_[1]->setGeometry(Twips::rect(2040, 960, 1800, 285));
    for (int i = 0; i < int(cb1_.size()); ++i)
        cb1_[i]->setObjectName(QStringLiteral("CB1(%1)").arg(i));

    F::makeCaption(box1_, QStringLiteral("Colore Testo"), Twips::rect(120, 1380, 2100, 255));
    fe1_[3] = F::makeField(box1_, QStringLiteral("FE1(3)"), Twips::rect(120, 1620, 1680, 330));
    pb1_[2] = F::makeButton(box1_, QStringLiteral("PB1(2)"), QStringLiteral("..."),
                            Twips::rect(1860, 1620, 450, 330));
    F::makeCaption(box1_, QStringLiteral("Stile"), Twips::rect(2640, 1380, 2100, 255));
    comboBox1_ = new QComboBox(box1_);
    comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    comboBox1_->addItems(StyledButton::styleNames());
    comboBox1_->setGeometry(Twips::rect(2640, 1620, 1980, 330));
    label3_ = new QLabel(QStringLiteral("0"), box1_);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setAlignment(Qt::AlignCenter);
    label3_->setGeometry(Twips::rect(4680, 1620, 600, 330));

    btn2_ = new StyledButton(QStringLiteral("Prova Impostazione Pulsante"), box1_);
    btn2_->setObjectName(QStringLiteral("BTn(2)"));
    btn2_->setAutoDefault(false);
    btn2_->setGeometry(Twips::rect(120, 2160, 5205, 1620));

    F::makeCaption(this, QStringLiteral("Colore Testi Fissi"), Twips::rect(240, 4800, 2520, 255));
    fe1_[4] = F::makeField(this, QStringLiteral("FE1(4)"), Twips::rect(240, 5040, 1980, 330));
    pb1_[3] = F::makeButton(this, QStringLiteral("PB1(3)"), QStringLiteral("..."),
                            Twips::rect(2280, 5040, 450, 330));
    F::makeCaption(this, QStringLiteral("Colore Sfondo Pannello"),
                   Twips::rect(3000, 4800, 2685, 255));
    fe1_[2] = F::makeField(this, QStringLiteral("FE1(2)"), Twips::rect(3000, 5040, 1980, 330));
    pb1_[1] = F::makeButton(this, QStringLiteral("PB1(1)"), QStringLiteral("..."),
                            Twips::rect(5040, 5040, 450, 330));
    F::makeCaption(this, QStringLiteral("Testo pulsante coda singola"),
                   Twips::rect(240, 5520, 5445, 255));
    tcs_ = F::makeField(this, QStringLiteral("TCS"), Twips::rect(240, 5760, 5445, 330));

    btn_[0] = F::makeButton(this, QStringLiteral("BTn(0)"), QStringLiteral("&Applica"),
                            Twips::rect(240, 6600, 1500, 450));
    btn_[1] = F::makeButton(this, QStringLiteral("BTn(1)"), QStringLiteral("C&hiudi"),
                            Twips::rect(4185, 6600, 1500, 450));

    for (int i = 0; i < PanelCount; ++i)
        fillFromPanel(i);

    connect(comboBox1_, &QComboBox::currentIndexChanged, this, &Form2::chooseStyle);
    connect(pb1_[0], &QPushButton::clicked, this, &Form2::chooseFont);
    connect(pb1_[1], &QPushButton::clicked, this, [this] { chooseColour(fe1_[2]); });
    connect(pb1_[2], &QPushButton::clicked, this, [this] { chooseColour(fe1_[3]); });
    connect(pb1_[3], &QPushButton::clicked, this, [this] { chooseColour(fe1_[4]); });
    connect(btn_[0], &QPushButton::clicked, this, &Form2::apply);
    connect(btn_[1], &QPushButton::clicked, this, &QDialog::reject);
}

void Form2::fillFromPanel(int i)
{
    // Each panel overwrites what the one before it left, as the dialog has always done: it
    // opens on the single queue's values whichever panel's icon opened it.
    if (auto *button = qobject_cast<StyledButton *>(F::element(designer_, F::indexed("PB1", i)))) {
        const QFont font = button->font();
        fe1_[0]->setText(font.family());
        fe1_[1]->setText(QString::number(F::pointsOf(font)));
        cb1_[1]->setChecked(font.italic());
        cb1_[0]->setChecked(font.bold());
        fe1_[3]->setText(QString::number(F::colourOf(button, QPalette::ButtonText)));
        label3_->setText(QString::number(button->appearance()));

        btn2_->setFont(font);
        btn2_->setAppearance(button->appearance());
        F::setColour(btn2_, QPalette::ButtonText, F::colourOf(button, QPalette::ButtonText));
        // A number without an entry of its own leaves the list where it was.
        if (button->appearance() >= 0 && button->appearance() < comboBox1_->count())
            comboBox1_->setCurrentIndex(button->appearance());
        if (i == SingleQueue)
            tcs_->setText(button->text());
    }
    if (const QWidget *label = F::element(designer_, F::indexed("Label5", i)))
        fe1_[4]->setText(QString::number(F::colourOf(label, QPalette::WindowText)));
    if (const QWidget *panel = F::element(designer_, F::indexed("Postazione1", i)))
        fe1_[2]->setText(QString::number(F::colourOf(panel, QPalette::Window)));
}

void Form2::apply()
{
    // Every field is checked before anything is written, so a refused entry leaves the
    // designer exactly as it was.
    const auto refuse = [this](QLineEdit *field, const QString &text) {
        dialogs_.message(this, Dialogs::Kind::Critical, text + NothingApplied, Attenzione);
        field->setFocus();
        field->selectAll();
    };
    const std::optional<qreal> size = F::pointSize(fe1_[1]);
    if (!size) {
        refuse(fe1_[1], QStringLiteral("La dimensione del font deve essere un numero maggiore "
                                       "di zero, fino a 1638 (ad esempio 8.25)."));
        return;
    }
    std::array<qint32, 3> colours{}; // text, fixed labels, panel background
    const std::array<std::pair<QLineEdit *, QString>, 3> colourFields = {{
        {fe1_[3], QStringLiteral("Colore Testo")},
        {fe1_[4], QStringLiteral("Colore Testi Fissi")},
        {fe1_[2], QStringLiteral("Colore Sfondo Pannello")},
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

    for (int i = 0; i < PanelCount; ++i) {
        if (QWidget *panel = F::element(designer_, F::indexed("Postazione1", i))) {
            F::setColour(panel, QPalette::Window, panelColour);
            panel->setAutoFillBackground(true);
        }
        for (const char *name : {"Label5", "Label6", "Label7", "Label8"})
            F::setColour(F::element(designer_, F::indexed(name, i)), QPalette::WindowText,
                         fixedColour);

        auto *button = qobject_cast<StyledButton *>(F::element(designer_, F::indexed("PB1", i)));
        if (!button)
            continue;
        QFont font = button->font();
        font.setFamily(fe1_[0]->text());
        font.setPointSizeF(*size);
        font.setItalic(cb1_[1]->isChecked());
        font.setBold(cb1_[0]->isChecked());
        button->setFont(font);
        F::setColour(button, QPalette::ButtonText, textColour);
        button->setAppearance(styleNumber());
        if (i == SingleQueue)
            button->setText(tcs_->text());
    }
}

void Form2::chooseFont()
{
    QFont font;
    if (!F::chooseFont(dialogs_, this, fe1_[0], fe1_[1], cb1_[0], cb1_[1], &font))
        return;

    // The sample gains bold or italic from a choice but never loses them to one, as it
    // always has; "&Applica" follows the check boxes all the same.
    QFont sample = btn2_->font();
    sample.setFamily(font.family());
    sample.setPointSizeF(F::pointsOf(font));
    if (font.bold())
        sample.setBold(true);
    if (font.italic())
        sample.setItalic(true);
    btn2_->setFont(sample);
}

void Form2::chooseColour(QLineEdit *field)
{
    if (!F::chooseColour(dialogs_, this, field))
        return;
    if (field == fe1_[3])
        F::setColour(btn2_, QPalette::ButtonText, *F::colourValue(field));
}

void Form2::chooseStyle(int style)
{
    btn2_->setAppearance(style);
    label3_->setText(QString::number(style));
}

int Form2::styleNumber() const
{
    return label3_->text().toInt();
}
