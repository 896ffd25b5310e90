#pragma once

#include "report/dataitem.h"

#include <QList>

class Clock;

// The data of a test print: number 0 and sample values for the ticket record's columns, so
// that a technician can try a printer without using up a number.
class TestTicket
{
public:
    static QList<DataItem> items(const Clock &clock);
};
