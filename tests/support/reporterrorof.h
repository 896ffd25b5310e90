#pragma once

#include "report/reporterror.h"

#include <QString>

// The message of the ReportError that call throws, or "(none)" when it throws nothing.
template <typename Call> QString reportErrorOf(Call call)
{
    try {
        call();
    } catch (const ReportError &error) {
        return error.message();
    }
    return QStringLiteral("(none)");
}
