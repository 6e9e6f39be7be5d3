#include "support/PostgresServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QUuid>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The newest server Debian installed: /usr/lib/postgresql/<version>/bin.
QString serverBinaries() {
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(found.begin(), found.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    for (auto it = found.crbegin(); it != found.crend(); ++it)
        if (QFile::exists(versions.filePath(*it + QStringLiteral("/bin/initdb"))))
            return versions.filePath(*it + QStringLiteral("/bin"));
    return QString();
}

int freePort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool writeFile(const QString& path, const QByteArray& bytes, QFile::Permissions permissions) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
           file.setPermissions(permissions);
}

} // namespace

PostgresServer::PostgresServer() : binaries_(serverBinaries()) {}

PostgresServer::~PostgresServer() {
    stop();
}

QString PostgresServer::passwordFile() const {
    return dir_.filePath(QStringLiteral("password"));
}

QString PostgresServer::wrongPasswordFile() const {
    return dir_.filePath(QStringLiteral("wrong-password"));
}

ArchiveSettings PostgresServer::settingsFor(const QString& lane) const {
    ArchiveSettings s;
    s.kind = ArchiveSettings::Kind::PostgreSQL;
    s.host = QStringLiteral("127.0.0.1");
    s.port = port_;
    s.database = Database;
    s.user = User;
    s.lane = lane;
    s.passwordFile = passwordFile();
    return s;
}

bool PostgresServer::run(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir_.path());
    QStringList command{binaries_ + u'/' + program};
    command += arguments;
    if (::geteuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody) {
            error_ = QStringLiteral("running as root and there is no user nobody to run the server as");
            return false;
        }
        command = QStringList{QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                              QStringLiteral("--regid=%1").arg(nobody->pw_gid), QStringLiteral("--clear-groups")} +
                  command;
        process.start(QStringLiteral("setpriv"), command);
    } else {
        process.start(command.takeFirst(), command);
    }
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        error_ = program + QStringLiteral(" failed: ") + process.errorString() + u'\n' +
                 QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}

bool PostgresServer::makeCluster() {
    if (binaries_.isEmpty()) {
        error_ = QStringLiteral("no PostgreSQL server under /usr/lib/postgresql (Debian package postgresql)");
        return false;
    }
    if (!dir_.isValid() || ::chmod(QFile::encodeName(dir_.path()).constData(), 0755) != 0) {
        error_ = QStringLiteral("no temporary folder for the server");
        return false;
    }
    const QString initPassword = dir_.filePath(QStringLiteral("init-password"));
    if (!writeFile(initPassword, Password.toUtf8(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther) ||
        !writeFile(passwordFile(), Password.toUtf8() + '\n', QFile::ReadOwner | QFile::WriteOwner) ||
        !writeFile(wrongPasswordFile(), "not the password\n", QFile::ReadOwner | QFile::WriteOwner)) {
        error_ = QStringLiteral("cannot write the password files");
        return false;
    }
    if (::geteuid() == 0) {
        // The server's own folder must belong to the user it runs as.
        const passwd* nobody = ::getpwnam("nobody");
        const QByteArray data = QFile::encodeName(dir_.filePath(QStringLiteral("data")));
        if (!nobody || ::mkdir(data.constData(), 0700) != 0 ||
            ::chown(data.constData(), nobody->pw_uid, nobody->pw_gid) != 0) {
            error_ = QStringLiteral("cannot give the server's folder to nobody");
            return false;
        }
    }
    if (!run(QStringLiteral("initdb"),
             {QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")), QStringLiteral("-U"), User,
              QStringLiteral("--pwfile=") + initPassword, QStringLiteral("--auth=scram-sha-256"), QStringLiteral("-E"),
              QStringLiteral("UTF8"), QStringLiteral("--locale=C"), QStringLiteral("-N")},
             180000))
        return false;
    QFile::remove(initPassword);
    port_ = freePort();
    return port_ != 0;
}

bool PostgresServer::start() {
    if (running_)
        return true;
    if (!made_ && !makeCluster())
        return false;
    const QString options = QStringLiteral("-c listen_addresses=127.0.0.1 -c port=%1 -c unix_socket_directories=%2 "
                                           "-c fsync=off -c max_connections=40")
                                .arg(port_)
                                .arg(dir_.filePath(QStringLiteral("data")));
    if (!run(QStringLiteral("pg_ctl"),
             {QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")), QStringLiteral("-l"),
              dir_.filePath(QStringLiteral("data/server.log")), QStringLiteral("-o"), options, QStringLiteral("-w"),
              QStringLiteral("-t"), QStringLiteral("120"), QStringLiteral("start")},
             150000)) {
        QFile log(dir_.filePath(QStringLiteral("data/server.log")));
        if (log.open(QIODevice::ReadOnly))
            error_ += QString::fromLocal8Bit(log.readAll().right(2000));
        return false;
    }
    running_ = true;
    if (made_)
        return true;
    made_ = true;
    // The centre's database, made as the administrator of the cluster does.
    const QString connection = QUuid::createUuid().toString();
    bool created = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(port_);
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(User);
        db.setPassword(Password);
        created = db.open() && QSqlQuery(db).exec(QStringLiteral("CREATE DATABASE ") + Database);
        if (!created)
            error_ = QStringLiteral("cannot make the database: ") + db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return created;
}

bool PostgresServer::stop() {
    if (!running_)
        return true;
    running_ = false;
    return run(QStringLiteral("pg_ctl"),
               {QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")), QStringLiteral("-m"),
                QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")});
}
