// Plays the other workstations and a slow share: keeps taking the write lock of Totem.mdb
// and KZ4B.mdb at random moments, holding it for up to 200 ms, until it is stopped or its
// time is up.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "uso: lockholder CARTELLA SECONDI\n");
        return 2;
    }
    const QDir folder(args.at(1));
    QDeadlineTimer deadline(qint64(args.at(2).toInt()) * 1000);
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
