#pragma once

#include "archive/archiveerror.h"

#include <QTest>

// The reason of the ArchiveError that call throws. A call that throws nothing fails the test:
// no reason may stand for "no failure".
template <typename Call> ArchiveError::Reason archiveFailureOf(Call call)
{
    try {
        call();
    } catch (const ArchiveError &error) {
        return error.reason();
    }
    QTest::qFail("no ArchiveError was thrown", __FILE__, __LINE__);
    return ArchiveError::Reason::Other;
}
