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

    headingLabel_ = makeLabel(this, QStringLiteral("Label1"),
                              QStringLiteral("Messaggio x te  da VORANTIS 3 (Totem)"));
    QFont heading = headingLabel_->font();
    heading.setBold(true);
    headingLabel_->setFont(heading);

    auto *headingRule = new QFrame(this);
    headingRule->setObjectName(QStringLiteral("Line1"));
    headingRule->setFrameShape(QFrame::HLine);
    headingRule->setFrameShadow(QFrame::Sunken);

    for (int i = 0; i < int(messageLines_.size()); ++i)
        messageLines_[i] = makeLabel(this, QStringLiteral("Label2(%1)").arg(i), unsetCaption());

    const auto makeButton = [this](int index, const QString &caption) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QStringLiteral("PB1(%1)").arg(index));
        button->setMinimumWidth(Twips::toPixels(1400));
        return button;
    };
    closeButton_ = makeButton(0, QStringLiteral("C&hiudi"));
    confirmButton_ = makeButton(1, QStringLiteral("&Conferma"));
    // Nothing is handed back to the caller: the two buttons differ only in their words.
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(confirmButton_, &QPushButton::clicked, this, &QDialog::accept);

    const int margin = Twips::toPixels(240);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    buttons->addSpacing(Twips::toPixels(240));
    buttons->addWidget(confirmButton_);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(headingLabel_);
    layout->addWidget(headingRule);
    layout->addStretch();
    layout->addWidget(messageLines_[0]);
    layout->addWidget(messageLines_[1]);
    layout->addStretch();
    layout->addLayout(buttons);
}

void MsgForm::setLines(const QString &first, const QString &second)
{
    messageLines_[0]->setText(first);
    if (!second.isEmpty())
        messageLines_[1]->setText(second);
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
    for (QLabel *line : messageLines_)
        line->setVisible(line->text() != unsetCaption());
}
