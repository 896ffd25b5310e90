#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A throwaway PostgreSQL cluster: made by initdb in a temporary folder, run by pg_ctl as an
// unprivileged user (the server refuses to run as root) on a free port of the loopback,
// stopped and removed when the test process ends. A cluster left by a test process that
// crashed is removed by the next one.
class TestServer
{
public:
    // The cluster of this process, started on first use; nullptr when this machine cannot
    // run one, with the reason in unavailableReason().
    static TestServer *instance();
    static QString unavailableReason();
    // True when the tests of this run keep their archives on the server.
    static bool wanted() { return qEnvironmentVariable("KIOSK_TEST_STORE") == u"server"; }

    // The address of a new, empty database of its own.
    QString newDatabase();
    // Runs SQL on a database of the cluster as its superuser; false (with a warning) on error.
    bool run(const QString &database, const QString &sql) const;
    void stop()
    {
        ctl({QStringLiteral("-w"), QStringLiteral("-m"), QStringLiteral("fast"),
             QStringLiteral("stop")});
    }
    bool start();
    ~TestServer();

private:
    bool create();
    bool ctl(const QStringList &arguments) const;

    std::unique_ptr<QTemporaryDir> dir_;
    QString data_;
    int port_ = 0;
    int databases_ = 0;
};
