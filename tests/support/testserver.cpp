#include "support/testserver.h"

#include "archive/archiveconnection.h"
#include "archive/archiveerror.h"
#include "support/processrun.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QtDebug>

#include <csignal>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;
QString reason;

QString binDir()
{
    QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(),
              [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
    return versions.isEmpty() ? QString()
                              : QStringLiteral("/usr/lib/postgresql/%1/bin").arg(versions.first());
}

// The server's programs refuse to run as root: as root they run as nobody.
ProcessRun runAsServer(const QString &program, const QStringList &arguments)
{
    if (geteuid() != 0)
        return runProcess(binDir() + u'/' + program, arguments);
    return runProcess(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--reuid=%1").arg(Nobody),
                                  QStringLiteral("--regid=%1").arg(Nobody),
                                  QStringLiteral("--clear-groups"), binDir() + u'/' + program}
                          + arguments);
}

// Clusters of test processes that are gone: stopped at once and removed.
void removeLeftovers()
{
    const QDir temp = QDir::temp();
    for (const QString &name : temp.entryList({QStringLiteral("kiosk-pg-*")}, QDir::Dirs)) {
        QFile owner(temp.filePath(name + QStringLiteral("/owner")));
        const pid_t pid = owner.open(QIODevice::ReadOnly) ? owner.readAll().toInt() : 0;
        if (pid <= 0 || kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        runAsServer(QStringLiteral("pg_ctl"),
                    {QStringLiteral("-D"), temp.filePath(name + QStringLiteral("/data")),
                     QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("stop")});
        QDir(temp.filePath(name)).removeRecursively();
    }
}

} // namespace

QString TestServer::unavailableReason()
{
    return reason;
}

TestServer *TestServer::instance()
{
    static std::unique_ptr<TestServer> server;
    static bool tried = false;
    if (!std::exchange(tried, true)) {
        server.reset(new TestServer);
        if (!server->create())
            server.reset();
    }
    return server.get();
}

bool TestServer::create()
{
    if (!QFile::exists(binDir() + QStringLiteral("/initdb"))
        || !QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        reason = QStringLiteral("PostgreSQL or Qt's driver for it is missing "
                                "(Debian packages postgresql, libqt6sql6-psql)");
        return false;
    }
    removeLeftovers();
    dir_ =
        std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("kiosk-pg-XXXXXX")));
    QFile owner(dir_->filePath(QStringLiteral("owner")));
    if (!dir_->isValid() || !owner.open(QIODevice::WriteOnly)
        || owner.write(QByteArray::number(getpid())) <= 0
        || (geteuid() == 0 && chown(qPrintable(dir_->path()), Nobody, Nobody) != 0)) {
        reason = QStringLiteral("no temporary folder for the cluster");
        return false;
    }
    owner.close();
    data_ = dir_->filePath(QStringLiteral("data"));
    const ProcessRun init = runAsServer(
        QStringLiteral("initdb"),
        {QStringLiteral("-D"), data_, QStringLiteral("-U"), QStringLiteral("totem"),
         QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-E"),
         QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")});
    reason = init.ok() ? QStringLiteral("the cluster did not start")
                       : QStringLiteral("initdb: ") + init.err;
    // Another test process may take the free port between the probe and the server's bind.
    for (int attempt = 0; init.ok() && attempt < 3; ++attempt) {
        QTcpServer probe;
        port_ = probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
        probe.close();
        if (start())
            return true;
    }
    return false;
}

bool TestServer::ctl(const QStringList &arguments) const
{
    const ProcessRun run =
        runAsServer(QStringLiteral("pg_ctl"), QStringList{QStringLiteral("-D"), data_} + arguments);
    if (!run.ok())
        qWarning("pg_ctl: %s%s", qPrintable(run.out), qPrintable(run.err));
    return run.ok();
}

bool TestServer::start()
{
    // Durability is of no use to a cluster that lives for one test process.
    return ctl({QStringLiteral("-w"), QStringLiteral("-l"), dir_->filePath(QStringLiteral("log")),
                QStringLiteral("-o"),
                QStringLiteral("-p %1 -c listen_addresses=127.0.0.1 -c unix_socket_directories=%2 "
                               "-c fsync=off -c synchronous_commit=off -c full_page_writes=off")
                    .arg(port_)
                    .arg(dir_->path()),
                QStringLiteral("start")});
}

TestServer::~TestServer()
{
    ctl({QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("stop")});
}

QString TestServer::newDatabase()
{
    const QString name = QStringLiteral("kiosk_%1").arg(++databases_);
    if (!run(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE ") + name))
        return {};
    return QStringLiteral("postgresql://totem@127.0.0.1:%1/%2").arg(port_).arg(name);
}

bool TestServer::run(const QString &database, const QString &sql) const
{
    try {
        ArchiveConnection connection(
            QStringLiteral("postgresql://totem@127.0.0.1:%1/%2").arg(port_).arg(database));
        QSqlQuery query(connection.database());
        if (query.exec(sql))
            return true;
        qWarning() << sql << query.lastError().text();
    } catch (const ArchiveError &error) {
        qWarning("%s", error.what());
    }
    return false;
}
