#include "frontend/frontend.h"

#include "core/clock.h"
#include "core/kioskstate.h"
#include "frontend/archivereads.h"
#include "frontend/datetimebar.h"
#include "frontend/screenguard.h"
#include "frontend/servednumbers.h"
#include "frontend/ticketissuer.h"
#include "report/reportengine.h"
#include "ui/dialogs.h"
#include "ui/formfont.h"
#include "ui/screenelements.h"
#include "ui/styledbutton.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QtDebug>

namespace {
const QString timeFormat = QStringLiteral("HH.mm");
} // namespace

FrontEnd::FrontEnd(KioskState &state, Dialogs &dialogs, Clock &clock, QWidget *parent)
    : QDialog(parent), state_(state), dialogs_(dialogs), clock_(clock)
{
    setObjectName(QStringLiteral("FrontEnd"));
    setWindowTitle(QStringLiteral("Prendi il tuo Numero qui"));
    // No frame and no close button: the screen is the whole kiosk.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAutoFillBackground(true);
    setFont(FormFont::standard());

    title_ = ScreenElements::label(this, QStringLiteral("Label1(0)"), QString(),
                                   Twips::rect(240, 240, 17895, 675));
    title_->setAlignment(Qt::AlignCenter);
    bar_ = new DateTimeBar(this);
    for (int i = 0; i < LineCount; ++i)
        buildPanel(i);
    makeTouchOnly();

    // Running from the moment the screen exists, each first firing one interval later.
    runEvery("Timer1", 1000, &FrontEnd::onClockTick);
    runEvery("Timer2", 60000, &FrontEnd::onHourTest);
    runEvery("Timer3", 10000, &FrontEnd::onServedRefresh);

    auto *engine = new ReportEngine(dialogs_, clock_, this);
    engine->setObjectName(QStringLiteral("LL9"));
    issuer_ = new TicketIssuer(state_, dialogs_, *engine, this);
    connect(issuer_, &TicketIssuer::journalChanged, bar_,
            [this](int entries) { bar_->showJournalNotice(entries > 0); });
    guard_ = new ScreenGuard(*this);
    connect(guard_, &ScreenGuard::activated, this, &FrontEnd::activate);
    reads_ = new ArchiveReads(this);
    connect(reads_, &ArchiveReads::servedRead, this, &FrontEnd::showServed);
    connect(reads_, &ArchiveReads::dutyRead, this, &FrontEnd::showDuty);

    resize(Twips::toPixels(18375), Twips::toPixels(10575));
}

FrontEnd::~FrontEnd() = default;

void FrontEnd::waitForArchiveWork()
{
    reads_->waitForWork();
    issuer_->waitForWork();
}

void FrontEnd::buildPanel(int i)
{
    static constexpr int lefts[] = {240, 3840, 7440, 11040, 14640};
    const bool queue = i == CounterCount;
    const QPoint topLeft = queue ? QPoint(15000, 4680) : QPoint(lefts[i % 5], i < 5 ? 2040 : 6360);
    panels_[i] = CounterPanel(this, i, queue, topLeft, QStringLiteral("Numero%1").arg(i + 1),
                              queue ? QString() : QStringLiteral("Numero%1A").arg(i + 1));
    connect(panels_[i].button, &QPushButton::clicked, this, [this, i] { issueTicket(i); });
}

void FrontEnd::makeTouchOnly()
{
    // A title typed with "<b>" or "&" is shown as typed.
    for (QLabel *label : findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    // A long press is no right-click: no menu, and no text to select in the boxes.
    setContextMenuPolicy(Qt::NoContextMenu);
    for (QWidget *element : findChildren<QWidget *>())
        element->setContextMenuPolicy(Qt::NoContextMenu);
    for (QLineEdit *box : findChildren<QLineEdit *>()) {
        box->setFocusPolicy(Qt::NoFocus);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

void FrontEnd::runEvery(const char *name, int interval, void (FrontEnd::*job)())
{
    auto *timer = new QTimer(this);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    connect(timer, &QTimer::timeout, this, job);
    timer->start();
}

QLabel *FrontEnd::longDateLabel() const
{
    return bar_->longDateLabel();
}

QLabel *FrontEnd::shortDateLabel() const
{
    return bar_->shortDateLabel();
}

QLabel *FrontEnd::timeLabel() const
{
    return bar_->timeLabel();
}

void FrontEnd::placeFullScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->geometry());
}

void FrontEnd::activate()
{
    guard_->markActivated();
    placeFullScreen();
    // For the technician reading the kiosk session's log: the screen is up, and how big.
    qInfo("Schermo pubblico aperto: %dx%d", width(), height());
    // Whatever the reader brings back from before now belongs to the last activation.
    reads_->restart();
    ticketDate_ = bar_->shortDateLabel()->text();
    // Until the lookup asked now answers, every counter is closed at its starting number,
    // as after a lookup that failed: a press that comes at once finds no half-set counter.
    numbering_.setStartingNumbers(state_.startingNumbers);
    duty_.forget();
    closeCounters();
    onServedRefresh();
    lookupOperators();
    numbering_.restart(CounterCount);
    showNumber(CounterCount);
}

void FrontEnd::onClockTick()
{
    bar_->showTime(clock_.now().toString(timeFormat));
}

void FrontEnd::onHourTest()
{
    const QDateTime now = clock_.now();
    bar_->showHourTested(now.toString(timeFormat));
    // From 07:00 to 21:59; in the hour from 21:00 the schedule has no column, so the
    // lookup closes every counter for the evening.
    const int hour = now.time().hour();
    if (hour >= 7 && hour <= 21)
        lookupOperators();
}

void FrontEnd::onServedRefresh()
{
    reads_->readServed(state_.archiveFolder);
    // Numbers kept on the kiosk while the share was gone go back as soon as it returns.
    issuer_->catchUp();
}

void FrontEnd::lookupOperators()
{
    reads_->readDuty(state_.archiveFolder, clock_.now());
}

void FrontEnd::showServed(const ServedNumbers &served)
{
    for (int i = 0; i < served.texts.size() && i < CounterCount; ++i)
        panels_[i].served->setText(served.texts.at(i));
    if (served.failed)
        bar_->showServerNotice();
}

void FrontEnd::showDuty(const std::optional<DutyRoster> &roster)
{
    if (!roster) {
        // A schedule that cannot be read leaves every counter as it was; the public sees
        // the notice and the next minute tries again, with no box to dismiss on a kiosk.
        bar_->showServerNotice();
        if (!duty_.known())
            closeCounters();
        return;
    }
    applyRoster(*roster);
}

void FrontEnd::closeCounters()
{
    // Right after an activation there is no "as it was": open blank buttons over empty
    // boxes would issue number 1. Closed until a lookup succeeds, each counter keeps its
    // starting number, and so does the archive at the next ticket of the single queue.
    duty_.closeAll();
    for (int i = 0; i < CounterCount; ++i) {
        panels_[i].button->setText(QString());
        panels_[i].button->setEnabled(false);
        panels_[i].label6->setText(QString());
        numbering_.restart(i);
        showNumber(i);
    }
}

void FrontEnd::applyRoster(const DutyRoster &roster)
{
    for (int i = 0; i < CounterCount; ++i) {
        panels_[i].button->setEnabled(true);
        panels_[i].label6->setEnabled(true);
    }
    const auto changes = duty_.apply(roster);
    if (roster.noOperators) {
        if (duty_.beginNoOperatorsNotice()) {
            dialogs_.message(this, Dialogs::Kind::Information,
                             QStringLiteral("Nessun Utente presente  nel Sistema !"),
                             QStringLiteral("Attenzione"));
            duty_.endNoOperatorsNotice();
        }
        return;
    }
    for (int i = 0; i < CounterCount; ++i) {
        CounterPanel &panel = panels_[i];
        switch (changes[i]) {
        case CounterDuty::Change::NewOperator:
            numbering_.restart(i);
            panel.label6->setText(state_.counterNames[i]);
            [[fallthrough]];
        case CounterDuty::Change::SameOperator:
            panel.button->setText(roster.operatorNames[i]);
            break;
        case CounterDuty::Change::Closed:
            panel.button->setText(QString());
            panel.button->setEnabled(false);
            panel.label6->setText(QString());
            numbering_.set(i, 0);
            panel.served->setText(QStringLiteral("0"));
            break;
        }
        showNumber(i);
    }
}

void FrontEnd::showNumber(int line)
{
    panels_[line].issued->setText(numbering_.text(line));
}

void FrontEnd::issueTicket(int index)
{
    if (busy_)
        return;
    busy_ = true;
    // A change of duty read meanwhile waits for the ticket: the button's caption is the
    // ticket's operator until the ticket is done.
    reads_->hold();
    // Nothing on the screen answers from the press until the event loop has delivered
    // whatever touches came meanwhile, so a double tap never prints a second ticket.
    setEnabled(false);
    QPushButton *button = panels_[index].button;
    const PendingTicket ticket{title_->text(), button->text(), panels_[index].label6->text(),
                               ticketDate_, bar_->timeLabel()->text()};
    // The public sees the touch taken before the archive and the printer are reached; the
    // archive work then runs on the issuer's thread, so the clock goes on meanwhile.
    button->setText(busyCaption());
    repaint();
    QTimer::singleShot(0, this, [this, index, ticket] {
        issuer_->issue(numbering_, index, ticket, [this, index, ticket] {
            panels_[index].button->setText(ticket.operatorName);
            showNumber(index);
            QTimer::singleShot(SettleMs, this, &FrontEnd::finishIssuing);
        });
    });
}

void FrontEnd::finishIssuing()
{
    setEnabled(true);
    busy_ = false;
    reads_->release();
}

void FrontEnd::setBackgroundPicture(const QPixmap &picture)
{
    picture_ = picture;
    update();
}

void FrontEnd::showEvent(QShowEvent *event)
{
    // The screen's size must be known when its window is first mapped: a kiosk compositor
    // places a window once, and cage centres one smaller than the output rather than
    // filling the output with it.
    placeFullScreen();
    QDialog::showEvent(event);
}

void FrontEnd::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (!picture_.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, picture_);
    }
}

void FrontEnd::done(int result)
{
    // Only F10 may end the screen; reject() from Escape and the like is refused.
    if (guard_->closing())
        QDialog::done(result);
}

void FrontEnd::closeEvent(QCloseEvent *event)
{
    if (!guard_->closing()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
