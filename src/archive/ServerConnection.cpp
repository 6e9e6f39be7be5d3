#include "archive/ServerConnection.h"

#include "archive/ServerSchema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTcpSocket>

namespace archive {

namespace {

const QString Driver = QStringLiteral("QPSQL");

bool configured(const ArchiveSettings& s) {
    return !s.host.isEmpty() && !s.database.isEmpty() && !s.user.isEmpty() && !s.lane.isEmpty();
}

// The first line of the password file, as .pgpass-style files hold it.
std::optional<QString> readPassword(const QString& path, QString* detail) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        *detail = path.isEmpty() ? QStringLiteral("no password file given")
                                 : path + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    // A password is a line, not a file: anything longer is not one.
    const QByteArray head = file.read(4096);
    return QString::fromUtf8(head.left(head.indexOf('\n') < 0 ? head.size() : head.indexOf('\n'))).trimmed();
}

ServerCheck reach(const ArchiveSettings& s, int timeoutSeconds) {
    QTcpSocket socket;
    socket.connectToHost(s.host, static_cast<quint16>(s.port));
    if (socket.waitForConnected(timeoutSeconds * 1000)) {
        socket.abort();
        return {};
    }
    switch (socket.error()) {
    case QAbstractSocket::HostNotFoundError: return {ServerProblem::HostUnknown, socket.errorString()};
    case QAbstractSocket::ConnectionRefusedError: return {ServerProblem::Refused, socket.errorString()};
    default: return {ServerProblem::NoAnswer, socket.errorString()};
    }
}

} // namespace

ServerProblem ProblemFromServerText(const QString& text) {
    if (text.contains(QLatin1String("password authentication failed")) ||
        text.contains(QLatin1String("no password supplied")) || text.contains(QLatin1String("role \"")))
        return ServerProblem::WrongPassword;
    if (text.contains(QLatin1String("database \"")) && text.contains(QLatin1String("does not exist")))
        return ServerProblem::DatabaseMissing;
    if (text.contains(QLatin1String("pg_hba.conf")))
        return ServerProblem::NotAllowed;
    if (text.contains(QLatin1String("timeout expired")))
        return ServerProblem::NoAnswer;
    if (text.contains(QLatin1String("Connection refused")))
        return ServerProblem::Refused;
    return ServerProblem::Other;
}

ServerCheck OpenServerConnection(const ArchiveSettings& settings, const QString& connection, int timeoutSeconds) {
    if (!configured(settings))
        return {ServerProblem::NotConfigured, QStringLiteral("host, database, user and lane are needed")};
    if (!QSqlDatabase::isDriverAvailable(Driver))
        return {ServerProblem::DriverMissing, QStringLiteral("Qt SQL has no QPSQL driver (libqt6sql6-psql)")};
    QString detail;
    const std::optional<QString> password = readPassword(settings.passwordFile, &detail);
    if (!password)
        return {ServerProblem::PasswordFile, detail};
    if (ServerCheck reached = reach(settings, timeoutSeconds); !reached.ok())
        return reached;

    QSqlDatabase db = QSqlDatabase::addDatabase(Driver, connection);
    db.setHostName(settings.host);
    db.setPort(settings.port);
    db.setDatabaseName(settings.database);
    db.setUserName(settings.user);
    db.setPassword(*password);
    // Keepalives notice a server gone mid-conversation, so no query waits on it for long.
    db.setConnectOptions(QStringLiteral("connect_timeout=%1;keepalives=1;keepalives_idle=10;"
                                        "keepalives_interval=5;keepalives_count=2;application_name=quaveron")
                             .arg(timeoutSeconds));
    if (db.open())
        return {};
    const QString said = db.lastError().text();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection);
    return {ProblemFromServerText(said), said};
}

ServerCheck CheckServerConnection(const ArchiveSettings& settings, int timeoutSeconds) {
    const QString connection = QStringLiteral("archive-server-check");
    ServerCheck check = OpenServerConnection(settings, connection, timeoutSeconds);
    if (!check.ok())
        return check;
    {
        QSqlDatabase db = QSqlDatabase::database(connection, false);
        check = ReadServerSchema(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (check.ok() && (QFile::permissions(settings.passwordFile) & (QFile::ReadOther | QFile::WriteOther)))
        return {ServerProblem::PasswordFileOpen, settings.passwordFile};
    return check;
}

QString ProblemName(ServerProblem problem) {
    switch (problem) {
    case ServerProblem::None: return QStringLiteral("connected");
    case ServerProblem::NotConfigured: return QStringLiteral("not configured");
    case ServerProblem::PasswordFile: return QStringLiteral("password file unreadable");
    case ServerProblem::HostUnknown: return QStringLiteral("host unknown");
    case ServerProblem::NoAnswer: return QStringLiteral("host unreachable");
    case ServerProblem::Refused: return QStringLiteral("no server on the port");
    case ServerProblem::WrongPassword: return QStringLiteral("wrong user or password");
    case ServerProblem::DatabaseMissing: return QStringLiteral("database missing");
    case ServerProblem::NotAllowed: return QStringLiteral("not allowed by the server");
    case ServerProblem::DriverMissing: return QStringLiteral("PostgreSQL driver missing");
    case ServerProblem::SchemaNewer: return QStringLiteral("tables of a newer program");
    case ServerProblem::PasswordFileOpen: return QStringLiteral("password file readable by others");
    case ServerProblem::LaneClash: return QStringLiteral("lane name used by another PC");
    case ServerProblem::Other: return QStringLiteral("server error");
    }
    return QString();
}

} // namespace archive
