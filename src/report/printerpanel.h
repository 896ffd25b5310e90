#pragma once

#include "report/ticketproject.h"

#include <QGroupBox>

class Dialogs;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;

// "Carta e stampante" of the ticket designer: the paper's size (with the two roll widths a
// click away), where tickets go (the spooler's queues, a thermal printer spoken to directly
// over the network or USB, a PDF folder), the cut, and a test print. It edits the paper and
// printer parts of a project and says when they change.
class PrinterPanel : public QGroupBox
{
    Q_OBJECT

public:
    PrinterPanel(Dialogs &dialogs, const TicketProject &project, QWidget *parent = nullptr);

    // Shows a paper size set elsewhere, without a change signal.
    void showPaper(const QSizeF &millimetres);
    // The project with this panel's settings in it.
    void applyTo(TicketProject &project) const;

signals:
    void changed();
    void testPrintRequested();

private:
    enum class Kind
    {
        Queue,      // the data is the printer text
        EscPosTcp,  // the address is HOST[:PORT]
        EscPosFile, // the address is a device file
        PdfFolder   // asks for the folder
    };

    void fillPrinters();
    void printerChosen(int index);
    void addressEdited();
    Kind currentKind() const;

    Dialogs &dialogs_;
    QString printer_;
    bool cut_;

    QDoubleSpinBox *paperWidth_ = nullptr;
    QDoubleSpinBox *paperHeight_ = nullptr;
    QComboBox *printerChoice_ = nullptr;
    QLineEdit *address_ = nullptr;
    QCheckBox *cutBox_ = nullptr;
    QPushButton *testPrint_ = nullptr;
};
