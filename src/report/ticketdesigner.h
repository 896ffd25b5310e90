#pragma once

#include "report/dataitem.h"
#include "report/ticketproject.h"

#include <QDialog>

class Clock;
class Dialogs;
class PrinterPanel;
class QLabel;
class QListWidget;
class QPushButton;
class TicketItemEditor;

// The ticket's designer: the items with their templates, fonts and boxes, the paper and
// the printer, and a live preview drawn by the same code that prints. Save writes the
// project file; closing without saving changes nothing. Escape does nothing, so that a
// stray key cannot throw the edits away; the window's own close button asks first when
// there are unsaved edits.
class TicketDesigner : public QDialog
{
    Q_OBJECT

public:
    TicketDesigner(Dialogs &dialogs, const Clock &clock, const QString &projectPath,
                   TicketProject project, QList<DataItem> sampleItems, QWidget *parent = nullptr);

    const TicketProject &project() const { return project_; }
    bool hasUnsavedChanges() const { return project_ != savedProject_; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void buildItemList();
    void selectItem(int row);
    void showItem(int row);
    void itemEdited(const TicketItem &item);
    void addItem();
    void removeItem();
    void moveItem(int by);
    void updateButtons();
    void testPrint();
    void save();
    void closeUnsaved();
    void refreshPreview();

    Dialogs &dialogs_;
    const Clock &clock_;
    QString projectPath_;
    TicketProject project_;
    TicketProject savedProject_; // as the file holds it, to tell unsaved edits
    QList<DataItem> sample_;
    bool closingByCommand_ = false; // Save or Chiudi: the close asks nothing

    QListWidget *itemList_ = nullptr;
    QPushButton *addButton_ = nullptr;
    QPushButton *removeButton_ = nullptr;
    QPushButton *moveUpButton_ = nullptr;
    QPushButton *moveDownButton_ = nullptr;
    QPushButton *saveButton_ = nullptr;
    QPushButton *closeButton_ = nullptr;
    TicketItemEditor *itemEditor_ = nullptr;
    PrinterPanel *printerPanel_ = nullptr;
    QLabel *preview_ = nullptr;
};
