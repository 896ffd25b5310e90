#include "report/printerpanel.h"

#include "report/ticketitemeditor.h"
#include "ui/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
constexpr int KindRole = Qt::UserRole + 1;

QString tcpPrefix()
{
    return TicketProject::escPosPrefix() + QStringLiteral("tcp://");
}

QPushButton *button(QWidget *parent, const QString &text, const QString &name)
{
    auto *pushButton = new QPushButton(text, parent);
    pushButton->setObjectName(name);
    return pushButton;
}
} // namespace

PrinterPanel::PrinterPanel(Dialogs &dialogs, const TicketProject &project, QWidget *parent)
    : QGroupBox(QStringLiteral("Carta e stampante"), parent), dialogs_(dialogs),
      printer_(project.printer), cut_(project.cut)
{
    paperWidth_ = TicketItemEditor::millimetreBox(this, QStringLiteral("paperWidth"), 10);
    paperHeight_ = TicketItemEditor::millimetreBox(this, QStringLiteral("paperHeight"), 10);
    paperWidth_->setValue(project.paperSize.width());
    paperHeight_->setValue(project.paperSize.height());
    paperWidth_->setToolTip(QStringLiteral("Larghezza della carta: 80 o 58 mm per un rotolo"));
    paperHeight_->setToolTip(QStringLiteral("Lunghezza del ticket"));
    auto *roll80 = button(this, QStringLiteral("80 mm"), QStringLiteral("paper80"));
    auto *roll58 = button(this, QStringLiteral("58 mm"), QStringLiteral("paper58"));
    printerChoice_ = new QComboBox(this);
    printerChoice_->setObjectName(QStringLiteral("printer"));
    printerChoice_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    printerChoice_->setMinimumContentsLength(20);
    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("printerAddress"));
    cutBox_ = new QCheckBox(QStringLiteral("Taglia la carta dopo ogni ticket"), this);
    cutBox_->setObjectName(QStringLiteral("cut"));
    cutBox_->setChecked(cut_);
    testPrint_ = button(this, QStringLiteral("Stampa di prova"), QStringLiteral("testPrint"));
    fillPrinters();

    auto *paperRow = new QHBoxLayout;
    paperRow->addWidget(paperWidth_);
    paperRow->addWidget(paperHeight_);
    paperRow->addWidget(roll80);
    paperRow->addWidget(roll58);
    paperRow->addStretch();
    auto *form = new QFormLayout(this);
    form->addRow(new QLabel(QStringLiteral("Carta:"), this), paperRow);
    form->addRow(new QLabel(QStringLiteral("Stampante:"), this), printerChoice_);
    form->addRow(new QLabel(QStringLiteral("Indirizzo:"), this), address_);
    form->addRow(cutBox_);
    form->addRow(testPrint_);

    connect(paperWidth_, &QDoubleSpinBox::valueChanged, this, &PrinterPanel::changed);
    connect(paperHeight_, &QDoubleSpinBox::valueChanged, this, &PrinterPanel::changed);
    connect(roll80, &QPushButton::clicked, this, [this] { paperWidth_->setValue(80); });
    connect(roll58, &QPushButton::clicked, this, [this] { paperWidth_->setValue(58); });
    connect(printerChoice_, &QComboBox::currentIndexChanged, this, &PrinterPanel::printerChosen);
    connect(address_, &QLineEdit::textEdited, this, &PrinterPanel::addressEdited);
    connect(cutBox_, &QCheckBox::toggled, this, [this](bool on) {
        cut_ = on;
        emit changed();
    });
    connect(testPrint_, &QPushButton::clicked, this, &PrinterPanel::testPrintRequested);
}

void PrinterPanel::showPaper(const QSizeF &millimetres)
{
    const QSignalBlocker widthBlocker(paperWidth_);
    const QSignalBlocker heightBlocker(paperHeight_);
    paperWidth_->setValue(millimetres.width());
    paperHeight_->setValue(millimetres.height());
}

void PrinterPanel::applyTo(TicketProject &project) const
{
    project.paperSize = QSizeF(paperWidth_->value(), paperHeight_->value());
    project.printer = printer_;
    project.cut = cut_;
}

PrinterPanel::Kind PrinterPanel::currentKind() const
{
    return Kind(printerChoice_->currentData(KindRole).toInt());
}

void PrinterPanel::fillPrinters()
{
    const QSignalBlocker blocker(printerChoice_);
    printerChoice_->clear();
    const auto add = [this](const QString &text, const QString &printer, Kind kind) {
        printerChoice_->addItem(text, printer);
        printerChoice_->setItemData(printerChoice_->count() - 1, int(kind), KindRole);
    };
    add(QStringLiteral("Stampante predefinita del sistema"), QString(), Kind::Queue);
    for (const QString &name : QPrinterInfo::availablePrinterNames())
        add(name, name, Kind::Queue);
    const bool tcp = printer_.startsWith(tcpPrefix());
    const bool escPos = printer_.startsWith(TicketProject::escPosPrefix());
    if (printer_.startsWith(TicketProject::pdfPrefix())) {
        const QString folder = printer_.mid(TicketProject::pdfPrefix().size());
        add(QStringLiteral("PDF nella cartella %1").arg(QDir::toNativeSeparators(folder)), printer_,
            Kind::Queue);
    } else if (!escPos && printerChoice_->findData(printer_) < 0) {
        // A printer of the project that this machine does not know is kept, not lost on
        // save: the project may have been made on another workstation.
        add(QStringLiteral("%1 (non installata)").arg(printer_), printer_, Kind::Queue);
    }
    add(QStringLiteral("Stampante termica in rete (ESC/POS)"), QString(), Kind::EscPosTcp);
    add(QStringLiteral("Stampante termica USB (ESC/POS)"), QString(), Kind::EscPosFile);
    add(QStringLiteral("Cartella PDF…"), QString(), Kind::PdfFolder);

    int current = printerChoice_->findData(printer_);
    if (escPos)
        current = printerChoice_->findData(int(tcp ? Kind::EscPosTcp : Kind::EscPosFile), KindRole);
    printerChoice_->setCurrentIndex(current);
    const QSignalBlocker addressBlocker(address_);
    address_->setText(escPos
                          ? printer_.mid((tcp ? tcpPrefix() : TicketProject::escPosPrefix()).size())
                          : QString());
    address_->setPlaceholderText(tcp ? QStringLiteral("192.168.1.50:9100")
                                     : QStringLiteral("/dev/usb/lp0"));
    address_->setEnabled(escPos);
    cutBox_->setEnabled(escPos);
}

void PrinterPanel::printerChosen(int index)
{
    switch (Kind(printerChoice_->itemData(index, KindRole).toInt())) {
    case Kind::Queue:
        printer_ = printerChoice_->itemData(index).toString();
        break;
    case Kind::EscPosTcp:
        printer_ = tcpPrefix();
        break;
    case Kind::EscPosFile:
        printer_ = TicketProject::escPosPrefix() + QStringLiteral("/dev/usb/lp0");
        break;
    case Kind::PdfFolder: {
        QString folder;
        if (printer_.startsWith(TicketProject::pdfPrefix()))
            folder = printer_.mid(TicketProject::pdfPrefix().size());
        if (dialogs_.chooseFolder(this, QStringLiteral("Cartella dei ticket in PDF"), folder))
            printer_ = TicketProject::pdfPrefix() + QDir::cleanPath(folder);
        break;
    }
    }
    // Shows the printer as chosen, or the one before on a cancelled folder choice.
    fillPrinters();
    if (address_->isEnabled())
        address_->setFocus();
    emit changed();
}

void PrinterPanel::addressEdited()
{
    const QString address = address_->text().trimmed();
    printer_ = currentKind() == Kind::EscPosTcp ? tcpPrefix() + address
                                                : TicketProject::escPosPrefix() + address;
    emit changed();
}
