#pragma once

#include "report/ticketproject.h"
#include "report/ticketprojectformat.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// Reads one Ticket.lbl document. Every complaint names the document (subject) and, for an
// item, its position as the user counts, so that whoever edited the file by hand can find
// the mistake. Throws ReportError.
class TicketProjectReader
{
public:
    explicit TicketProjectReader(QString subject) : subject_(std::move(subject)) {}

    TicketProject read(const QByteArray &json) const;

private:
    [[noreturn]] static void fail(const QString &message, const QString &detail = QString());

    QString notOurs() const;

    static bool isWholeNumber(const QJsonValue &value);

    static QString describe(const QJsonValue &value);

    QJsonObject object(const QJsonObject &parent, const QString &key, const QString &owner) const;

    QString string(const QJsonObject &parent, const QString &key, const QString &fallback,
                   const QString &owner) const;

    bool boolean(const QJsonObject &parent, const QString &key, const QString &owner) const;

    double millimetres(const QJsonObject &parent, const QString &key, const QString &what,
                       bool zeroAllowed) const;

    Qt::Alignment alignment(const QJsonObject &parent, const QString &key,
                            const QList<TicketProjectFormat::AlignmentName> &names,
                            Qt::Alignment fallback, const QString &owner) const;

    TicketItem item(const QJsonValue &value, int number) const;
    // The optional "printing" object: how a printer is driven, not what is printed.
    void readPrinting(const QJsonObject &root, TicketProject &project) const;
    double number(const QJsonObject &parent, const QString &key, double fallback, double min,
                  double max, const QString &what) const;

    QString subject_;
};
