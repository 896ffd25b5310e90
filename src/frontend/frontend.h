#pragma once

#include "core/office.h"
#include "frontend/counterduty.h"
#include "frontend/numbering.h"
#include "layout/layouttarget.h"
#include "ui/counterpanel.h"

#include <QDialog>
#include <QPixmap>

#include <array>
#include <optional>

class ArchiveReads;
class Clock;
class DateTimeBar;
class Dialogs;
class KioskState;
class QLabel;
class ScreenGuard;
class TicketIssuer;
struct ServedNumbers;

// The public screen: full screen, one button per staffed counter and one for the single
// queue, the date and time, and the numbers handed out and being served. The public
// cannot leave it: only F10 closes it.
class FrontEnd : public QDialog, public LayoutTarget
{
    Q_OBJECT

public:
    static constexpr int LineCount = Office::LineCount;
    static constexpr int CounterCount = Office::CounterCount;
    // How long the screen stays closed after a press. Touches made while the ticket was
    // being issued wait in the window system's queue; they must reach a closed screen and be
    // dropped, and a re-opening posted at once would overtake them (a double tap would
    // print two tickets).
    static constexpr int SettleMs = 100;

    FrontEnd(KioskState &state, Dialogs &dialogs, Clock &clock, QWidget *parent = nullptr);
    ~FrontEnd() override;

    // What the pressed button shows from the touch until its ticket is done.
    static QString busyCaption() { return QStringLiteral("Stampa in corso…"); }

    // What the screen does each time it becomes the program's active screen: every counter
    // closed, the single queue back at its starting number, and the served numbers and the
    // operators on duty asked of the reader; the counters open when the operators arrive.
    void activate();
    // The three timers' jobs, callable directly. The served numbers and the operators on
    // duty are read on the reader's thread and shown when they arrive; a read still under
    // way when the next one is due makes that one skipped, not queued.
    void onClockTick();
    void onHourTest();
    void onServedRefresh();
    void lookupOperators();
    // For tests only: blocks until the reader has done every read asked so far, then shows
    // their results as their arrival would.
    void waitForArchiveWork();
    // A press on PB1(index): the button shows at once that the ticket is on its way; the
    // line's next number is then stored, recorded and printed. The screen takes no press
    // until the event loop has run again after it.
    void issueTicket(int index);

    // The labels the console sets before it shows the screen.
    QLabel *longDateLabel() const;
    QLabel *shortDateLabel() const;
    QLabel *timeLabel() const;
    QLabel *counterNameLabel(int index) const { return panels_.at(index).label6; }
    // The date printed on tickets, taken at activation.
    QString ticketDate() const { return ticketDate_; }

    // LayoutTarget
    QWidget &layoutScreen() override { return *this; }
    QString titleName() const override { return QStringLiteral("Label1(0)"); }
    void setBackgroundPicture(const QPixmap &picture) override;
    QPixmap backgroundPicture() const { return picture_; }

public slots:
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildPanel(int index);
    void makeTouchOnly();
    void runEvery(const char *name, int interval, void (FrontEnd::*job)());
    void placeFullScreen();
    void showServed(const ServedNumbers &served);
    void showDuty(const std::optional<DutyRoster> &roster);
    void applyRoster(const DutyRoster &roster);
    void closeCounters();
    void showNumber(int line);
    void finishIssuing();

    KioskState &state_;
    Dialogs &dialogs_;
    Clock &clock_;

    QLabel *title_ = nullptr;
    DateTimeBar *bar_ = nullptr;
    std::array<CounterPanel, LineCount> panels_;
    ScreenGuard *guard_ = nullptr;
    TicketIssuer *issuer_ = nullptr;

    Numbering numbering_;
    CounterDuty duty_;
    QString ticketDate_;
    QPixmap picture_;
    bool busy_ = false;

    ArchiveReads *reads_ = nullptr;
};
