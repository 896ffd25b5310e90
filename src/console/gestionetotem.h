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
    // What the public screen's button does, with that numbering chosen first: how a kiosk
    // that starts unattended reaches the public screen.
    void openPublicScreenWith(StartMode mode);
    const std::array<qint32, Office::LineCount> &startingNumbers() const
    {
        return startingNumbers_;
    }

private slots:
    void closeConsole();
    void openPublicScreen();
    void openTicketDesign();
    void openNumberingSettings();
    void openLayoutDesigner();
    void openSchedule();

private:
    void placeCentred();

    KioskState &state_;
    Dialogs &dialogs_;
    Clock &clock_;

    QLabel *bannerImage_ = nullptr;
    QLabel *versionLabel_ = nullptr;
    QLabel *spareLabel_ = nullptr; // on the screen, but no command writes it
    QGroupBox *startGroup_ = nullptr;
    // Initial numbering, then current numbering.
    std::array<QRadioButton *, 2> startModeButtons_{};
    // Close, public screen, ticket design, numbering settings, layout designer: the
    // index is the one in their object names.
    std::array<QPushButton *, 5> commandButtons_{};
    QPushButton *scheduleButton_ = nullptr;
    ReportEngine *reportEngine_ = nullptr;

    // Kept from one opening of the public screen to the next.
    std::array<qint32, Office::LineCount> startingNumbers_{};
};
