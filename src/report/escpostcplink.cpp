#include "report/escpostcplink.h"

EscPosTcpLink::EscPosTcpLink(const QString &host, quint16 port, int timeoutMs)
    : timeoutMs_(timeoutMs)
{
    socket_.connectToHost(host, port);
    socket_.waitForConnected(timeoutMs_);
}

bool EscPosTcpLink::write(const QByteArray &bytes)
{
    if (socket_.write(bytes) != bytes.size())
        return false;
    // Each wait ends as soon as some bytes went; only a printer that takes nothing for the
    // whole timeout, or a broken connection, stops the loop.
    while (socket_.bytesToWrite() > 0) {
        if (!socket_.waitForBytesWritten(timeoutMs_))
            return false;
    }
    return true;
}

std::optional<char> EscPosTcpLink::read()
{
    if (socket_.bytesAvailable() == 0 && !socket_.waitForReadyRead(timeoutMs_))
        return std::nullopt;
    char byte = 0;
    if (!socket_.getChar(&byte))
        return std::nullopt;
    return byte;
}

void EscPosTcpLink::discardInput()
{
    // Without an event loop the socket takes in what has arrived only while waiting.
    while (socket_.waitForReadyRead(0))
        socket_.readAll();
    socket_.readAll();
}
