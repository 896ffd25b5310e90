#pragma once

#include "support/scripteddialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

template <typename T = QWidget> T *named(QWidget &screen, const QString &name)
{
    T *widget = screen.findChild<T *>(name);
    if (!widget)
        qFatal("no element %s", qPrintable(name));
    return widget;
}

inline void click(QWidget &screen, const QString &name)
{
    QTest::mouseClick(named(screen, name), Qt::LeftButton);
}

// A statement on one record of the screen layout table (rowid 1 to 14).
inline QString update(int record, const QString &assignments)
{
    return u"UPDATE Layout1 SET %1 WHERE rowid = %2"_qs.arg(assignments).arg(record);
}

// The screen layout table exactly as SQLite holds it, one line per record in stored order:
// each field's storage class is kept, so that 645 and 645.0, NULL and '' stay different.
inline QStringList layoutTableRows(const QString &totemPath)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"rows"_qs);
        db.setDatabaseName(totemPath);
        QSqlQuery query(db);
        if (!db.open() || !query.exec(u"SELECT * FROM Layout1 ORDER BY rowid"_qs))
            qFatal("cannot read %s", qPrintable(totemPath));
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i) {
                const QVariant v = query.value(i);
                fields << (v.isNull() ? u"NULL"_qs : v.typeName() + u":"_qs + v.toString());
            }
            rows << fields.join(u' ');
        }
    }
    QSqlDatabase::removeDatabase(u"rows"_qs);
    return rows;
}
