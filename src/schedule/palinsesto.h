#pragma once

#include "schedule/operatorlist.h"
#include "schedule/scheduleday.h"

#include <QDialog>

#include <array>

class Dialogs;
class KioskState;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStandardItemModel;
class QTableView;
class QTableWidget;

// The weekly schedule editor: the administrator picks an operator and a day, clicks the
// cells of counters and hours to assign or clear them, and saves the day. Only "Salva"
// writes; another day or "Chiudi" drops what was not saved.
class Palinsesto : public QDialog
{
    Q_OBJECT

public:
    static constexpr int DayCount = ArchiveSchema::DayCount;
    // The schedule grid: a header row and column around the ten counters and fourteen hours.
    static constexpr int GridRows = ScheduleDay::CounterCount + 1;
    static constexpr int GridColumns = ScheduleDay::HourCount + 1;

    Palinsesto(KioskState &state, Dialogs &dialogs, QWidget *parent = nullptr);

    // "lunedì" .. "domenica"; empty until a day has been chosen on an empty operator table.
    QString dayText() const { return dayText_; }
    // "Totem" followed by the day text: the table shown and saved.
    QString currentDayTable() const { return dayTable_; }
    qint32 selectedOperatorId() const { return selectedId_; }
    // What "Salva" writes: valid only while dayLoaded() is true.
    const ScheduleDay &assignments() const { return assignments_; }
    bool dayLoaded() const { return dayLoaded_; }

private:
    void buildOperatorArea();
    void buildDayButtons();
    void setUpGrid();
    void load();
    void selectOperator(int row);
    void chooseDay(int index);
    void showDay();
    void clearCells();
    void toggleCell(int row, int column);
    void save();
    QString archiveFolder() const;

    KioskState &state_;
    Dialogs &dialogs_;

    OperatorList operators_; // as the operator list shows them, read once at loading
    QString selectedName_;
    qint32 selectedId_ = 0;
    QString dayText_;
    QString dayTable_;
    ScheduleDay assignments_;
    // False while no day, or a day that could not be read, is shown: then nothing is saved.
    bool dayLoaded_ = false;

    QTableView *operatorGrid_ = nullptr;
    QStandardItemModel *operatorModel_ = nullptr;
    QLabel *operatorLabel_ = nullptr;
    QLabel *dayLabel_ = nullptr;
    QLabel *titleLabel_ = nullptr;
    QGroupBox *dayGroup_ = nullptr;
    std::array<QRadioButton *, DayCount> dayButtons_{};
    // "Chiudi", then "Salva".
    std::array<QPushButton *, 2> commandButtons_{};
    QTableWidget *scheduleGrid_ = nullptr;
};
