#include "support/loopbackprinter.h"

#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>

#include <pty.h>
#include <unistd.h>

namespace {
// The bits each status adds to the answers to DLE EOT 1 to 4 (0x12 when all is well).
constexpr quint8 StatusBits[][4] = {
    {0, 0, 0, 0},          // Ready
    {0, 0, 0, 0x0c},       // NearEnd: roll near-end sensor
    {0x08, 0x20, 0, 0x60}, // PaperEnd: offline, stopped for paper end, roll end sensor
    {0x08, 0x04, 0, 0},    // CoverOpen
    {0x08, 0x40, 0x20, 0}, // Error: an unrecoverable one
    {0x08, 0, 0, 0},       // Offline
    {0, 0, 0, 0}};         // Silent
} // namespace

LoopbackPrinter::LoopbackPrinter(Link link) : context_(new QObject)
{
    context_->moveToThread(&thread_);
    thread_.start();
    QMetaObject::invokeMethod(
        context_, [this, link] { link == Link::Tcp ? listen() : openPty(); },
        Qt::BlockingQueuedConnection);
}

LoopbackPrinter::~LoopbackPrinter()
{
    QMetaObject::invokeMethod(
        context_, [this] { qDeleteAll(context_->children()); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
    delete context_;
    ::close(ptyMaster_);
    ::close(ptySlave_);
}

void LoopbackPrinter::listen()
{
    auto *server = new QTcpServer(context_);
    server->listen(QHostAddress::LocalHost);
    printerText_ = QStringLiteral("escpos:tcp://127.0.0.1:%1").arg(server->serverPort());
    QObject::connect(server, &QTcpServer::newConnection, context_, [this, server] {
        while (QTcpSocket *socket = server->nextPendingConnection()) {
            {
                const QMutexLocker lock(&mutex_);
                ++record_.connections;
            }
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                bool hangUp = false;
                const QByteArray answers = take(socket->readAll(), &hangUp);
                if (hangUp)
                    socket->abort();
                else
                    socket->write(answers);
            });
        }
    });
}

void LoopbackPrinter::openPty()
{
    // The slave stays open here too, so that the master never sees a hang-up between the
    // code under test's opening and closing it.
    if (::openpty(&ptyMaster_, &ptySlave_, nullptr, nullptr, nullptr) != 0)
        return;
    printerText_ = QStringLiteral("escpos:") + QString::fromLocal8Bit(::ttyname(ptySlave_));
    // Neither connections nor hang-ups here: the network tests count those.
    auto *notifier = new QSocketNotifier(ptyMaster_, QSocketNotifier::Read, context_);
    QObject::connect(notifier, &QSocketNotifier::activated, context_, [this] {
        char buffer[4096];
        const ssize_t n = ::read(ptyMaster_, buffer, sizeof buffer);
        bool hangUp = false;
        const QByteArray answers = take(QByteArray(buffer, std::max<ssize_t>(n, 0)), &hangUp);
        [[maybe_unused]] const ssize_t written =
            ::write(ptyMaster_, answers.constData(), size_t(answers.size()));
    });
}

LoopbackPrinter::Record LoopbackPrinter::record() const
{
    const QMutexLocker lock(&mutex_);
    return record_;
}

QByteArray LoopbackPrinter::take(const QByteArray &bytes, bool *hangUp)
{
    const QMutexLocker lock(&mutex_);
    QByteArray in = bytes;
    const qsizetype drop = dropAfter;
    *hangUp = drop >= 0 && record_.received.size() + in.size() >= drop;
    if (*hangUp)
        in.truncate(drop - record_.received.size());
    record_.received += in;
    pending_ += in;
    QByteArray answers;
    while (const qsizetype length = command(&answers))
        pending_.remove(0, length);
    return answers;
}

qsizetype LoopbackPrinter::command(QByteArray *answers)
{
    const qsizetype have = pending_.size();
    const auto at = [this, have](qsizetype i) {
        return i < have ? int(quint8(pending_.at(i))) : 0;
    };
    const int code = at(0) << 8 | at(1);
    // Only what the code under test sends: DLE EOT n, ESC @, ESC d n, GS V m n and GS v 0;
    // any other byte is taken alone.
    qsizetype length = code == 0x1b40 ? 2 : code == 0x1004 || code == 0x1b64 ? 3 : 1;
    if (code == 0x1d56)
        length = 4;
    else if (code == 0x1d76)
        length = have < 8 ? 8 : 8 + qsizetype(at(4) | at(5) << 8) * (at(6) | at(7) << 8);
    const bool prefixed = at(0) == 0x10 || at(0) == 0x1b || at(0) == 0x1d;
    if (have == 0 || have < length || (prefixed && have < 2))
        return 0;
    if (code == 0x1004) {
        if (const Status now = status; now != Status::Silent && at(2) >= 1 && at(2) <= 4)
            answers->append(char(0x12 | StatusBits[int(now)][at(2) - 1]));
        return length;
    }
    record_.printed += length;
    if (code == 0x1d76) {
        rowBytes_ = at(4) | at(5) << 8;
        rows_ += pending_.mid(8, length - 8);
    }
    if (code == 0x1d56)
        ++record_.cuts;
    if (code == 0x1d56 || code == 0x1b64)
        endTicket();
    return length;
}

void LoopbackPrinter::endTicket()
{
    if (rowBytes_ == 0)
        return;
    QImage image(rowBytes_ * 8, int(rows_.size() / rowBytes_), QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < image.height(); ++y)
        memcpy(image.scanLine(y), rows_.constData() + qsizetype(y) * rowBytes_, size_t(rowBytes_));
    record_.tickets.append(image);
    rows_.clear();
    rowBytes_ = 0;
}
