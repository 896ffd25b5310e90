#pragma once

#include <QString>

// What became of one print: delivered, or why not in an Italian sentence for the user.
struct DeliveryResult
{
    enum class Status
    {
        Printed,
        Unavailable, // the printer or the folder cannot take a ticket: nothing was started
        Failed       // the document was started but did not reach its destination
    };

    Status status = Status::Printed;
    QString message; // empty when printed

    bool printed() const { return status == Status::Printed; }
    static DeliveryResult failure(Status status, QString message)
    {
        return DeliveryResult{status, std::move(message)};
    }
};
