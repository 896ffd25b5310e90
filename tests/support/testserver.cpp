#include "support/testserver.h"

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
    for (const QString &version : std::as_const(versions)) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(version);
        if (QFile::exists(bin + QStringLiteral("/initdb")))
            return bin;
    }
    return {};
}

// The server's programs refuse to run as root: as root they run as nobody.
ProcessRun runAsServer(const QString &program, const QStringList &arguments)
{
    if (geteuid() != 0)
        return runProcess(program, arguments);
    return runProcess(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--reuid=%1").arg(Nobody),
                                  QStringLiteral("--regid=%1").arg(Nobody),
                                  QStringLiteral("--clear-groups"), program}
                          + arguments);
}

int freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}

// Clusters of test processes that are gone: stopped at once and removed.
void removeLeftovers(const QString &bin)
{
    const QDir temp(QDir::tempPath());
    for (const QString &name : temp.entryList({QStringLiteral("kiosk-pg-*")}, QDir::Dirs)) {
        QFile owner(temp.filePath(name + QStringLiteral("/owner")));
        if (!owner.open(QIODevice::ReadOnly))
            continue;
        const pid_t pid = owner.readAll().trimmed().toInt();
        if (pid > 0 && (kill(pid, 0) == 0 || errno != ESRCH))
            continue;
        runAsServer(bin + QStringLiteral("/pg_ctl"),
                    {QStringLiteral("-D"), temp.filePath(name + QStringLiteral("/data")),
                     QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("stop")});
        QDir(temp.filePath(name)).removeRecursively();
    }
}

} // namespace

bool TestServer::wanted()
{
    return qEnvironmentVariable("KIOSK_TEST_STORE") == u"server";
}

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
    const QString bin = binDir();
    if (bin.isEmpty()) {
        reason = QStringLiteral("PostgreSQL is not installed (Debian package postgresql)");
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        reason = QStringLiteral("Qt's PostgreSQL driver is missing (libqt6sql6-psql)");
        return false;
    }
    removeLeftovers(bin);
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
        bin + QStringLiteral("/initdb"),
        {QStringLiteral("-D"), data_, QStringLiteral("-U"), QStringLiteral("totem"),
         QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-E"),
         QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")});
    if (!init.ok()) {
        reason = QStringLiteral("initdb failed: ") + init.err;
        return false;
    }
    port_ = freePort();
    if (!start()) {
        reason = QStringLiteral("the cluster did not start: ") + ctl({QStringLiteral("status")});
        return false;
    }
    return true;
}

QString TestServer::ctl(const QStringList &arguments) const
{
    const ProcessRun run = runAsServer(binDir() + QStringLiteral("/pg_ctl"),
                                       QStringList{QStringLiteral("-D"), data_} + arguments);
    return run.ok() ? QString() : run.out + run.err;
}

bool TestServer::start()
{
    const QString options =
        QStringLiteral("-p %1 -c listen_addresses=127.0.0.1 -c unix_socket_directories=%2 "
                       "-c fsync=off -c synchronous_commit=off -c full_page_writes=off")
            .arg(port_)
            .arg(dir_->path());
    const QString failure =
        ctl({QStringLiteral("-w"), QStringLiteral("-l"), dir_->filePath(QStringLiteral("log")),
             QStringLiteral("-o"), options, QStringLiteral("start")});
    if (!failure.isEmpty())
        qWarning("%s", qPrintable(failure));
    return failure.isEmpty();
}

void TestServer::stop()
{
    ctl({QStringLiteral("-w"), QStringLiteral("-m"), QStringLiteral("fast"),
         QStringLiteral("stop")});
}

TestServer::~TestServer()
{
    if (!data_.isEmpty())
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
    const QString connection = QStringLiteral("test-server-%1").arg(quintptr(&sql));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(port_);
        db.setUserName(QStringLiteral("totem"));
        db.setDatabaseName(database);
        QSqlQuery query(db);
        ok = db.open() && query.exec(sql);
        if (!ok)
            qWarning() << sql << db.lastError().text() << query.lastError().text();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}
