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

QString SqliteFile::integrity(const QString &path)
{
    const QString name = QStringLiteral("test-sqlitefile-integrity");
    QString verdict;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery check(QStringLiteral("PRAGMA integrity_check"), db);
            verdict = check.next() ? check.value(0).toString() : check.lastError().text();
        } else {
            verdict = db.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return verdict;
}
