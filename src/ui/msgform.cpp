#include "ui/msgform.h"

#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel *makeLabel(QWidget *parent, const QString &name, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}
} // namespace

MsgForm::MsgForm(QWidget *parent) : QDialog(parent)
{
    background_.load(QStringLiteral(":/images/msgform.png"));
    setObjectName(QStringLiteral("MsgForm"));
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(background_.deviceIndependentSize().toSize());

    label1_ = makeLabel(this, QStringLiteral("Label1"),
                        QStringLiteral("Messaggio x te  da VORANTIS 3 (Totem)"));
    QFont heading = label1_->font();
    heading.setBold(true);
    label1_->setFont(heading);

    auto *line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);

    for (int i = 0; i < int(label2_.size()); ++i)
        label2_[i] = makeLabel(this, QStringLiteral("Label2(%1)").arg(i), unsetCaption());

    const std::array<QString, 2> captions = {QStringLiteral("C&hiudi"),
                                             QStringLiteral("&Conferma")};
    for (int i = 0; i < int(pb1_.size()); ++i) {
        pb1_[i] = new QPushButton(captions[i], this);
        pb1_[i]->setObjectName(QStringLiteral("PB1(%1)").arg(i));
        pb1_[i]->setMinimumWidth(Twips::toPixels(1400));
    }
    // Nothing is handed back to the caller: the two buttons differ only in their words.
    connect(pb1_[0], &QPushButton::clicked, this, &QDialog::reject);
    connect(pb1_[1], &QPushButton::clicked, this, &QDialog::accept);

    const int margin = Twips::toPixels(240);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pb1_[0]);
    buttons->addSpacing(Twips::toPixels(240));
    buttons->addWidget(pb1_[1]);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(label1_);
    layout->addWidget(line1);
    layout->addStretch();
    layout->addWidget(label2_[0]);
    layout->addWidget(label2_[1]);
    layout->addStretch();
    layout->addLayout(buttons);
}

void MsgForm::setLines(const QString &first, const QString &second)
{
    label2_[0]->setText(first);
    if (!second.isEmpty())
        label2_[1]->setText(second);
}

void MsgForm::show(Dialogs &dialogs, QWidget *parent, const QString &first, const QString &second)
{
    MsgForm form(parent);
    form.setLines(first, second);
    dialogs.exec(form);
}

bool MsgForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        hideUnsetLines();
    return QDialog::event(event);
}

void MsgForm::showEvent(QShowEvent *event)
{
    hideUnsetLines();
    QDialog::showEvent(event);
}

void MsgForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

void MsgForm::hideUnsetLines()
{
    // Lines set since the last activation come back, so a form used twice shows them.
    for (QLabel *line : label2_)
        line->setVisible(line->text() != unsetCaption());
}
