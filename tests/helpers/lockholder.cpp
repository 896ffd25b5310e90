// Plays the other workstations and a slow share: keeps taking the write lock of Totem.mdb
// and KZ4B.mdb at random moments, holding it for up to 200 ms, until it is stopped or its
// time is up. Given an archive's file name, it instead holds that archive's write lock for
// the whole time, as a workstation stuck in the middle of a write, and says "bloccato" on
// its output once the lock is taken. The archives may be files or on a server.
#include "archive/archiveconnection.h"
#include "archive/archiveerror.h"
#include "archive/archivepath.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>

namespace {

// A file is locked whole; on a server, what the kiosk writes: the numbers, or a counter's
// served number.
bool lock(QSqlQuery &query, const QString &path)
{
    const bool totem = ArchivePath::fileName(path) == ArchivePath::totem();
    if (!ArchivePath::isServer(path))
        return query.exec(QStringLiteral("BEGIN EXCLUSIVE"))
               && query.exec(
                   totem ? QStringLiteral("UPDATE \"TotemLunedì\" SET sette = sette")
                         : QStringLiteral("UPDATE NumeriCode1 SET NumeroA1 = NumeroA1 + 1"));
    return query.exec(QStringLiteral("BEGIN"))
           && query.exec(totem ? QStringLiteral("LOCK TABLE numerazione IN EXCLUSIVE MODE")
                               : QStringLiteral("UPDATE numericode1 SET numeroa1 = numeroa1 + 1"));
}

int holdOne(const QString &path, QDeadlineTimer deadline)
{
    try {
        ArchiveConnection connection(path);
        QSqlQuery query(connection.database());
        if (!lock(query, path)) {
            std::fprintf(stderr, "%s\n", qPrintable(query.lastError().text()));
            return 1;
        }
        std::printf("bloccato\n");
        std::fflush(stdout);
        QThread::msleep(quint64(deadline.remainingTime()));
        query.exec(QStringLiteral("ROLLBACK"));
    } catch (const ArchiveError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 && args.size() != 4) {
        std::fprintf(stderr, "uso: lockholder CARTELLA SECONDI [ARCHIVIO]\n");
        return 2;
    }
    QDeadlineTimer deadline(qint64(args.at(2).toInt()) * 1000);
    if (args.size() == 4)
        return holdOne(ArchivePath::join(args.at(1), args.at(3)), deadline);
    QRandomGenerator random(20261207);
    int held = 0;
    while (!deadline.hasExpired()) {
        const QString path = ArchivePath::join(
            args.at(1), random.bounded(2) == 0 ? ArchivePath::totem() : ArchivePath::kz4b());
        try {
            ArchiveConnection connection(path);
            QSqlQuery query(connection.database());
            if (lock(query, path)) {
                QThread::msleep(random.bounded(201));
                query.exec(QStringLiteral("COMMIT"));
                ++held;
            }
        } catch (const ArchiveError &) {
            // the kiosk is holding it: try again later, as a workstation would
        }
        QThread::msleep(200 + random.bounded(400));
    }
    std::printf("%d\n", held);
    return 0;
}
