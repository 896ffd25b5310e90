#include "designer/form1.h"

#include "designer/dialogfields.h"

#include "ui/colorvalue.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <optional>

namespace {

using F = DialogFields;

const QString Attenzione = QStringLiteral("ATTENZIONE");
const QString NothingApplied = QStringLiteral("\nNessuna impostazione è stata applicata.");

} // namespace

Form1::Form1(Dialogs &dialogs, QWidget &designer, Mode mode, QWidget *parent)
    : QDialog(parent), dialogs_(dialogs), designer_(designer), mode_(mode)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Impostazione Elementi"));
    setFixedSize(Twips::toPixels(5385), Twips::toPixels(5175));

    label1_ = new QLabel(heading(mode), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    QFont headingFont(QStringLiteral("Palatino Linotype"));
    headingFont.setPointSizeF(14);
    headingFont.setBold(true);
    label1_->setFont(headingFont);
    label1_->setGeometry(Twips::rect(240, 120, 4905, 480));

    F::makeCaption(this, QStringLiteral("Font"), Twips::rect(240, 720, 3000, 255));
    fe1_[0] = F::makeField(this, F::indexed("FE1", 0), Twips::rect(240, 960, 3000, 330));
    fe1_[1] = F::makeField(this, F::indexed("FE1", 1), Twips::rect(3300, 960, 900, 330));
    pb1_[0] = F::makeButton(this, QStringLiteral("PB1(0)"), QStringLiteral("..."),
                            Twips::rect(4260, 960, 450, 330));
    cb1_[0] = new QCheckBox(QStringLiteral("Grassetto"), this);
    cb1_[0]->setGeometry(Twips::rect(240, 1410, 1800, 285));
    cb1_[1] = new QCheckBox(QStringLiteral("Italico"), this);
    cb1_[1]->setGeometry(Twips::rect(2160, 1410, 1800, 285));
    for (int i = 0; i < int(cb1_.size()); ++i)
        cb1_[i]->setObjectName(QStringLiteral("CB1(%1)").arg(i));

    F::makeCaption(this, QStringLiteral("Colore Testo"), Twips::rect(240, 1860, 2160, 255));
    fe1_[3] = F::makeField(this, F::indexed("FE1", 3), Twips::rect(240, 2100, 1680, 330));
    pb1_[2] = F::makeButton(this, QStringLiteral("PB1(2)"), QStringLiteral("..."),
                            Twips::rect(1980, 2100, 450, 330));
    F::makeCaption(this, QStringLiteral("Colore Sfondo"), Twips::rect(2760, 1860, 2160, 255));
    fe1_[4] = F::makeField(this, F::indexed("FE1", 4), Twips::rect(2760, 2100, 1680, 330));
    pb1_[3] = F::makeButton(this, QStringLiteral("PB1(3)"), QStringLiteral("..."),
                            Twips::rect(4500, 2100, 450, 330));

    F::makeCaption(this, QStringLiteral("Testo Titolo"), Twips::rect(240, 2640, 4905, 255));
    fe1_[2] = F::makeField(this, F::indexed("FE1", 2), Twips::rect(240, 2880, 4905, 525));
    QFont titleFont = fe1_[2]->font();
    titleFont.setPointSizeF(12);
    fe1_[2]->setFont(titleFont);

    btn_[0] = F::makeButton(this, QStringLiteral("BTn(0)"), QStringLiteral("&Applica"),
                            Twips::rect(240, 4440, 1500, 450));
    btn_[1] = F::makeButton(this, QStringLiteral("BTn(1)"), QStringLiteral("C&hiudi"),
                            Twips::rect(3645, 4440, 1500, 450));

    fill();

    connect(pb1_[0], &QPushButton::clicked, this, &Form1::chooseFont);
    connect(pb1_[2], &QPushButton::clicked, this, [this] { chooseColour(fe1_[3]); });
    connect(pb1_[3], &QPushButton::clicked, this, [this] { chooseColour(fe1_[4]); });
    connect(btn_[0], &QPushButton::clicked, this, &Form1::apply);
    connect(btn_[1], &QPushButton::clicked, this, &QDialog::reject);
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
    case Mode::Title:
        if (const QWidget *title = F::element(designer_, QStringLiteral("Titolo"))) {
            const QFont font = title->font();
            fe1_[0]->setText(font.family());
            fe1_[1]->setText(QString::number(F::pointsOf(font)));
            cb1_[1]->setChecked(font.italic());
            cb1_[0]->setChecked(font.bold());
            fe1_[3]->setText(QString::number(F::colourOf(title, QPalette::WindowText)));
            fe1_[4]->setText(QString::number(F::colourOf(title, QPalette::Window)));
            fe1_[2]->setText(title->property("text").toString());
        }
        break;
    case Mode::Bar:
        fe1_[3]->setText(QString::number(
            F::colourOf(F::element(designer_, QStringLiteral("Label4(0)")), QPalette::WindowText)));
        fe1_[4]->setText(QString::number(
            F::colourOf(F::element(designer_, QStringLiteral("GB0")), QPalette::Window)));
        fe1_[2]->setEnabled(false);
        pb1_[0]->setEnabled(false);
        break;
    case Mode::ScreenColour:
        fe1_[4]->setText(QString::number(F::colourOf(&designer_, QPalette::Window)));
        fe1_[2]->setEnabled(false);
        pb1_[0]->setEnabled(false);
        pb1_[2]->setEnabled(false);
        break;
    }
}

void Form1::apply()
{
    // Every field is checked before anything is written, so a refused entry leaves the
    // designer exactly as it was.
    const auto refuse = [this](QLineEdit *field, const QString &text) {
        dialogs_.message(this, Dialogs::Kind::Critical, text + NothingApplied, Attenzione);
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
        const std::optional<qreal> size = F::pointSize(fe1_[1]);
        if (!size) {
            refuse(fe1_[1], QStringLiteral("La dimensione del font deve essere un numero "
                                           "maggiore di zero, fino a 1638 (ad esempio 8.25)."));
            return;
        }
        const std::optional<qint32> text = colour(fe1_[3], QStringLiteral("Colore Testo"));
        if (!text)
            return;
        const std::optional<qint32> back = colour(fe1_[4], QStringLiteral("Colore Sfondo"));
        if (!back)
            return;
        QWidget *title = F::element(designer_, QStringLiteral("Titolo"));
        if (!title)
            return;
        QFont font = title->font();
        font.setFamily(fe1_[0]->text());
        font.setPointSizeF(*size);
        font.setItalic(cb1_[1]->isChecked());
        font.setBold(cb1_[0]->isChecked());
        title->setFont(font);
        F::setColour(title, QPalette::WindowText, *text);
        F::setBackground(title, *back);
        title->setProperty("text", fe1_[2]->text());
        break;
    }
    case Mode::Bar: {
        const std::optional<qint32> text = colour(fe1_[3], QStringLiteral("Colore Testo"));
        if (!text)
            return;
        const std::optional<qint32> back = colour(fe1_[4], QStringLiteral("Colore Sfondo"));
        if (!back)
            return;
        for (const QString &name :
             {QStringLiteral("Label4(0)"), QStringLiteral("Label4(1)"), QStringLiteral("Label2"),
              QStringLiteral("Label1(1)"), QStringLiteral("Label3")})
            F::setColour(F::element(designer_, name), QPalette::WindowText, *text);
        F::setBackground(F::element(designer_, QStringLiteral("GB0")), *back);
        break;
    }
    case Mode::ScreenColour: {
        if (fe1_[4]->text().trimmed().isEmpty())
            return;
        const std::optional<qint32> back = colour(fe1_[4], QStringLiteral("Colore Sfondo"));
        if (back)
            F::setBackground(&designer_, *back);
        break;
    }
    }
}

void Form1::chooseFont()
{
    F::chooseFont(dialogs_, this, fe1_[0], fe1_[1], cb1_[0], cb1_[1]);
}

void Form1::chooseColour(QLineEdit *field)
{
    F::chooseColour(dialogs_, this, field);
}
