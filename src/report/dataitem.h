#pragma once

#include <QString>

// One named value handed to the ticket layout: a column of the ticket record, its content
// in text form and a type code that tells the engine how to read the content.
struct DataItem
{
    enum Type : qint32
    {
        Text = 0x10000000,
        Number = 0x08000000,
        Date = 0x04000002, // content: days since 30 December 1899, time of day as fraction
        Boolean = 0x02000000
    };

    QString name;
    QString content;
    qint32 type = Text;

    friend bool operator==(const DataItem &, const DataItem &) = default;
};
