#include "frontend/frontend.h"

#include "ui/screenelements.h"

#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"
#include "core/clock.h"
#include "core/kioskstate.h"
#include "frontend/dutyroster.h"
#include "frontend/numericvalue.h"
#include "frontend/operatorlookup.h"
#include "frontend/servednumbers.h"
#include "frontend/ticketprinter.h"
#include "report/reportengine.h"
#include "ui/counterpanel.h"
#include "ui/dialogs.h"
#include "ui/styledbutton.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <limits>

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
    QFont labels(QStringLiteral("Tahoma"));
    labels.setPointSizeF(8.25);
    setFont(labels);

    buildTitleAndBar();
    for (int i = 0; i < LineCount; ++i)
        buildPanel(i);

    // Running from the moment the screen exists, each first firing one interval later.
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(1000);
    connect(timer1_, &QTimer::timeout, this, &FrontEnd::onClockTick);
    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(60000);
    connect(timer2_, &QTimer::timeout, this, &FrontEnd::onHourTest);
    timer3_ = new QTimer(this);
    timer3_->setObjectName(QStringLiteral("Timer3"));
    timer3_->setInterval(10000);
    connect(timer3_, &QTimer::timeout, this, &FrontEnd::onServedRefresh);
    for (QTimer *timer : {timer1_, timer2_, timer3_})
        timer->start();

    ll9_ = new ReportEngine(dialogs_, clock_, this);
    ll9_->setObjectName(QStringLiteral("LL9"));
    printer_ = new TicketPrinter(*ll9_, this, this);
    for (int i = 0; i < LineCount; ++i)
        connect(pb1_[i], &QPushButton::clicked, this, [this, i] { issueTicket(i); });

    resize(Twips::toPixels(18375), Twips::toPixels(10575));
}

FrontEnd::~FrontEnd()
{
    qApp->removeEventFilter(this);
}

void FrontEnd::buildTitleAndBar()
{
    title_ = ScreenElements::label(this, QStringLiteral("Label1(0)"), QString(),
                                   Twips::rect(240, 240, 17895, 675));
    title_->setAlignment(Qt::AlignCenter);

    gb0_ = new QGroupBox(this);
    gb0_->setObjectName(QStringLiteral("GB0"));
    gb0_->setGeometry(Twips::rect(240, 1080, 17895, 855));
    label4_[0] =
        ScreenElements::label(gb0_, QStringLiteral("Label4(0)"), QStringLiteral("Data odierna"),
                              Twips::rect(240, 240, 1215, 255));
    label2_ = ScreenElements::label(gb0_, QStringLiteral("Label2"), QString(),
                                    Twips::rect(240, 480, 3975, 300));
    runningText_ = ScreenElements::label(
        gb0_, QStringLiteral("Label1(1)"),
        QStringLiteral("Totem per la distribuzione dei ticket di coda....munirsi "
                       "del ticket ed attendere la chiamata..."),
        Twips::rect(4590, 360, 8835, 240));
    label9_ = ScreenElements::label(gb0_, QStringLiteral("Label9"),
                                    QStringLiteral("SERVER non raggiungibile"),
                                    Twips::rect(13560, 360, 2295, 255));
    label9_->hide();
    label4_[1] = ScreenElements::label(gb0_, QStringLiteral("Label4(1)"), QStringLiteral("Orario"),
                                       Twips::rect(15960, 240, 1215, 255));
    label3_ = ScreenElements::label(gb0_, QStringLiteral("Label3"), QString(),
                                    Twips::rect(15960, 480, 1815, 375));
    QFont timeFont = label3_->font();
    timeFont.setPointSizeF(12);
    timeFont.setBold(true);
    label3_->setFont(timeFont);
    label88_ = new QLineEdit(gb0_);
    label88_->setObjectName(QStringLiteral("Label88"));
    label88_->hide();

    label77_ = ScreenElements::label(this, QStringLiteral("Label77"), QString(),
                                     Twips::rect(240, 0, 1215, 255));
    label77_->hide();
}

void FrontEnd::buildPanel(int i)
{
    static constexpr int lefts[] = {240, 3840, 7440, 11040, 14640};
    const bool queue = i == CounterCount;
    const QPoint topLeft = queue ? QPoint(15000, 4680) : QPoint(lefts[i % 5], i < 5 ? 2040 : 6360);
    const CounterPanel panel(this, i, queue, topLeft, QStringLiteral("Numero%1").arg(i + 1),
                             queue ? QString() : QStringLiteral("Numero%1A").arg(i + 1));
    pb1_[i] = panel.button;
    label6_[i] = panel.label6;
    numero_[i] = panel.issued;
    if (!queue)
        numeroA_[i] = panel.served;
}

void FrontEnd::placeFullScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect whole = screen->geometry();
    setGeometry(whole);
}

void FrontEnd::activate()
{
    activatedOnce_ = true;
    placeFullScreen();
    // Let the new size reach the screen before the slower archive reads begin.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ticketDate_ = label77_->text();
    onServedRefresh();
    lastOperator_.fill(0);
    rosterKnown_ = false;
    lookupOperators();
    numero_[CounterCount]->setText(QString::number(state_.startingNumbers[CounterCount]));
}

void FrontEnd::onClockTick()
{
    const QString now = clock_.now().toString(timeFormat);
    label3_->setText(now);
    label88_->setText(now);
}

void FrontEnd::onHourTest()
{
    label88_->setText(clock_.now().toString(timeFormat));
    // From 07:00 to 21:59; in the hour from 21:00 the schedule has no column, so the
    // lookup closes every counter for the evening.
    bool ok = false;
    const int hour = label88_->text().left(2).toInt(&ok);
    if (ok && hour >= 7 && hour <= 21)
        lookupOperators();
}

void FrontEnd::onServedRefresh()
{
    applyServed(ServedNumbers::read(state_.archiveFolder));
}

void FrontEnd::lookupOperators()
{
    DutyRoster roster;
    try {
        roster = OperatorLookup::read(state_.archiveFolder, clock_.now());
    } catch (const ArchiveError &) {
        // A schedule that cannot be read leaves every counter as it was; the public sees
        // the notice and the next minute tries again, with no box to dismiss on a kiosk.
        showServerNotice();
        if (!rosterKnown_)
            closeCounters();
        return;
    }
    rosterKnown_ = true;
    applyRoster(roster);
}

void FrontEnd::closeCounters()
{
    // Right after an activation there is no "as it was": the buttons would stand open and
    // blank over empty boxes, so a press would issue number 1 and store 0 over every
    // counter's numbering. Closed until a lookup succeeds, each counter keeps its starting
    // number in its box, and so in the archive at the next ticket of the single queue.
    for (int i = 0; i < CounterCount; ++i) {
        pb1_[i]->setText(QString());
        pb1_[i]->setEnabled(false);
        label6_[i]->setText(QString());
        numero_[i]->setText(QString::number(state_.startingNumbers[i]));
        lastOperator_[i] = 0;
    }
}

void FrontEnd::applyRoster(const DutyRoster &roster)
{
    for (int i = 0; i < CounterCount; ++i) {
        pb1_[i]->setEnabled(true);
        label6_[i]->setEnabled(true);
    }
    if (roster.noOperators) {
        // Asked again at every lookup while the table stays empty, but never stacked.
        if (showingNoOperators_)
            return;
        showingNoOperators_ = true;
        dialogs_.message(this, Dialogs::Kind::Information,
                         QStringLiteral("Nessun Utente presente  nel Sistema !"),
                         QStringLiteral("Attenzione"));
        showingNoOperators_ = false;
        return;
    }
    for (int i = 0; i < CounterCount; ++i) {
        const qint32 id = roster.operatorIds[i];
        if (id != 0) {
            pb1_[i]->setText(roster.operatorNames[i]);
            // Another operator, or the first one after nobody, restarts the counter's
            // numbering from the number the console handed over.
            if (id != lastOperator_[i]) {
                numero_[i]->setText(QString::number(state_.startingNumbers[i]));
                label6_[i]->setText(state_.counterNames[i]);
                lastOperator_[i] = id;
            }
        } else {
            pb1_[i]->setText(QString());
            pb1_[i]->setEnabled(false);
            label6_[i]->setText(QString());
            numero_[i]->setText(QStringLiteral("0"));
            numeroA_[i]->setText(QStringLiteral("0"));
            lastOperator_[i] = 0;
        }
    }
}

void FrontEnd::issueTicket(int index)
{
    // Nothing on the screen answers from the press to the end of printing.
    setEnabled(false);
    pendingOperator_ = pb1_[index]->text();
    pendingCounter_ = label6_[index]->text();
    pendingTime_ = label3_->text();

    QLineEdit *box = numero_[index];
    const QString oldText = box->text();
    const double next = NumericValue::rounded(oldText) + 1;
    // Giving the number back stores the box's old value, next - 1, as a 32-bit number
    // too: the lowest number is refused so that value always fits.
    if (next > std::numeric_limits<qint32>::max() || next <= std::numeric_limits<qint32>::min()) {
        report(QStringLiteral("Il ticket non è stato emesso: il numero successivo supererebbe il "
                              "massimo consentito (%1).\nAzzerare la numerazione dalla console.")
                   .arg(std::numeric_limits<qint32>::max()));
    } else {
        const qint32 number = qint32(next);
        box->setText(QString::number(number));
        bool stored = false;
        try {
            storeNumbering(index + 1, number);
            stored = true;
            writeTicketRecord(number);
            QString reason;
            switch (printer_->print(state_.archiveFolder, &reason)) {
            case TicketPrinter::Result::Printed:
                break;
            case TicketPrinter::Result::NoTicketRecord:
                dialogs_.message(this, Dialogs::Kind::Plain, TicketPrinter::noDataMessage());
                giveBack(index, oldText, number, QString());
                break;
            case TicketPrinter::Result::Failed:
                giveBack(index, oldText, number, reason);
                break;
            }
        } catch (const ArchiveError &error) {
            if (stored) {
                giveBack(index, oldText, number, error.fullText());
            } else {
                box->setText(oldText);
                report(QStringLiteral("Il ticket non è stato emesso: la numerazione non può "
                                      "essere memorizzata.\n\n")
                       + error.fullText());
            }
        }
    }
    // Presses made while printing reach a disabled screen and are dropped here, so a
    // double tap never prints a second ticket.
    QCoreApplication::processEvents();
    setEnabled(true);
}

void FrontEnd::storeNumbering(int line, qint32 number)
{
    RecordSet data1;
    data1.bind(ArchivePath::join(state_.archiveFolder, ArchivePath::totem()),
               ArchiveSchema::currentNumbersTable());
    data1.open();
    data1.edit();
    // Every line is copied from its box as it stands, the line just pressed included.
    for (int k = 1; k <= LineCount; ++k)
        data1.setValue(ArchiveSchema::currentNumberField(k),
                       NumericValue::rounded(numero_[k - 1]->text()));
    data1.setValue(ArchiveSchema::currentNumberField(line), number);
    data1.update();
}

void FrontEnd::writeTicketRecord(qint32 number)
{
    RecordSet data1;
    data1.bind(ArchivePath::join(state_.archiveFolder, ArchivePath::totem()),
               ArchiveSchema::ticketTable());
    data1.open();
    data1.edit();
    data1.setValue(QStringLiteral("Titolo"), title_->text());
    data1.setValue(QStringLiteral("QualeUtente"), pendingOperator_);
    data1.setValue(QStringLiteral("QualePostazione"), pendingCounter_);
    data1.setValue(QStringLiteral("QualeData"), ticketDate_);
    data1.setValue(QStringLiteral("QualeOra"), pendingTime_);
    data1.setValue(QStringLiteral("NumeroDaStampare"), number);
    data1.update();
}

void FrontEnd::giveBack(int index, const QString &oldText, qint32 number, const QString &reason)
{
    // No ticket left the printer: the number goes back, so the next press hands it out.
    numero_[index]->setText(oldText);
    QString archiveNote;
    try {
        storeNumbering(index + 1, qint32(NumericValue::rounded(oldText)));
    } catch (const ArchiveError &error) {
        // The box is the working counter: the archive catches up at the next ticket.
        archiveNote = QStringLiteral("\nLa numerazione nell'archivio sarà corretta al prossimo "
                                     "ticket (%1).")
                          .arg(error.message());
    }
    if (reason.isEmpty())
        return;
    report(QStringLiteral("Il ticket numero %1 non è stato stampato: il numero è stato restituito.")
               .arg(number)
           + archiveNote + QStringLiteral("\n\n") + reason);
}

void FrontEnd::report(const QString &text)
{
    dialogs_.message(this, Dialogs::Kind::Critical, text, QStringLiteral("ATTENZIONE"));
}

void FrontEnd::applyServed(const ServedNumbers &served)
{
    for (int i = 0; i < served.texts.size() && i < CounterCount; ++i)
        numeroA_[i]->setText(served.texts.at(i));
    if (served.failed)
        showServerNotice();
}

void FrontEnd::showServerNotice()
{
    // Once shown it stays until the screen closes, so a flickering share is noticed.
    label9_->show();
}

void FrontEnd::setBackgroundPicture(const QPixmap &picture)
{
    picture_ = picture;
    update();
}

void FrontEnd::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (!picture_.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, picture_);
    }
}

bool FrontEnd::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        lostActivationTo_ = QApplication::activeWindow();
        break;
    case QEvent::WindowActivate:
        // Coming back from one of our own message boxes is not a new activation: it
        // would set every number box back to its starting number.
        if (!activatedOnce_
            || (lostActivationTo_ && !qobject_cast<QMessageBox *>(lostActivationTo_.data())
                && lostActivationTo_ != this))
            activate();
        lostActivationTo_ = nullptr;
        break;
    default:
        break;
    }
    return QDialog::event(event);
}

bool FrontEnd::ownsWidget(QObject *object) const
{
    for (QObject *o = object; o; o = o->parent()) {
        if (o == this)
            return true;
    }
    return false;
}

bool FrontEnd::eventFilter(QObject *watched, QEvent *event)
{
    // Keys reach the screen whichever element has the focus: F10 closes it, every
    // other key does nothing (no Escape, no Enter on a button, no Alt+F4 shortcut).
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease
         || event->type() == QEvent::ShortcutOverride)
        && ownsWidget(watched)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Claiming the override keeps any shortcut from acting on the key.
        if (event->type() == QEvent::ShortcutOverride)
            event->accept();
        if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_F10
            && key->modifiers() == Qt::NoModifier) {
            closing_ = true;
            accept();
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrontEnd::showEvent(QShowEvent *event)
{
    qApp->installEventFilter(this);
    QDialog::showEvent(event);
}

void FrontEnd::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

void FrontEnd::done(int result)
{
    // Only F10 may end the screen; reject() from Escape and the like is refused.
    if (!closing_)
        return;
    QDialog::done(result);
}

void FrontEnd::closeEvent(QCloseEvent *event)
{
    if (!closing_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
