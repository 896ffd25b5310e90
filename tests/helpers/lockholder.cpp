// Plays the other workstations and a slow share: keeps taking the write lock of Totem.mdb
// and KZ4B.mdb at random moments, holding it for up to 200 ms, until it is stopped or its
// time is up. Given an archive's file name, it instead holds that archive's write lock for
// the whole time, as a workstation stuck in the middle of a write, and says "bloccato" on
// its output once the lock is taken.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>

namespace {

int holdOne(const QString &path, QDeadlineTimer deadline)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (!db.open() || !query.exec(QStringLiteral("BEGIN EXCLUSIVE"))) {
            std::fprintf(stderr, "%s\n", qPrintable(db.lastError().text()));
            return 1;
        }
        std::printf("bloccato\n");
        std::fflush(stdout);
        QThread::msleep(quint64(deadline.remainingTime()));
        query.exec(QStringLiteral("ROLLBACK"));
    }
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
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
    const QDir folder(args.at(1));
    QDeadlineTimer deadline(qint64(args.at(2).toInt()) * 1000);
    if (args.size() == 4)
        return holdOne(folder.filePath(args.at(3)), deadline);
    QRandomGenerator random(20261207);
    int held = 0;
    while (!deadline.hasExpired()) {
        const bool totem = random.bounded(2) == 0;
        const QString name = QStringLiteral("lock%1").arg(held);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(
                folder.filePath(totem ? QStringLiteral("Totem.mdb") : QStringLiteral("KZ4B.mdb")));
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
            if (db.open()) {
                QSqlQuery query(db);
                if (query.exec(QStringLiteral("BEGIN EXCLUSIVE"))) {
                    query.exec(
                        totem ? QStringLiteral("UPDATE \"TotemLunedì\" SET sette = sette")
                              : QStringLiteral("UPDATE NumeriCode1 SET NumeroA1 = NumeroA1 + 1"));
                    QThread::msleep(random.bounded(201));
                    query.exec(QStringLiteral("COMMIT"));
                    ++held;
                }
            }
        }
        QSqlDatabase::removeDatabase(name);
        QThread::msleep(200 + random.bounded(400));
    }
    std::printf("%d\n", held);
    return 0;
}
