#include "console/instanceguard.h"

#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestInstanceGuard : public QObject
{
    Q_OBJECT

private slots:
    void aCrashedCopyDoesNotLeaveTheLockStuck()
    {
        // A lock written by a process that is gone, as a killed kiosk leaves it.
        QProcess gone;
        gone.start(QStringLiteral("true"), {});
        QVERIFY(gone.waitForStarted());
        const qint64 deadPid = gone.processId();
        QVERIFY(gone.waitForFinished());

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("totem.lock"));
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray::number(deadPid) + "\ntotem\n" + QSysInfo::machineHostName().toUtf8()
                    + "\n");
        stale.close();

        InstanceGuard guard(path);
        QVERIFY(guard.tryAcquire());
        QVERIFY(guard.tryAcquire()); // asking again is no second copy
        QVERIFY(!InstanceGuard(path).tryAcquire());
    }
};

QTEST_GUILESS_MAIN(TestInstanceGuard)
#include "tst_instanceguard.moc"
