#include "designer/form1.h"

#include "designer/dialogfields.h"
#include "ui/dialogs.h"
#include "ui/formfont.h"
#include "ui/twips.h"

#include <QCheckBox>
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

Form1::Form1(Dialogs &dialogs, ScreenLayout &layout, Mode mode, QWidget *parent)
    : QDialog(parent), dialogs_(dialogs), layout_(layout), mode_(mode)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Impostazione Elementi"));
    setFixedSize(Twips::toPixels(5385), Twips::toPixels(5175));

    heading_ = new QLabel(heading(mode), this);
    heading_->setObjectName(QStringLiteral("Label1"));
    heading_->setFont(FormFont::heading());
    heading_->setGeometry(Twips::rect(240, 120, 4905, 480));

    F::makeCaption(this, QStringLiteral("Font"), Twips::rect(240, 720, 3000, 255));
    fontName_ = F::makeField(this, QStringLiteral("FE1(0)"), Twips::rect(240, 960, 3000, 330));
    fontSize_ = F::makeField(this, QStringLiteral("FE1(1)"), Twips::rect(3300, 960, 900, 330));
    fontChooser_ = F::makeButton(this, QStringLiteral("PB1(0)"), QStringLiteral("..."),
                                 Twips::rect(4260, 960, 450, 330));
    bold_ = new QCheckBox(QStringLiteral("Grassetto"), this);
    bold_->setObjectName(QStringLiteral("CB1(0)"));
    bold_->setGeometry(Twips::rect(240, 1410, 1800, 285));
    italic_ = new QCheckBox(QStringLiteral("Italico"), this);
    italic_->setObjectName(QStringLiteral("CB1(1)"));
    italic_->setGeometry(Twips::rect(2160, 1410, 1800, 285));

    F::makeCaption(this, QStringLiteral("Colore Testo"), Twips::rect(240, 1860, 2160, 255));
    textColour_ = F::makeField(this, QStringLiteral("FE1(3)"), Twips::rect(240, 2100, 1680, 330));
    textColourChooser_ = F::makeButton(this, QStringLiteral("PB1(2)"), QStringLiteral("..."),
                                       Twips::rect(1980, 2100, 450, 330));
    F::makeCaption(this, QStringLiteral("Colore Sfondo"), Twips::rect(2760, 1860, 2160, 255));
    backColour_ = F::makeField(this, QStringLiteral("FE1(4)"), Twips::rect(2760, 2100, 1680, 330));
    backColourChooser_ = F::makeButton(this, QStringLiteral("PB1(3)"), QStringLiteral("..."),
                                       Twips::rect(4500, 2100, 450, 330));

    F::makeCaption(this, QStringLiteral("Testo Titolo"), Twips::rect(240, 2640, 4905, 255));
    titleText_ = F::makeField(this, QStringLiteral("FE1(2)"), Twips::rect(240, 2880, 4905, 525));
    QFont titleFont = titleText_->font();
    titleFont.setPointSizeF(12);
    titleText_->setFont(titleFont);

    QPushButton *apply = F::makeButton(this, QStringLiteral("BTn(0)"), QStringLiteral("&Applica"),
                                       Twips::rect(240, 4440, 1500, 450));
    QPushButton *close = F::makeButton(this, QStringLiteral("BTn(1)"), QStringLiteral("C&hiudi"),
                                       Twips::rect(3645, 4440, 1500, 450));

    fill();

    connect(fontChooser_, &QPushButton::clicked, this, &Form1::chooseFont);
    connect(textColourChooser_, &QPushButton::clicked, this, [this] { chooseColour(textColour_); });
    connect(backColourChooser_, &QPushButton::clicked, this, [this] { chooseColour(backColour_); });
    connect(apply, &QPushButton::clicked, this, &Form1::apply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QString Form1::heading(Mode mode)
{
    switch (mode) {
    case Mode::Title:
        return QStringLiteral("Titolo");
    case Mode::Bar:
        return QStringLiteral("Barra");
    case Mode::ScreenColour:
        return QStringLiteral("Colore Sfondo Schermata");
    }
    return QString();
}

void Form1::fill()
{
    switch (mode_) {
    case Mode::Title: {
        const ScreenLayout::Title &title = layout_.title;
        fontName_->setText(title.fontName.value_or(QString()));
        fontSize_->setText(title.fontSize ? QString::number(*title.fontSize) : QString());
        italic_->setChecked(title.italic);
        bold_->setChecked(title.bold);
        textColour_->setText(number(title.textColor));
        backColour_->setText(number(title.backColor));
        titleText_->setText(title.text.value_or(QString()));
        break;
    }
    case Mode::Bar:
        textColour_->setText(number(layout_.bar.fixedTextColor));
        backColour_->setText(number(layout_.bar.backColor));
        titleText_->setEnabled(false);
        fontChooser_->setEnabled(false);
        break;
    case Mode::ScreenColour:
        backColour_->setText(number(layout_.backColor));
        titleText_->setEnabled(false);
        fontChooser_->setEnabled(false);
        textColourChooser_->setEnabled(false);
        break;
    }
}

void Form1::apply()
{
    // Every field is checked before anything is written, so a refused entry leaves the
    // layout exactly as it was.
    const auto refuse = [this](QLineEdit *field, const QString &text) {
        dialogs_.alert(this, text + NothingApplied);
        field->setFocus();
        field->selectAll();
    };
    const auto colour = [&](QLineEdit *field, const QString &caption) {
        const std::optional<qint32> value = F::colourValue(field);
        if (!value)
            refuse(field, QStringLiteral("\"%1\" deve essere un numero intero da 0 a 16777215.")
                              .arg(caption));
        return value;
    };

    switch (mode_) {
    case Mode::Title: {
        const std::optional<qreal> size = F::pointSize(fontSize_);
        if (!size) {
            refuse(fontSize_, QStringLiteral("La dimensione del font deve essere un numero "
                                             "maggiore di zero, fino a 1638 (ad esempio 8.25)."));
            return;
        }
        const std::optional<qint32> text = colour(textColour_, QStringLiteral("Colore Testo"));
        if (!text)
            return;
        const std::optional<qint32> back = colour(backColour_, QStringLiteral("Colore Sfondo"));
        if (!back)
            return;
        ScreenLayout::Title &title = layout_.title;
        title.fontName = fontName_->text();
        title.fontSize = float(*size);
        title.italic = italic_->isChecked();
        title.bold = bold_->isChecked();
        title.textColor = *text;
        title.backColor = *back;
        title.text = titleText_->text();
        break;
    }
    case Mode::Bar: {
        const std::optional<qint32> text = colour(textColour_, QStringLiteral("Colore Testo"));
        if (!text)
            return;
        const std::optional<qint32> back = colour(backColour_, QStringLiteral("Colore Sfondo"));
        if (!back)
            return;
        layout_.bar.fixedTextColor = *text;
        layout_.bar.backColor = *back;
        break;
    }
    case Mode::ScreenColour: {
        if (backColour_->text().trimmed().isEmpty())
            return;
        const std::optional<qint32> back = colour(backColour_, QStringLiteral("Colore Sfondo"));
        if (!back)
            return;
        layout_.backColor = *back;
        break;
    }
    }
    emit applied();
}

void Form1::chooseFont()
{
    F::chooseFont(dialogs_, this, fontName_, fontSize_, bold_, italic_);
}

void Form1::chooseColour(QLineEdit *field)
{
    F::chooseColour(dialogs_, this, field);
}
