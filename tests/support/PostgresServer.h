#pragma once

#include "shared/ArchiveSettings.h"

#include <QString>
#include <QTemporaryDir>

// A PostgreSQL server of the test's own: initdb into a temporary folder, then
// pg_ctl on a free local port, with password authentication for one user. The
// server refuses to run as root, so as root it runs as "nobody". Stopped and
// removed with the object.
class PostgresServer {
  public:
    static inline const QString User = QStringLiteral("lane");
    static inline const QString Password = QStringLiteral("s3cret lane");
    static inline const QString Database = QStringLiteral("centre");

    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // Makes the cluster and the database on the first call, then starts the
    // server; false, with error() saying why, when it cannot.
    bool start();
    // Stops the server at once (a "fast" shutdown: the lanes' connections drop).
    bool stop();
    int port() const { return port_; }
    const QString& error() const { return error_; }
    // A password file holding Password (mode 0600) and another holding a wrong one.
    QString passwordFile() const;
    QString wrongPasswordFile() const;

    // Settings for a lane of this server.
    ArchiveSettings settingsFor(const QString& lane) const;

  private:
    bool run(const QString& program, const QStringList& arguments, int timeoutMs = 60000);
    bool makeCluster();

    QTemporaryDir dir_;
    QString binaries_;
    int port_ = 0;
    bool made_ = false;
    bool running_ = false;
    QString error_;
};
