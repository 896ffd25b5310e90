#pragma once

#include "archive/archivecontent.h"

// A believable office for demonstrations and for trying the kiosk by hand: ten counters of
// a town hall, eight operators on a weekly rota with a lunch break and a short Saturday,
// numbers already handed out and being served, and a screen arranged for 1280 x 1024.
class DemoArchiveContent
{
public:
    static ArchiveContent build();

    struct Operator
    {
        qint32 id;
        QString name;
    };
    static QList<Operator> operators();
    static QStringList counterNames();
    // The operator ID on duty at counter 1..10 in hour 7..20 of weekday 1..7 (Monday
    // first); 0 when the counter is closed.
    static qint32 onDuty(int weekday, int counter, int hour);
    // Arranged for a 1280 x 1024 screen (19200 x 15360 twips).
    static ArchiveContent::ScreenLayout screenLayout();
};
