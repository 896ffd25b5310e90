#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

// The bytes to and from a thermal printer spoken to directly, over the network or through
// its device file. Every wait is bounded by the timeout given when opening, and nothing
// runs an event loop: the caller blocks until the printer answers or the time is up.
class EscPosLink
{
public:
    static constexpr quint16 DefaultPort = 9100;

    virtual ~EscPosLink() = default;

    // The printer text "escpos:tcp://HOST[:PORT]" or "escpos:/dev/..." (any absolute path
    // of a device file, opened for reading and writing; on Unix only, elsewhere malformed).
    // Connects or opens, waiting at most timeoutMs. Throws ReportError naming the text when
    // it is malformed or the printer cannot be reached.
    static std::unique_ptr<EscPosLink> open(const QString &printerText, int timeoutMs);

    // Hands every byte to the printer, or returns false when the link broke or made no
    // progress for the timeout: then an unknown part of them has gone.
    virtual bool write(const QByteArray &bytes) = 0;
    // The next byte from the printer, or none within the timeout.
    virtual std::optional<char> read() = 0;
    // Drops what the printer has sent so far, so that the next read answers the next
    // question.
    virtual void discardInput() = 0;
    virtual QString errorString() const = 0;
};
