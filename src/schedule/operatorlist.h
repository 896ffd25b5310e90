#pragma once

#include <QHash>
#include <QList>
#include <QString>

// The operators of `Utenti` in KZ4.mdb, in the order the archive keeps them, with a
// look-up by identifier for the names the schedule shows.
class OperatorList
{
public:
    struct Operator
    {
        qint32 id = 0;
        QString name;
    };

    // Throws ArchiveError. An operator without an identifier reads as 0, which assigns
    // nobody; an empty name reads as an empty text.
    static OperatorList read(const QString &archiveFolder);

    bool isEmpty() const { return operators_.isEmpty(); }
    int size() const { return int(operators_.size()); }
    const Operator &at(int index) const { return operators_.at(index); }

    // What a schedule cell shows for the operator: the name of the first operator with that
    // identifier; "?" and the number when there is none, so that a stale identifier stays
    // visible; "ID" and the number for an operator without a name, so that an assigned cell
    // never looks empty.
    QString cellText(qint32 id) const;

private:
    QList<Operator> operators_;
    QHash<qint32, qsizetype> firstById_;
};
