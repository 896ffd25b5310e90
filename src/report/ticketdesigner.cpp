#include "report/ticketdesigner.h"

#include "report/printerpanel.h"
#include "report/printtarget.h"
#include "report/reporterror.h"
#include "report/testticket.h"
#include "report/ticketitemeditor.h"
#include "report/ticketrenderer.h"
#include "ui/dialogs.h"
#include "ui/unsavededits.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
// A little larger than life on a 96 dpi screen, so that 8 pt text stays readable.
constexpr qreal PreviewDotsPerMm = 5;

QString listText(const TicketItem &item)
{
    return item.text.isEmpty() ? QStringLiteral("(vuoto)") : item.text;
}

QLabel *caption(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton *button(QWidget *parent, const QString &text, const QString &name)
{
    auto *pushButton = new QPushButton(text, parent);
    pushButton->setObjectName(name);
    return pushButton;
}

QStringList dataItemNames(const QList<DataItem> &sample, const TicketProject &project)
{
    QStringList names;
    for (const DataItem &item : sample)
        names << item.name;
    // Names the project uses but the caller did not declare stay insertable.
    for (const QString &name : project.referencedItems()) {
        if (!names.contains(name, Qt::CaseInsensitive))
            names << name;
    }
    return names;
}
} // namespace

TicketDesigner::TicketDesigner(Dialogs &dialogs, const Clock &clock, const QString &projectPath,
                               TicketProject project, QList<DataItem> sampleItems, QWidget *parent)
    : QDialog(parent), dialogs_(dialogs), clock_(clock), projectPath_(projectPath),
      project_(std::move(project)), savedProject_(project_), sample_(std::move(sampleItems))
{
    setObjectName(QStringLiteral("TicketDesigner"));
    buildLayout();

    connect(itemList_, &QListWidget::currentRowChanged, this, &TicketDesigner::showItem);
    connect(addButton_, &QPushButton::clicked, this, &TicketDesigner::addItem);
    connect(removeButton_, &QPushButton::clicked, this, &TicketDesigner::removeItem);
    connect(moveUpButton_, &QPushButton::clicked, this, [this] { moveItem(-1); });
    connect(moveDownButton_, &QPushButton::clicked, this, [this] { moveItem(1); });
    connect(itemEditor_, &TicketItemEditor::itemChanged, this, &TicketDesigner::itemEdited);
    connect(printerPanel_, &PrinterPanel::changed, this, [this] {
        printerPanel_->applyTo(project_);
        refreshPreview();
    });
    connect(printerPanel_, &PrinterPanel::testPrintRequested, this, &TicketDesigner::testPrint);
    connect(saveButton_, &QPushButton::clicked, this, &TicketDesigner::save);
    connect(closeButton_, &QPushButton::clicked, this, &TicketDesigner::closeUnsaved);

    buildItemList();
    selectItem(project_.items.isEmpty() ? -1 : 0);
}

void TicketDesigner::buildLayout()
{
    // The items, in drawing order.
    itemList_ = new QListWidget(this);
    itemList_->setObjectName(QStringLiteral("items"));
    addButton_ = button(this, QStringLiteral("Aggiungi"), QStringLiteral("add"));
    removeButton_ = button(this, QStringLiteral("Rimuovi"), QStringLiteral("remove"));
    moveUpButton_ = button(this, QStringLiteral("Su"), QStringLiteral("moveUp"));
    moveDownButton_ = button(this, QStringLiteral("Giù"), QStringLiteral("moveDown"));
    auto *listButtons = new QGridLayout;
    listButtons->addWidget(addButton_, 0, 0);
    listButtons->addWidget(removeButton_, 0, 1);
    listButtons->addWidget(moveUpButton_, 1, 0);
    listButtons->addWidget(moveDownButton_, 1, 1);
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(caption(this, QStringLiteral("Elementi del ticket:")));
    listColumn->addWidget(itemList_, 1);
    listColumn->addLayout(listButtons);

    itemEditor_ = new TicketItemEditor(dataItemNames(sample_, project_), this);

    printerPanel_ = new PrinterPanel(dialogs_, project_, this);

    auto *editorColumn = new QVBoxLayout;
    editorColumn->addWidget(itemEditor_);
    editorColumn->addWidget(printerPanel_);
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
    previewColumn->addWidget(caption(this, QStringLiteral("Anteprima:")));
    previewColumn->addWidget(desk, 1);

    saveButton_ = button(this, QStringLiteral("Salva"), QStringLiteral("save"));
    saveButton_->setDefault(true);
    closeButton_ = button(this, QStringLiteral("Chiudi"), QStringLiteral("close"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton_);
    buttons->addWidget(closeButton_);

    auto *columns = new QHBoxLayout;
    columns->addLayout(listColumn, 3);
    columns->addLayout(editorColumn, 4);
    columns->addLayout(previewColumn, 0);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    // Tall enough for a whole receipt in the preview, small enough for a 1280 x 800 screen.
    resize(1180, 660);
}

void TicketDesigner::keyPressEvent(QKeyEvent *event)
{
    // Leaving goes through the editor's own commands or the window's close, which asks.
    if (!UnsavedEdits::swallowEscape(event))
        QDialog::keyPressEvent(event);
}

void TicketDesigner::closeEvent(QCloseEvent *event)
{
    if (!closingByCommand_ && isVisible() && hasUnsavedChanges()
        && !UnsavedEdits::mayClose(dialogs_, this)) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TicketDesigner::buildItemList()
{
    const QSignalBlocker blocker(itemList_);
    itemList_->clear();
    for (const TicketItem &item : std::as_const(project_.items))
        itemList_->addItem(listText(item));
}

void TicketDesigner::selectItem(int row)
{
    {
        const QSignalBlocker blocker(itemList_);
        itemList_->setCurrentRow(row);
    }
    showItem(row);
}

void TicketDesigner::showItem(int row)
{
    const bool valid = row >= 0 && row < project_.items.size();
    itemEditor_->setEnabled(valid);
    updateButtons();
    if (valid)
        itemEditor_->showItem(project_.items.at(row));
    refreshPreview();
}

void TicketDesigner::itemEdited(const TicketItem &item)
{
    const int row = itemList_->currentRow();
    if (row < 0 || row >= project_.items.size())
        return;
    project_.items[row] = item;
    itemList_->item(row)->setText(listText(item));
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
    const qreal top = std::min(bottom + 1, TicketProject::MaxMillimetres - height - margin);
    item.box =
        QRectF(margin, top, std::max<qreal>(1, project_.paperSize.width() - 2 * margin), height);
    if (item.box.bottom() + margin > project_.paperSize.height()) {
        project_.paperSize.setHeight(item.box.bottom() + margin);
        printerPanel_->showPaper(project_.paperSize);
    }
    project_.items << item;
    buildItemList();
    selectItem(int(project_.items.size()) - 1);
    itemEditor_->focusTemplate();
}

void TicketDesigner::removeItem()
{
    const int row = itemList_->currentRow();
    if (row < 0)
        return;
    project_.items.removeAt(row);
    buildItemList();
    selectItem(std::min(row, int(project_.items.size()) - 1));
}

void TicketDesigner::moveItem(int by)
{
    const int row = itemList_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= project_.items.size())
        return;
    project_.items.swapItemsAt(row, to);
    buildItemList();
    selectItem(to);
}

void TicketDesigner::updateButtons()
{
    const int row = itemList_->currentRow();
    const int count = int(project_.items.size());
    removeButton_->setEnabled(row >= 0);
    moveUpButton_->setEnabled(row > 0);
    moveDownButton_->setEnabled(row >= 0 && row < count - 1);
}

void TicketDesigner::testPrint()
{
    // The project as it stands on screen, saved or not: the technician tries before saving.
    const DeliveryResult result =
        PrintTarget::deliver(project_, clock_, {TestTicket::items(clock_)});
    if (result.printed())
        dialogs_.message(this, Dialogs::Kind::Information,
                         QStringLiteral("Stampa di prova inviata alla stampante."));
    else
        dialogs_.alert(this,
                       QStringLiteral("La stampa di prova non è riuscita.\n\n") + result.message);
}

void TicketDesigner::save()
{
    try {
        project_.save(projectPath_);
    } catch (const ReportError &error) {
        dialogs_.alert(this, error.fullText());
        return;
    }
    savedProject_ = project_;
    closingByCommand_ = true;
    accept();
    closingByCommand_ = false;
}

void TicketDesigner::closeUnsaved()
{
    closingByCommand_ = true;
    reject();
    closingByCommand_ = false;
}

void TicketDesigner::refreshPreview()
{
    QImage image = TicketRenderer::image(project_, sample_, PreviewDotsPerMm);
    // The selected item's box is outlined on the preview only, never on the ticket.
    const int row = itemList_->currentRow();
    if (row >= 0 && row < project_.items.size()) {
        const QRectF box = project_.items.at(row).box;
        QPainter painter(&image);
        painter.setPen(QPen(QColor(0, 120, 215), 1, Qt::DashLine));
        painter.drawRect(QRectF(box.topLeft() * PreviewDotsPerMm, box.size() * PreviewDotsPerMm)
                             .adjusted(0.5, 0.5, -0.5, -0.5));
    }
    preview_->setPixmap(QPixmap::fromImage(image));
}
