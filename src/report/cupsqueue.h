#pragma once

#include "report/cupsmedium.h"

#include <QList>
#include <QStringList>

// What a queue of the spooler says about itself at one moment: whether it can take a
// ticket now, and which paper it offers. A plain value, so the rules on it are tested
// without a spooler.
class CupsQueue
{
public:
    enum class State
    {
        Idle,
        Processing,
        Stopped
    };

    QString name;
    State state = State::Idle;
    bool accepting = true;
    QStringList reasons; // printer-state-reasons keywords; "none" is not kept
    QList<CupsMedium> media;
    // The range of sizes the queue takes besides its media; empty when it takes none.
    QSizeF customMinimum;
    QSizeF customMaximum;

    // Why no ticket can be printed now, in Italian; empty when the queue is ready.
    QString problem() const;
    // "pronta", "occupata" or "ferma".
    QString stateText() const;

    // The paper for a ticket of that size (millimetres): the ticket's own size when the
    // queue takes custom sizes that large, else the narrowest medium at least as wide,
    // else the widest. A queue that lists no media gets the ticket's size, unnamed.
    CupsMedium mediumFor(const QSizeF &ticket) const;
    // The PWG name of a custom size, e.g. "custom_80x90mm_80x90mm".
    static QString customName(const QSizeF &millimetres);
};
