#pragma once

#include "report/ticketitem.h"

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <QStringList>

// The ticket's design as kept in Ticket.lbl: a versioned JSON document with the paper
// size, the printer and the items. The format is described in docs/ticket-project.md.
class TicketProject
{
public:
    static constexpr int FormatVersion = 1;
    // The largest length the file takes: it catches a size in micrometres, not a layout.
    static constexpr double MaxMillimetres = 1000;
    static QString defaultFileName() { return QStringLiteral("Ticket.lbl"); }
    // The printer text that writes each ticket as a PDF into a folder.
    static QString pdfPrefix() { return QStringLiteral("pdf:"); }
    // The printer text of a thermal printer spoken to directly: "escpos:tcp://HOST[:PORT]"
    // or "escpos:/dev/...".
    static QString escPosPrefix() { return QStringLiteral("escpos:"); }

    QSizeF paperSize{80, 100}; // millimetres: an 80 mm receipt
    // Empty: the system's default printer; a printer's name; "pdf:<folder>"; "escpos:...".
    QString printer;
    QList<TicketItem> items;

    // How the printer is driven ("printing" in the file; every key optional).
    int dotsPerInch = 203; // a thermal head's resolution, for the ESC/POS raster
    bool cut = true;       // cut the roll after each ticket (ESC/POS)
    int timeoutMs = 3000;  // how long a printer or its spooler may take to answer

    // Title, large ticket number, counter, operator, date and time.
    static TicketProject defaultTicket(const QString &printer = QString());

    // Throws ReportError with an Italian message: missing or unreadable file, not JSON,
    // not a ticket project, a version newer than this program reads, bad values.
    static TicketProject load(const QString &path);
    static TicketProject fromJson(const QByteArray &json); // throws ReportError
    QByteArray toJson() const;
    // Written whole or not at all (QSaveFile); throws ReportError.
    void save(const QString &path) const;

    // The data item names the items' templates refer to, in order of first use; a name
    // used again in another spelling of case counts once.
    QStringList referencedItems() const;
    // A placeholder "{Name}" in an item's text; the first group is the name.
    static const QRegularExpression &placeholderPattern();

    friend bool operator==(const TicketProject &, const TicketProject &) = default;
};
