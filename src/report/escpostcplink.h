#pragma once

#include "report/escposlink.h"

#include <QTcpSocket>

// A printer's raw port on the network (9100 by default).
class EscPosTcpLink final : public EscPosLink
{
public:
    EscPosTcpLink(const QString &host, quint16 port, int timeoutMs);

    // False, with errorString(), when no connection was made within the timeout.
    bool connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }

    bool write(const QByteArray &bytes) override;
    std::optional<char> read() override;
    void discardInput() override;
    QString errorString() const override { return socket_.errorString(); }

private:
    QTcpSocket socket_;
    int timeoutMs_;
};
