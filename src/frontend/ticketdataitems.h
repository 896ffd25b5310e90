#pragma once

class RecordSet;
class ReportEngine;
struct TicketRecord;

// Turns the columns of the current ticket record into the engine's data items, in column
// order. When printing, each column's kind chooses the type; when designing, the kind of
// the value does, so an empty field is offered as an empty text.
class TicketDataItems
{
public:
    static void defineByColumn(const TicketRecord &record, ReportEngine &engine);
    static void defineByValue(const RecordSet &record, ReportEngine &engine);
    // For a table without records: every column by name, as an empty text.
    static void defineEmpty(const RecordSet &record, ReportEngine &engine);
};
