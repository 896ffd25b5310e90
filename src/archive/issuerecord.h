#pragma once

#include "core/office.h"

#include <QString>

#include <array>
#include <optional>

// What one press leaves in Totem.mdb: every line's number for Numerazione (a line with none
// keeps what the archive holds) and, when a ticket goes with it, the ticket record's texts.
// A number given back has no ticket.
struct IssueRecord
{
    struct Ticket
    {
        QString title;
        QString operatorName;
        QString counterName;
        QString date;
        QString time;
        qint32 number = 0;
    };

    std::array<std::optional<qint32>, Office::LineCount> numbers{};
    std::optional<Ticket> ticket;
};
