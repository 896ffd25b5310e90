#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// What a printer answers to the real-time status requests DLE EOT 1 to 4: printer,
// offline cause, error cause and roll paper sensor, one byte each.
class EscPosStatus
{
public:
    static constexpr int Requests = 4;

    // DLE EOT n for every n, in one go: a single round trip to ask them all.
    static QByteArray request();
    // DLE EOT 1 alone.
    static QByteArray printerRequest();
    // Every answer has bit 1 and bit 4 set and bits 0 and 7 clear; anything else is not one.
    static bool isAnswer(char byte);

    explicit EscPosStatus(const std::array<quint8, Requests> &answers) : answers_(answers) {}

    bool offline() const;      // DLE EOT 1, bit 3
    bool coverOpen() const;    // DLE EOT 2, bit 2
    bool paperEnd() const;     // DLE EOT 2, bit 5 or DLE EOT 4, bit 5 or 6
    bool failed() const;       // DLE EOT 2, bit 6 or DLE EOT 3, bits 3 (cutter), 5 and 6
    bool paperNearEnd() const; // DLE EOT 4, bit 2 or 3: still prints

    // The Italian sentence for why the printer cannot print now, naming it by its printer
    // text; empty when it can. The first cause that applies: no paper, cover open, an
    // error, offline (which the others bring along).
    QString refusal(const QString &printer) const;

private:
    bool bit(int request, int bit) const { return (answers_.at(request - 1) >> bit) & 1; }

    std::array<quint8, Requests> answers_{0x12, 0x12, 0x12, 0x12};
};
