#include "report/escposdevicelink.h"

#include <QFile>

// Printers' device files exist on Unix systems only (see EscPosLink::open).
#ifdef Q_OS_UNIX

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

EscPosDeviceLink::EscPosDeviceLink(const QString &path, int timeoutMs) : timeoutMs_(timeoutMs)
{
    // Non-blocking, so that every wait is poll()'s with the timeout.
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        fail(QStringLiteral("open"));
        return;
    }
    // A serial line must pass the raster's bytes untouched: no translation of line ends,
    // no echo, no control characters.
    termios settings{};
    if (::isatty(fd_) && ::tcgetattr(fd_, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(fd_, TCSANOW, &settings);
    }
}

EscPosDeviceLink::~EscPosDeviceLink()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool EscPosDeviceLink::write(const QByteArray &bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.constData() + sent, size_t(bytes.size() - sent));
        if (n > 0) {
            sent += n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            fail(QStringLiteral("write"));
            return false;
        } else if (!waitFor(POLLOUT)) {
            return false;
        }
    }
    return true;
}

std::optional<char> EscPosDeviceLink::read()
{
    for (;;) {
        char byte = 0;
        const ssize_t n = ::read(fd_, &byte, 1);
        if (n == 1)
            return byte;
        if (n == 0) {
            error_ = QStringLiteral("read: end of file");
            return std::nullopt;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            fail(QStringLiteral("read"));
            return std::nullopt;
        }
        if (!waitFor(POLLIN))
            return std::nullopt;
    }
}

void EscPosDeviceLink::discardInput()
{
    char buffer[256];
    while (::read(fd_, buffer, sizeof buffer) > 0) {
    }
}

bool EscPosDeviceLink::waitFor(short events)
{
    pollfd watched{fd_, events, 0};
    const int ready = ::poll(&watched, 1, timeoutMs_);
    if (ready < 0) {
        fail(QStringLiteral("poll"));
        return false;
    }
    if (ready == 0) {
        error_ = QStringLiteral("nessuna risposta entro %1 ms").arg(timeoutMs_);
        return false;
    }
    // A hang-up with data still to read is read first; with none, the next read ends it.
    return (watched.revents & (POLLERR | POLLNVAL)) == 0;
}

void EscPosDeviceLink::fail(const QString &what)
{
    error_ = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

#endif
