#pragma once

#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QTest>
#include <QUuid>
#include <QWidget>

template <typename T = QWidget> T *named(QWidget &screen, const QString &name)
{
    T *widget = screen.findChild<T *>(name);
    if (!widget)
        qFatal("no element %s", qPrintable(name));
    return widget;
}

inline void click(QWidget &screen, const QString &button)
{
    QTest::mouseClick(named<QPushButton>(screen, button), Qt::LeftButton);
}

// The screen layout table exactly as SQLite holds it: one line per record in stored order,
// every field as SQLite quotes it, so that 645 and 645.0, NULL and '' stay different.
inline QStringList layoutTableRows(const QString &totemPath)
{
    QStringList rows;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(totemPath);
        if (!db.open())
            return {QStringLiteral("cannot open ") + totemPath};
        QStringList columns;
        QSqlQuery info(QStringLiteral("PRAGMA table_info(Layout1)"), db);
        while (info.next())
            columns << QStringLiteral("'%1=' || quote(\"%1\")").arg(info.value(1).toString());
        QSqlQuery query(QStringLiteral("SELECT %1 FROM Layout1 ORDER BY rowid")
                            .arg(columns.join(QStringLiteral(" || ' ' || "))),
                        db);
        while (query.next())
            rows << query.value(0).toString();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}
