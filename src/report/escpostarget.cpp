#include "report/escpostarget.h"

#include "report/escposlink.h"
#include "report/escposraster.h"
#include "report/reporterror.h"
#include "report/ticketproject.h"

#include <QLocale>
#include <QMutex>
#include <QSet>

namespace {
const QByteArray Initialize("\x1b@", 2); // ESC @
// GS V 66 0: feed to the cutter, then cut leaving a hinge, so that the ticket hangs until
// taken instead of dropping.
const QByteArray FeedAndCut("\x1dVB\x00", 4);
// ESC d 4: four lines (about 17 mm) bring the ticket past the tear bar above the head.
const QByteArray FeedToTearOff("\x1b\x64\x04", 3);
} // namespace

EscPosTarget::EscPosTarget(const TicketProject &project)
    : printer_(project.printer), timeoutMs_(project.timeoutMs),
      link_(EscPosLink::open(project.printer, project.timeoutMs))
{
}

EscPosTarget::~EscPosTarget() = default;

void EscPosTarget::checkReady()
{
    const EscPosStatus status = askStatus();
    const QString refusal = status.refusal(printer_);
    if (!refusal.isEmpty())
        throw ReportError(refusal);
    noteNearEnd(status.paperNearEnd());
}

void EscPosTarget::print(const TicketProject &project, const QList<QList<DataItem>> &pages)
{
    // Drawn first, so that as little time as possible passes between the last look at
    // the printer and the bytes.
    const QByteArray bytes = document(project, pages);
    checkReady();
    // The answer to a last status request arrives only after every byte before it: the
    // proof that the printer has the whole ticket. A printer takes bytes in about as fast
    // as it prints, so that answer may wait for most of a ticket to come out (well under
    // a second on a thermal head) and the timeout must allow for it. Printers that take
    // DLE EOT even inside an image's dots may answer early; the proof is then weaker, but
    // it never fails a print that arrived.
    if (!link_->write(bytes + EscPosStatus::printerRequest()) || !link_->read()) {
        const QString detail = link_->errorString();
        link_.reset();
        throw ReportError(QStringLiteral("La stampa si è interrotta (%1): il biglietto potrebbe "
                                         "essere incompleto e non viene ristampato.")
                              .arg(printer_),
                          detail);
    }
}

QByteArray EscPosTarget::document(const TicketProject &project, const QList<QList<DataItem>> &pages)
{
    QByteArray bytes = Initialize;
    for (const QList<DataItem> &items : pages) {
        bytes += EscPosRaster::rasterCommands(EscPosRaster::ticketImage(project, items));
        bytes += project.cut ? FeedAndCut : FeedToTearOff;
    }
    return bytes;
}

EscPosStatus EscPosTarget::askStatus()
{
    if (!link_)
        throw ReportError(
            QStringLiteral("La connessione con la stampante dei biglietti (%1) si è interrotta.")
                .arg(printer_));
    link_->discardInput();
    std::array<quint8, EscPosStatus::Requests> answers{};
    bool answered = link_->write(EscPosStatus::request());
    for (quint8 &answer : answers) {
        const std::optional<char> byte = answered ? link_->read() : std::nullopt;
        answered = byte.has_value();
        if (!answered)
            break;
        if (!EscPosStatus::isAnswer(*byte))
            throw ReportError(
                QStringLiteral("Errore della stampante dei biglietti (%1).").arg(printer_),
                QStringLiteral("risposta di stato non valida: 0x%1")
                    .arg(quint8(*byte), 2, 16, QLatin1Char('0')));
        answer = quint8(*byte);
    }
    if (!answered)
        throw ReportError(
            QStringLiteral("Stampante non raggiungibile (%1): nessuna risposta entro %2 secondi.")
                .arg(printer_, QLocale(QLocale::Italian).toString(timeoutMs_ / 1000.0)),
            link_->errorString());
    return EscPosStatus(answers);
}

void EscPosTarget::noteNearEnd(bool nearEnd) const
{
    // Once per printer until the roll is changed, not on every ticket of the day.
    static QMutex mutex;
    static QSet<QString> told;
    const QMutexLocker lock(&mutex);
    if (!nearEnd) {
        told.remove(printer_);
    } else if (!told.contains(printer_)) {
        told.insert(printer_);
        qWarning("Carta quasi esaurita nella stampante dei biglietti (%s).",
                 qUtf8Printable(printer_));
    }
}
