#include "frontend/ticketissuer.h"

#include "archive/archiveconnection.h"
#include "core/kioskstate.h"
#include "frontend/numbering.h"
#include "ui/dialogs.h"

#include <QCoreApplication>

#include <limits>

namespace {
const QString notIssued = QStringLiteral("Il ticket non è stato emesso: ");
}

TicketIssuer::TicketIssuer(const KioskState &state, Dialogs &dialogs, ReportEngine &engine,
                           QWidget *window)
    : state_(state), dialogs_(dialogs), printer_(engine), window_(window)
{
    thread_.setObjectName(QStringLiteral("FrontEnd archive writer"));
    writer_ = new IssueWriter(IssueJournal());
    writer_->moveToThread(&thread_);
    connect(&thread_, &QThread::started, writer_,
            [] { ArchiveConnection::setBusyTimeoutOfThisThread(LockWaitMs); });
    connect(&thread_, &QThread::finished, writer_, &QObject::deleteLater);
    connect(writer_, &IssueWriter::stored, this, &TicketIssuer::onStored);
    connect(writer_, &IssueWriter::gaveBack, this, &TicketIssuer::onGaveBack);
    connect(writer_, &IssueWriter::journalChanged, this, &TicketIssuer::journalChanged);
    answerLimit_.setSingleShot(true);
    answerLimit_.setInterval(AnswerLimitMs);
    connect(&answerLimit_, &QTimer::timeout, this, &TicketIssuer::onNoAnswer);
    thread_.start();
}

TicketIssuer::~TicketIssuer()
{
    // Work under way finishes first: a number half-way to the archive is never cut off.
    thread_.quit();
    thread_.wait();
}

void TicketIssuer::issue(Numbering &numbering, int line, const PendingTicket &ticket,
                         std::function<void()> finished)
{
    const auto refuse = [&](const QString &why) {
        dialogs_.alert(window_, notIssued + why);
        finished();
    };
    if (writerOverdue_) {
        refuse(QStringLiteral("l'archivio Totem.mdb non risponde ancora alla richiesta "
                              "precedente."));
        return;
    }
    // A printer that already says it cannot print keeps the number for the next person.
    QString notReady;
    if (!printer_.ready(&notReady)) {
        refuse(QStringLiteral("la stampante non è pronta.\n\n") + notReady);
        return;
    }
    const std::optional<qint32> next = numbering.next(line);
    if (!next) {
        refuse(QStringLiteral("il numero successivo supererebbe il massimo consentito (%1).\n"
                              "Azzerare la numerazione dalla console.")
                   .arg(std::numeric_limits<qint32>::max()));
        return;
    }
    IssueRecord record = numbersShown(numbering);
    record.numbers[line] = *next;
    record.ticket = IssueRecord::Ticket{ticket.title, ticket.operatorName, ticket.counterName,
                                        ticket.date,  ticket.time,         *next};
    press_ = Press{};
    press_->id = ++lastPress_;
    press_->numbering = &numbering;
    press_->line = line;
    press_->previous = numbering.current(line);
    press_->number = *next;
    press_->finished = std::move(finished);
    QMetaObject::invokeMethod(
        writer_, [writer = writer_, id = press_->id, folder = state_.archiveFolder, record] {
            writer->store(id, folder, record, IssueJournal::enabledInSettings());
        });
    answerLimit_.start();
}

void TicketIssuer::onStored(const IssueWriter::Reply &reply)
{
    if (!press_ || press_->givingBack || reply.press != press_->id) {
        writerOverdue_ = false; // the late answer of a press already refused
        return;
    }
    answerLimit_.stop();
    if (reply.outcome == IssueWriter::Outcome::NotStored) {
        dialogs_.alert(window_, notIssued
                                    + QStringLiteral("la numerazione non può essere "
                                                     "memorizzata.\n\n")
                                    + reply.error);
        finish();
        return;
    }
    press_->numbering->set(press_->line, press_->number);
    press_->journalEntry = reply.journalEntry;
    if (reply.outcome == IssueWriter::Outcome::RecordFailed) {
        giveBack(reply.error);
        return;
    }
    if (!reply.ticket) {
        press_->noTicketRecord = true;
        giveBack(QString());
        return;
    }
    QString reason;
    if (printer_.print(*reply.ticket, &reason))
        finish();
    else
        giveBack(reason);
}

void TicketIssuer::giveBack(const QString &reason)
{
    // No ticket left the printer: the number goes back, so the next press hands it out.
    press_->givingBack = true;
    press_->reason = reason;
    press_->numbering->set(press_->line, press_->previous);
    IssueRecord record = numbersShown(*press_->numbering);
    record.numbers[press_->line] = press_->number - 1;
    QMetaObject::invokeMethod(writer_, [writer = writer_, folder = state_.archiveFolder, record,
                                        entry = press_->journalEntry] {
        writer->giveBack(folder, record, entry, IssueJournal::enabledInSettings());
    });
    answerLimit_.start();
}

void TicketIssuer::onGaveBack(const QString &failure)
{
    if (!press_ || !press_->givingBack) {
        writerOverdue_ = false;
        return;
    }
    answerLimit_.stop();
    tellGivenBack(failure);
}

void TicketIssuer::tellGivenBack(const QString &failure)
{
    if (press_->noTicketRecord) {
        dialogs_.message(window_, Dialogs::Kind::Plain, TicketPrinter::noDataMessage());
    } else if (!press_->reason.isEmpty()) {
        // The screen's numbering is the working one: the archive catches up at the next ticket.
        const QString archiveNote =
            failure.isEmpty()
                ? QString()
                : QStringLiteral("\nLa numerazione nell'archivio sarà corretta al prossimo "
                                 "ticket (%1).")
                      .arg(failure);
        dialogs_.alert(window_, QStringLiteral("Il ticket numero %1 non è stato stampato: il "
                                               "numero è stato restituito.")
                                        .arg(press_->number)
                                    + archiveNote + QStringLiteral("\n\n") + press_->reason);
    }
    finish();
}

void TicketIssuer::onNoAnswer()
{
    writerOverdue_ = true;
    const QString silent = QStringLiteral("l'archivio Totem.mdb non risponde entro %1 secondi")
                               .arg(AnswerLimitMs / 1000);
    if (press_->givingBack) {
        tellGivenBack(silent);
        return;
    }
    dialogs_.alert(window_, notIssued + silent + u'.');
    finish();
}

void TicketIssuer::finish()
{
    const std::function<void()> finished = std::move(press_->finished);
    press_.reset();
    finished();
}

void TicketIssuer::catchUp()
{
    if (catchingUp_ || press_ || writerOverdue_)
        return;
    catchingUp_ = true;
    QMetaObject::invokeMethod(writer_, [this, writer = writer_, folder = state_.archiveFolder] {
        writer->catchUp(folder);
        QMetaObject::invokeMethod(this, [this] { catchingUp_ = false; });
    });
}

void TicketIssuer::waitForWork()
{
    // An answer may ask the writer for more (a number given back): until the press is over.
    do {
        QMetaObject::invokeMethod(
            writer_, [] {}, Qt::BlockingQueuedConnection);
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    } while (press_ || catchingUp_);
}

IssueRecord TicketIssuer::numbersShown(const Numbering &numbering) const
{
    // A line with no number keeps what the archive holds for it.
    IssueRecord record;
    for (int line = 0; line < Office::LineCount; ++line)
        record.numbers[line] = numbering.current(line);
    return record;
}
