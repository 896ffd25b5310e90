#pragma once

#include "report/dataitem.h"
#include "report/ticketproject.h"

#include <QDialog>

#include <functional>

class Dialogs;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The ticket's designer: the items with their templates, fonts and boxes, the paper and
// the printer, and a live preview drawn by the same code that prints. Save writes the
// project file; closing without saving changes nothing.
class TicketDesigner : public QDialog
{
    Q_OBJECT

public:
    TicketDesigner(Dialogs &dialogs, const QString &projectPath, TicketProject project,
                   QList<DataItem> sampleItems, QWidget *parent = nullptr);

    const TicketProject &project() const { return project_; }

private:
    void buildItemList();
    void selectItem(int row);
    void showItem(int row);
    void editItem(const std::function<void(TicketItem &)> &change);
    void addItem();
    void removeItem();
    void moveItem(int by);
    void updateButtons();
    void fillPrinters();
    void printerChosen(int index);
    void dataItemChosen(int index);
    void save();
    void refreshPreview();

    Dialogs &dialogs_;
    QString projectPath_;
    TicketProject project_;
    QList<DataItem> sample_;
    bool loading_ = false; // the editors are being filled, not edited

    QListWidget *items_ = nullptr;
    QPushButton *add_ = nullptr;
    QPushButton *remove_ = nullptr;
    QPushButton *up_ = nullptr;
    QPushButton *down_ = nullptr;
    QGroupBox *itemEditors_ = nullptr;
    QLineEdit *template_ = nullptr;
    QComboBox *dataItems_ = nullptr;
    QDoubleSpinBox *x_ = nullptr;
    QDoubleSpinBox *y_ = nullptr;
    QDoubleSpinBox *width_ = nullptr;
    QDoubleSpinBox *height_ = nullptr;
    QFontComboBox *fontFamily_ = nullptr;
    QDoubleSpinBox *fontSize_ = nullptr;
    QCheckBox *bold_ = nullptr;
    QCheckBox *italic_ = nullptr;
    QComboBox *alignment_ = nullptr;
    QComboBox *verticalAlignment_ = nullptr;
    QCheckBox *frame_ = nullptr;
    QDoubleSpinBox *paperWidth_ = nullptr;
    QDoubleSpinBox *paperHeight_ = nullptr;
    QComboBox *printer_ = nullptr;
    QLabel *preview_ = nullptr;
};
