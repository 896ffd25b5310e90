#pragma once

#include "core/office.h"
#include "layout/layouttarget.h"

#include <QDialog>
#include <QPixmap>
#include <QPointer>

#include <array>

class Clock;
class Dialogs;
class KioskState;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class ReportEngine;
class TicketPrinter;
struct DutyRoster;
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

    FrontEnd(KioskState &state, Dialogs &dialogs, Clock &clock, QWidget *parent = nullptr);
    ~FrontEnd() override;

    // What the screen does each time it becomes the program's active screen.
    void activate();
    // The three timers' jobs, callable directly.
    void onClockTick();
    void onHourTest();
    void onServedRefresh();
    void lookupOperators();
    // A press on PB1(index): the line's next number, stored, recorded and printed.
    void issueTicket(int index);

    // The labels the console sets before it shows the screen.
    QLabel *longDateLabel() const { return label2_; }
    QLabel *shortDateLabel() const { return label77_; }
    QLabel *timeLabel() const { return label3_; }
    QLabel *counterNameLabel(int index) const { return label6_.at(index); }
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
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildTitleAndBar();
    void buildPanel(int index);
    void placeFullScreen();
    void applyRoster(const DutyRoster &roster);
    void closeCounters();
    void applyServed(const ServedNumbers &served);
    void showServerNotice();
    bool ownsWidget(QObject *object) const;
    void storeNumbering(int line, qint32 number);
    void writeTicketRecord(qint32 number);
    void giveBack(int index, const QString &oldText, qint32 number, const QString &reason);
    void report(const QString &text);

    KioskState &state_;
    Dialogs &dialogs_;
    Clock &clock_;

    QLabel *title_ = nullptr;       // Label1(0)
    QLabel *runningText_ = nullptr; // Label1(1)
    QGroupBox *gb0_ = nullptr;
    std::array<QLabel *, 2> label4_{};
    QLabel *label2_ = nullptr;
    QLabel *label3_ = nullptr;
    QLabel *label9_ = nullptr;
    QLabel *label77_ = nullptr;
    QLineEdit *label88_ = nullptr;
    std::array<QPushButton *, LineCount> pb1_{};
    std::array<QLabel *, LineCount> label6_{};
    std::array<QLineEdit *, LineCount> numero_{};     // Numero1 .. Numero11
    std::array<QLineEdit *, CounterCount> numeroA_{}; // Numero1A .. Numero10A
    QTimer *timer1_ = nullptr;
    QTimer *timer2_ = nullptr;
    QTimer *timer3_ = nullptr;

    ReportEngine *ll9_ = nullptr;
    TicketPrinter *printer_ = nullptr;

    std::array<qint32, CounterCount> lastOperator_{};
    // The ticket being issued.
    QString pendingOperator_;
    QString pendingCounter_;
    QString pendingTime_;
    QString ticketDate_;
    QPixmap picture_;
    bool closing_ = false;
    bool activatedOnce_ = false;
    // Whether a lookup has told who is on duty since the last activation.
    bool rosterKnown_ = false;
    bool showingNoOperators_ = false;
    QPointer<QWidget> lostActivationTo_;
};
