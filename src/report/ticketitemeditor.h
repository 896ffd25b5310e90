#pragma once

#include "report/ticketitem.h"

#include <QGroupBox>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLineEdit;

// The editors of one ticket item: its template (with a list of data items to insert),
// its box, font and alignment. It holds a copy of the item and reports every change of
// it; the designer decides what the change means for the project.
class TicketItemEditor : public QGroupBox
{
    Q_OBJECT

public:
    TicketItemEditor(const QStringList &dataItemNames, QWidget *parent = nullptr);

    // Shows the item without reporting it as changed.
    void showItem(const TicketItem &item);
    // Puts the cursor in the template with its text selected, ready to be typed over.
    void focusTemplate();

    // A length in millimetres as the designer's editors take it.
    static QDoubleSpinBox *millimetreBox(QWidget *parent, const QString &name, double minimum);

signals:
    void itemChanged(const TicketItem &item);

private:
    void edit(const std::function<void(TicketItem &)> &change);
    void insertDataItem(int index);
    void connectEditors();

    TicketItem item_;
    bool showing_ = false; // the editors are being filled, not edited

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
};
