#pragma once

#include "core/office.h"

#include <QWidget>

#include <array>

class Clock;
class Dialogs;
class KioskState;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class ReportEngine;

// The administrator's console and the program's main window: closing it ends the program.
class GestioneTotem : public QWidget
{
    Q_OBJECT

public:
    enum class StartMode
    {
        Initial,
        Current
    };

    GestioneTotem(KioskState &state, Dialogs &dialogs, Clock &clock, QWidget *parent = nullptr);

    StartMode startMode() const;
    const std::array<qint32, Office::LineCount> &startingNumbers() const
    {
        return startingNumbers_;
    }

private:
    void onCommand(int index);
    void openPublicScreen();
    void openTicketDesign();
    void placeCentred();

    KioskState &state_;
    Dialogs &dialogs_;
    Clock &clock_;

    QLabel *image1_ = nullptr;
    QLabel *label1_ = nullptr;
    QLabel *label9_ = nullptr;
    QGroupBox *groupBox1_ = nullptr;
    std::array<QRadioButton *, 2> radioButton1_{};
    std::array<QPushButton *, 5> pb1_{};
    QPushButton *pushButton1_ = nullptr;
    ReportEngine *ll9_ = nullptr;

    // Kept from one opening of the public screen to the next.
    std::array<qint32, Office::LineCount> startingNumbers_{};
};
