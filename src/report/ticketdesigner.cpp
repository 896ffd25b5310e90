#include "report/ticketdesigner.h"

#include "report/reporterror.h"
#include "report/ticketrenderer.h"
#include "ui/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
// A little larger than life on a 96 dpi screen, so that 8 pt text stays readable.
constexpr qreal PreviewDotsPerMm = 5;
// Marks the printer list's last entry, which asks for a folder instead of naming a printer.
constexpr int ChooseFolderRole = Qt::UserRole + 1;

QDoubleSpinBox *millimetreBox(QWidget *parent, const QString &name, double minimum)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, 1000);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    box->setKeyboardTracking(false);
    return box;
}

QHBoxLayout *row(std::initializer_list<QWidget *> widgets)
{
    auto *layout = new QHBoxLayout;
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    layout->addStretch();
    return layout;
}

QString listText(const TicketItem &item)
{
    return item.text.isEmpty() ? QStringLiteral("(vuoto)") : item.text;
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

TicketDesigner::TicketDesigner(Dialogs &dialogs, const QString &projectPath, TicketProject project,
                               QList<DataItem> sampleItems, QWidget *parent)
    : QDialog(parent), dialogs_(dialogs), projectPath_(projectPath), project_(std::move(project)),
      sample_(std::move(sampleItems))
{
    setObjectName(QStringLiteral("TicketDesigner"));

    // The items, in drawing order.
    items_ = new QListWidget(this);
    items_->setObjectName(QStringLiteral("items"));
    add_ = new QPushButton(QStringLiteral("Aggiungi"), this);
    add_->setObjectName(QStringLiteral("add"));
    remove_ = new QPushButton(QStringLiteral("Rimuovi"), this);
    remove_->setObjectName(QStringLiteral("remove"));
    up_ = new QPushButton(QStringLiteral("Su"), this);
    up_->setObjectName(QStringLiteral("moveUp"));
    down_ = new QPushButton(QStringLiteral("Giù"), this);
    down_->setObjectName(QStringLiteral("moveDown"));
    auto *listButtons = new QGridLayout;
    listButtons->addWidget(add_, 0, 0);
    listButtons->addWidget(remove_, 0, 1);
    listButtons->addWidget(up_, 1, 0);
    listButtons->addWidget(down_, 1, 1);
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(QStringLiteral("Elementi del ticket:"), this));
    listColumn->addWidget(items_, 1);
    listColumn->addLayout(listButtons);

    // The selected item.
    itemEditors_ = new QGroupBox(QStringLiteral("Elemento selezionato"), this);
    template_ = new QLineEdit(itemEditors_);
    template_->setObjectName(QStringLiteral("template"));
    template_->setToolTip(QStringLiteral("Testo del ticket; {Nome} è sostituito dal dato Nome"));
    dataItems_ = new QComboBox(itemEditors_);
    dataItems_->setObjectName(QStringLiteral("dataItems"));
    dataItems_->setPlaceholderText(QStringLiteral("Inserisci un dato…"));
    QStringList names;
    for (const DataItem &item : std::as_const(sample_))
        names << item.name;
    // Names the project uses but the caller did not declare stay insertable.
    for (const QString &name : project_.referencedItems()) {
        if (!names.contains(name, Qt::CaseInsensitive))
            names << name;
    }
    dataItems_->addItems(names);
    dataItems_->setCurrentIndex(-1);
    x_ = millimetreBox(itemEditors_, QStringLiteral("x"), 0);
    y_ = millimetreBox(itemEditors_, QStringLiteral("y"), 0);
    width_ = millimetreBox(itemEditors_, QStringLiteral("width"), 1);
    height_ = millimetreBox(itemEditors_, QStringLiteral("height"), 1);
    x_->setToolTip(QStringLiteral("Distanza dal bordo sinistro della carta"));
    y_->setToolTip(QStringLiteral("Distanza dal bordo superiore della carta"));
    width_->setToolTip(QStringLiteral("Larghezza del riquadro; il testo va a capo al suo interno"));
    height_->setToolTip(QStringLiteral("Altezza del riquadro"));
    fontFamily_ = new QFontComboBox(itemEditors_);
    fontFamily_->setObjectName(QStringLiteral("fontFamily"));
    // Long family names would otherwise widen the whole designer.
    fontFamily_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    fontFamily_->setMinimumContentsLength(16);
    fontSize_ = new QDoubleSpinBox(itemEditors_);
    fontSize_->setObjectName(QStringLiteral("fontSize"));
    fontSize_->setRange(1, 200);
    fontSize_->setDecimals(2);
    fontSize_->setSuffix(QStringLiteral(" pt"));
    fontSize_->setKeyboardTracking(false);
    bold_ = new QCheckBox(QStringLiteral("Grassetto"), itemEditors_);
    bold_->setObjectName(QStringLiteral("bold"));
    italic_ = new QCheckBox(QStringLiteral("Corsivo"), itemEditors_);
    italic_->setObjectName(QStringLiteral("italic"));
    alignment_ = new QComboBox(itemEditors_);
    alignment_->setObjectName(QStringLiteral("alignment"));
    alignment_->addItem(QStringLiteral("A sinistra"), int(Qt::AlignLeft));
    alignment_->addItem(QStringLiteral("Al centro"), int(Qt::AlignHCenter));
    alignment_->addItem(QStringLiteral("A destra"), int(Qt::AlignRight));
    verticalAlignment_ = new QComboBox(itemEditors_);
    verticalAlignment_->setObjectName(QStringLiteral("verticalAlignment"));
    verticalAlignment_->addItem(QStringLiteral("In alto"), int(Qt::AlignTop));
    verticalAlignment_->addItem(QStringLiteral("Al centro"), int(Qt::AlignVCenter));
    verticalAlignment_->addItem(QStringLiteral("In basso"), int(Qt::AlignBottom));
    frame_ = new QCheckBox(QStringLiteral("Cornice intorno al riquadro"), itemEditors_);
    frame_->setObjectName(QStringLiteral("frame"));

    auto *itemForm = new QFormLayout(itemEditors_);
    itemForm->addRow(QStringLiteral("Testo:"), template_);
    itemForm->addRow(QStringLiteral("Dato:"), dataItems_);
    itemForm->addRow(QStringLiteral("Posizione:"), row({x_, y_}));
    itemForm->addRow(QStringLiteral("Dimensioni:"), row({width_, height_}));
    itemForm->addRow(QStringLiteral("Carattere:"), fontFamily_);
    itemForm->addRow(QStringLiteral("Dimensione:"), row({fontSize_, bold_, italic_}));
    itemForm->addRow(QStringLiteral("Allineamento:"), row({alignment_, verticalAlignment_}));
    itemForm->addRow(QString(), frame_);

    // The paper and the printer.
    auto *paperEditors = new QGroupBox(QStringLiteral("Carta e stampante"), this);
    paperWidth_ = millimetreBox(paperEditors, QStringLiteral("paperWidth"), 10);
    paperHeight_ = millimetreBox(paperEditors, QStringLiteral("paperHeight"), 10);
    paperWidth_->setValue(project_.paperSize.width());
    paperHeight_->setValue(project_.paperSize.height());
    paperWidth_->setToolTip(
        QStringLiteral("Larghezza della carta (80 mm per un rotolo da ricevute)"));
    paperHeight_->setToolTip(QStringLiteral("Lunghezza del ticket"));
    printer_ = new QComboBox(paperEditors);
    printer_->setObjectName(QStringLiteral("printer"));
    printer_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    printer_->setMinimumContentsLength(20);
    fillPrinters();
    auto *paperForm = new QFormLayout(paperEditors);
    paperForm->addRow(QStringLiteral("Carta:"), row({paperWidth_, paperHeight_}));
    paperForm->addRow(QStringLiteral("Stampante:"), printer_);

    auto *editorColumn = new QVBoxLayout;
    editorColumn->addWidget(itemEditors_);
    editorColumn->addWidget(paperEditors);
    editorColumn->addStretch();

    // The preview on a grey desk, so that the white paper's edges show.
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto *desk = new QScrollArea(this);
    desk->setWidget(preview_);
    desk->setWidgetResizable(true);
    desk->setBackgroundRole(QPalette::Dark);
    desk->setMinimumWidth(qRound(86 * PreviewDotsPerMm));
    desk->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    auto *previewColumn = new QVBoxLayout;
    previewColumn->addWidget(new QLabel(QStringLiteral("Anteprima:"), this));
    previewColumn->addWidget(desk, 1);

    auto *save = new QPushButton(QStringLiteral("Salva"), this);
    save->setObjectName(QStringLiteral("save"));
    save->setDefault(true);
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("close"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);

    auto *columns = new QHBoxLayout;
    columns->addLayout(listColumn, 3);
    columns->addLayout(editorColumn, 4);
    columns->addLayout(previewColumn, 0);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    // Tall enough for a whole receipt in the preview, small enough for a 1280 x 800 screen.
    resize(1180, 660);

    connect(items_, &QListWidget::currentRowChanged, this, &TicketDesigner::showItem);
    connect(add_, &QPushButton::clicked, this, &TicketDesigner::addItem);
    connect(remove_, &QPushButton::clicked, this, &TicketDesigner::removeItem);
    connect(up_, &QPushButton::clicked, this, [this] { moveItem(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { moveItem(1); });
    connect(template_, &QLineEdit::textChanged, this,
            [this](const QString &text) { editItem([&](TicketItem &item) { item.text = text; }); });
    connect(dataItems_, &QComboBox::currentIndexChanged, this, &TicketDesigner::dataItemChosen);
    connect(x_, &QDoubleSpinBox::valueChanged, this,
            [this](double mm) { editItem([&](TicketItem &item) { item.box.moveLeft(mm); }); });
    connect(y_, &QDoubleSpinBox::valueChanged, this,
            [this](double mm) { editItem([&](TicketItem &item) { item.box.moveTop(mm); }); });
    connect(width_, &QDoubleSpinBox::valueChanged, this,
            [this](double mm) { editItem([&](TicketItem &item) { item.box.setWidth(mm); }); });
    connect(height_, &QDoubleSpinBox::valueChanged, this,
            [this](double mm) { editItem([&](TicketItem &item) { item.box.setHeight(mm); }); });
    connect(fontFamily_, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        editItem([&](TicketItem &item) { item.fontFamily = font.family(); });
    });
    connect(fontSize_, &QDoubleSpinBox::valueChanged, this,
            [this](double points) { editItem([&](TicketItem &item) { item.fontSize = points; }); });
    connect(bold_, &QCheckBox::toggled, this,
            [this](bool on) { editItem([&](TicketItem &item) { item.bold = on; }); });
    connect(italic_, &QCheckBox::toggled, this,
            [this](bool on) { editItem([&](TicketItem &item) { item.italic = on; }); });
    connect(frame_, &QCheckBox::toggled, this,
            [this](bool on) { editItem([&](TicketItem &item) { item.frame = on; }); });
    connect(alignment_, &QComboBox::currentIndexChanged, this, [this] {
        editItem([&](TicketItem &item) {
            item.alignment =
                verticalPart(item.alignment) | Qt::Alignment(alignment_->currentData().toInt());
        });
    });
    connect(verticalAlignment_, &QComboBox::currentIndexChanged, this, [this] {
        editItem([&](TicketItem &item) {
            item.alignment = horizontalPart(item.alignment)
                             | Qt::Alignment(verticalAlignment_->currentData().toInt());
        });
    });
    connect(paperWidth_, &QDoubleSpinBox::valueChanged, this, [this](double mm) {
        project_.paperSize.setWidth(mm);
        refreshPreview();
    });
    connect(paperHeight_, &QDoubleSpinBox::valueChanged, this, [this](double mm) {
        project_.paperSize.setHeight(mm);
        refreshPreview();
    });
    connect(printer_, &QComboBox::currentIndexChanged, this, &TicketDesigner::printerChosen);
    connect(save, &QPushButton::clicked, this, &TicketDesigner::save);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    buildItemList();
    selectItem(project_.items.isEmpty() ? -1 : 0);
}

void TicketDesigner::buildItemList()
{
    const QSignalBlocker blocker(items_);
    items_->clear();
    for (const TicketItem &item : std::as_const(project_.items))
        items_->addItem(listText(item));
}

void TicketDesigner::selectItem(int row)
{
    {
        const QSignalBlocker blocker(items_);
        items_->setCurrentRow(row);
    }
    showItem(row);
}

void TicketDesigner::showItem(int row)
{
    const bool valid = row >= 0 && row < project_.items.size();
    itemEditors_->setEnabled(valid);
    updateButtons();
    if (valid) {
        const TicketItem &item = project_.items.at(row);
        loading_ = true;
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
        loading_ = false;
    }
    refreshPreview();
}

void TicketDesigner::editItem(const std::function<void(TicketItem &)> &change)
{
    const int row = items_->currentRow();
    if (loading_ || row < 0 || row >= project_.items.size())
        return;
    change(project_.items[row]);
    items_->item(row)->setText(listText(project_.items.at(row)));
    refreshPreview();
}

void TicketDesigner::addItem()
{
    // Below everything else, where a new line of a receipt naturally goes, and as wide as
    // the paper's printable part; a roll has no fixed length, so the paper grows to hold it.
    qreal bottom = 0;
    for (const TicketItem &item : std::as_const(project_.items))
        bottom = std::max(bottom, item.box.bottom());
    TicketItem item;
    item.text = QStringLiteral("Nuovo testo");
    const qreal height = 7;
    const qreal margin = 4;
    const qreal top = std::min(bottom + 1, paperHeight_->maximum() - height - margin);
    item.box =
        QRectF(margin, top, std::max<qreal>(1, project_.paperSize.width() - 2 * margin), height);
    if (item.box.bottom() + margin > project_.paperSize.height()) {
        const QSignalBlocker blocker(paperHeight_);
        paperHeight_->setValue(item.box.bottom() + margin);
        project_.paperSize.setHeight(paperHeight_->value());
    }
    project_.items << item;
    buildItemList();
    selectItem(int(project_.items.size()) - 1);
    template_->setFocus();
    template_->selectAll();
}

void TicketDesigner::removeItem()
{
    const int row = items_->currentRow();
    if (row < 0)
        return;
    project_.items.removeAt(row);
    buildItemList();
    selectItem(std::min(row, int(project_.items.size()) - 1));
}

void TicketDesigner::moveItem(int by)
{
    const int row = items_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= project_.items.size())
        return;
    project_.items.swapItemsAt(row, to);
    buildItemList();
    selectItem(to);
}

void TicketDesigner::updateButtons()
{
    const int row = items_->currentRow();
    const int count = int(project_.items.size());
    remove_->setEnabled(row >= 0);
    up_->setEnabled(row > 0);
    down_->setEnabled(row >= 0 && row < count - 1);
}

void TicketDesigner::fillPrinters()
{
    const QSignalBlocker blocker(printer_);
    printer_->clear();
    printer_->addItem(QStringLiteral("Stampante predefinita del sistema"), QString());
    for (const QString &name : QPrinterInfo::availablePrinterNames())
        printer_->addItem(name, name);
    const QString &current = project_.printer;
    if (current.startsWith(TicketProject::pdfPrefix())) {
        const QString folder = current.mid(TicketProject::pdfPrefix().size());
        printer_->addItem(
            QStringLiteral("PDF nella cartella %1").arg(QDir::toNativeSeparators(folder)), current);
    } else if (printer_->findData(current) < 0) {
        // A printer of the project that this machine does not know is kept, not lost on
        // save: the project may have been made on another workstation.
        printer_->addItem(QStringLiteral("%1 (non installata)").arg(current), current);
    }
    printer_->addItem(QStringLiteral("Cartella PDF…"));
    printer_->setItemData(printer_->count() - 1, true, ChooseFolderRole);
    printer_->setCurrentIndex(printer_->findData(current));
}

void TicketDesigner::printerChosen(int index)
{
    if (!printer_->itemData(index, ChooseFolderRole).toBool()) {
        project_.printer = printer_->itemData(index).toString();
        return;
    }
    QString folder;
    if (project_.printer.startsWith(TicketProject::pdfPrefix()))
        folder = project_.printer.mid(TicketProject::pdfPrefix().size());
    if (dialogs_.chooseFolder(this, QStringLiteral("Cartella dei ticket in PDF"), folder))
        project_.printer = TicketProject::pdfPrefix() + QDir::cleanPath(folder);
    // On cancel this puts the printer chosen before back on show.
    fillPrinters();
}

void TicketDesigner::dataItemChosen(int index)
{
    if (index < 0)
        return;
    template_->insert(u'{' + dataItems_->itemText(index) + u'}');
    template_->setFocus();
    // Back to the prompt, so that the same item can be inserted twice in a row.
    const QSignalBlocker blocker(dataItems_);
    dataItems_->setCurrentIndex(-1);
}

void TicketDesigner::save()
{
    try {
        project_.save(projectPath_);
    } catch (const ReportError &error) {
        dialogs_.message(this, Dialogs::Kind::Critical, error.fullText(),
                         QStringLiteral("ATTENZIONE"));
        return;
    }
    accept();
}

void TicketDesigner::refreshPreview()
{
    QImage image = TicketRenderer::image(project_, sample_, PreviewDotsPerMm);
    // The selected item's box is outlined on the preview only, never on the ticket.
    const int row = items_->currentRow();
    if (row >= 0 && row < project_.items.size()) {
        const QRectF box = project_.items.at(row).box;
        QPainter painter(&image);
        painter.setPen(QPen(QColor(0, 120, 215), 1, Qt::DashLine));
        painter.drawRect(QRectF(box.topLeft() * PreviewDotsPerMm, box.size() * PreviewDotsPerMm)
                             .adjusted(0.5, 0.5, -0.5, -0.5));
    }
    preview_->setPixmap(QPixmap::fromImage(image));
}
