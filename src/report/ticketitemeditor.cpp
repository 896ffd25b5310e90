#include "report/ticketitemeditor.h"

#include "report/ticketproject.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {
QHBoxLayout *row(std::initializer_list<QWidget *> widgets)
{
    auto *layout = new QHBoxLayout;
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    layout->addStretch();
    return layout;
}

// A form's row caption, shown as written.
QLabel *caption(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

Qt::Alignment horizontalPart(Qt::Alignment alignment)
{
    return alignment & Qt::AlignHorizontal_Mask;
}

Qt::Alignment verticalPart(Qt::Alignment alignment)
{
    return alignment & Qt::AlignVertical_Mask;
}
} // namespace

QDoubleSpinBox *TicketItemEditor::millimetreBox(QWidget *parent, const QString &name,
                                                double minimum)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, TicketProject::MaxMillimetres);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    box->setKeyboardTracking(false);
    return box;
}

TicketItemEditor::TicketItemEditor(const QStringList &dataItemNames, QWidget *parent)
    : QGroupBox(QStringLiteral("Elemento selezionato"), parent)
{
    template_ = new QLineEdit(this);
    template_->setObjectName(QStringLiteral("template"));
    template_->setToolTip(QStringLiteral("Testo del ticket; {Nome} è sostituito dal dato Nome"));
    dataItems_ = new QComboBox(this);
    dataItems_->setObjectName(QStringLiteral("dataItems"));
    dataItems_->setPlaceholderText(QStringLiteral("Inserisci un dato…"));
    dataItems_->addItems(dataItemNames);
    dataItems_->setCurrentIndex(-1);
    x_ = millimetreBox(this, QStringLiteral("x"), 0);
    y_ = millimetreBox(this, QStringLiteral("y"), 0);
    width_ = millimetreBox(this, QStringLiteral("width"), 1);
    height_ = millimetreBox(this, QStringLiteral("height"), 1);
    x_->setToolTip(QStringLiteral("Distanza dal bordo sinistro della carta"));
    y_->setToolTip(QStringLiteral("Distanza dal bordo superiore della carta"));
    width_->setToolTip(QStringLiteral("Larghezza del riquadro; il testo va a capo al suo interno"));
    height_->setToolTip(QStringLiteral("Altezza del riquadro"));
    fontFamily_ = new QFontComboBox(this);
    fontFamily_->setObjectName(QStringLiteral("fontFamily"));
    // Long family names would otherwise widen the whole designer.
    fontFamily_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    fontFamily_->setMinimumContentsLength(16);
    fontSize_ = new QDoubleSpinBox(this);
    fontSize_->setObjectName(QStringLiteral("fontSize"));
    fontSize_->setRange(1, 200);
    fontSize_->setDecimals(2);
    fontSize_->setSuffix(QStringLiteral(" pt"));
    fontSize_->setKeyboardTracking(false);
    bold_ = new QCheckBox(QStringLiteral("Grassetto"), this);
    bold_->setObjectName(QStringLiteral("bold"));
    italic_ = new QCheckBox(QStringLiteral("Corsivo"), this);
    italic_->setObjectName(QStringLiteral("italic"));
    alignment_ = new QComboBox(this);
    alignment_->setObjectName(QStringLiteral("alignment"));
    alignment_->addItem(QStringLiteral("A sinistra"), int(Qt::AlignLeft));
    alignment_->addItem(QStringLiteral("Al centro"), int(Qt::AlignHCenter));
    alignment_->addItem(QStringLiteral("A destra"), int(Qt::AlignRight));
    verticalAlignment_ = new QComboBox(this);
    verticalAlignment_->setObjectName(QStringLiteral("verticalAlignment"));
    verticalAlignment_->addItem(QStringLiteral("In alto"), int(Qt::AlignTop));
    verticalAlignment_->addItem(QStringLiteral("Al centro"), int(Qt::AlignVCenter));
    verticalAlignment_->addItem(QStringLiteral("In basso"), int(Qt::AlignBottom));
    frame_ = new QCheckBox(QStringLiteral("Cornice intorno al riquadro"), this);
    frame_->setObjectName(QStringLiteral("frame"));

    auto *form = new QFormLayout(this);
    form->addRow(caption(this, QStringLiteral("Testo:")), template_);
    form->addRow(caption(this, QStringLiteral("Dato:")), dataItems_);
    form->addRow(caption(this, QStringLiteral("Posizione:")), row({x_, y_}));
    form->addRow(caption(this, QStringLiteral("Dimensioni:")), row({width_, height_}));
    form->addRow(caption(this, QStringLiteral("Carattere:")), fontFamily_);
    form->addRow(caption(this, QStringLiteral("Dimensione:")), row({fontSize_, bold_, italic_}));
    form->addRow(caption(this, QStringLiteral("Allineamento:")),
                 row({alignment_, verticalAlignment_}));
    form->addRow(QString(), frame_);

    connectEditors();
}

void TicketItemEditor::connectEditors()
{
    connect(template_, &QLineEdit::textChanged, this,
            [this](const QString &text) { edit([&](TicketItem &item) { item.text = text; }); });
    connect(dataItems_, &QComboBox::currentIndexChanged, this, &TicketItemEditor::insertDataItem);
    connect(x_, &QDoubleSpinBox::valueChanged, this,
            [this](double mm) { edit([&](TicketItem &item) { item.box.moveLeft(mm); }); });
    connect(y_, &QDoubleSpinBox::valueChanged, this,
            [this](double mm) { edit([&](TicketItem &item) { item.box.moveTop(mm); }); });
    connect(width_, &QDoubleSpinBox::valueChanged, this,
            [this](double mm) { edit([&](TicketItem &item) { item.box.setWidth(mm); }); });
    connect(height_, &QDoubleSpinBox::valueChanged, this,
            [this](double mm) { edit([&](TicketItem &item) { item.box.setHeight(mm); }); });
    connect(fontFamily_, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        edit([&](TicketItem &item) { item.fontFamily = font.family(); });
    });
    connect(fontSize_, &QDoubleSpinBox::valueChanged, this,
            [this](double points) { edit([&](TicketItem &item) { item.fontSize = points; }); });
    connect(bold_, &QCheckBox::toggled, this,
            [this](bool on) { edit([&](TicketItem &item) { item.bold = on; }); });
    connect(italic_, &QCheckBox::toggled, this,
            [this](bool on) { edit([&](TicketItem &item) { item.italic = on; }); });
    connect(frame_, &QCheckBox::toggled, this,
            [this](bool on) { edit([&](TicketItem &item) { item.frame = on; }); });
    connect(alignment_, &QComboBox::currentIndexChanged, this, [this] {
        edit([&](TicketItem &item) {
            item.alignment =
                verticalPart(item.alignment) | Qt::Alignment(alignment_->currentData().toInt());
        });
    });
    connect(verticalAlignment_, &QComboBox::currentIndexChanged, this, [this] {
        edit([&](TicketItem &item) {
            item.alignment = horizontalPart(item.alignment)
                             | Qt::Alignment(verticalAlignment_->currentData().toInt());
        });
    });
}

void TicketItemEditor::showItem(const TicketItem &item)
{
    item_ = item;
    showing_ = true;
    template_->setText(item.text);
    x_->setValue(item.box.x());
    y_->setValue(item.box.y());
    width_->setValue(item.box.width());
    height_->setValue(item.box.height());
    fontFamily_->setCurrentFont(QFont(item.fontFamily));
    fontSize_->setValue(item.fontSize);
    bold_->setChecked(item.bold);
    italic_->setChecked(item.italic);
    alignment_->setCurrentIndex(alignment_->findData(int(horizontalPart(item.alignment))));
    verticalAlignment_->setCurrentIndex(
        verticalAlignment_->findData(int(verticalPart(item.alignment))));
    frame_->setChecked(item.frame);
    showing_ = false;
}

void TicketItemEditor::focusTemplate()
{
    template_->setFocus();
    template_->selectAll();
}

void TicketItemEditor::edit(const std::function<void(TicketItem &)> &change)
{
    if (showing_ || !isEnabled())
        return;
    change(item_);
    emit itemChanged(item_);
}

void TicketItemEditor::insertDataItem(int index)
{
    if (index < 0)
        return;
    template_->insert(u'{' + dataItems_->itemText(index) + u'}');
    template_->setFocus();
    // Back to the prompt, so that the same item can be inserted twice in a row.
    const QSignalBlocker blocker(dataItems_);
    dataItems_->setCurrentIndex(-1);
}
