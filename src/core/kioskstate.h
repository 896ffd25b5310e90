#pragma once

#include "core/office.h"

#include <QString>

#include <array>

// Process-wide state: filled by the start-up sequence (archive folder, counter names) and
// by the console each time it opens the public screen (starting numbers). One object,
// handed by reference to the screens that read it.
class KioskState
{
public:
    static constexpr int CounterCount = Office::CounterCount;
    static constexpr int LineCount = Office::LineCount;

    QString archiveFolder;
    std::array<QString, CounterCount> counterNames;
    std::array<qint32, LineCount> startingNumbers{};
};
