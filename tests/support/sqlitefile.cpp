#include "support/sqlitefile.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

bool SqliteFile::run(const QString &path, const QStringList &statements)
{
    static int serial = 0;
    const QString name = QStringLiteral("test-sqlitefile-%1").arg(++serial);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            qWarning() << "cannot open" << path << db.lastError().text();
            ok = false;
        }
        QSqlQuery query(db);
        for (const QString &statement : statements) {
            if (!ok)
                break;
            if (!query.exec(statement)) {
                qWarning() << statement << query.lastError().text();
                ok = false;
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
