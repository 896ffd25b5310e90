#include "report/escposstatus.h"

namespace {
constexpr quint8 FixedBitsMask = 0x93;
constexpr quint8 FixedBits = 0x12;
} // namespace

QByteArray EscPosStatus::request()
{
    QByteArray bytes;
    for (int n = 1; n <= Requests; ++n)
        bytes += printerRequest().chopped(1) + char(n);
    return bytes;
}

QByteArray EscPosStatus::printerRequest()
{
    return QByteArray("\x10\x04\x01", 3); // DLE EOT 1
}

bool EscPosStatus::isAnswer(char byte)
{
    return (quint8(byte) & FixedBitsMask) == FixedBits;
}

bool EscPosStatus::offline() const
{
    return bit(1, 3);
}

bool EscPosStatus::coverOpen() const
{
    return bit(2, 2);
}

bool EscPosStatus::paperEnd() const
{
    return bit(2, 5) || bit(4, 5) || bit(4, 6);
}

bool EscPosStatus::failed() const
{
    return bit(2, 6) || bit(3, 3) || bit(3, 5) || bit(3, 6);
}

bool EscPosStatus::paperNearEnd() const
{
    return bit(4, 2) || bit(4, 3);
}

QString EscPosStatus::refusal(const QString &printer) const
{
    if (paperEnd())
        return QStringLiteral("Carta esaurita nella stampante dei biglietti (%1).").arg(printer);
    if (coverOpen())
        return QStringLiteral("Il coperchio della stampante dei biglietti è aperto (%1).")
            .arg(printer);
    if (failed())
        return QStringLiteral("Errore della stampante dei biglietti (%1).").arg(printer);
    if (offline())
        return QStringLiteral("La stampante dei biglietti è fuori linea (%1).").arg(printer);
    return QString();
}
