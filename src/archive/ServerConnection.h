#pragma once

#include "shared/ArchiveSettings.h"

#include <QString>

// Connections to the test centre's PostgreSQL server. Opening one blocks for
// up to its timeout, so only worker threads and the settings window's check
// (itself run off the window's thread) open them.
namespace archive {

enum class ServerProblem {
    None,
    NotConfigured,    // host, database, user or lane left empty
    PasswordFile,     // the password file cannot be read
    HostUnknown,      // the host name does not resolve
    NoAnswer,         // nothing answered within the timeout
    Refused,          // the host answered, but no server listens on the port
    WrongPassword,    // the server refused the user or the password
    DatabaseMissing,  // the server has no such database
    NotAllowed,       // the server does not accept this PC or user (pg_hba.conf)
    DriverMissing,    // the PostgreSQL driver of Qt SQL is not installed
    SchemaNewer,      // the server's tables were made by a newer program
    PasswordFileOpen, // connected, but others than the station user can read the password
    LaneClash,        // the server holds other records under this lane's name: another PC uses it
    Other,            // anything else: the detail says what the server said
};

struct ServerCheck {
    ServerProblem problem = ServerProblem::None;
    QString detail; // the driver's or server's own words, for the log and the technician
    bool ok() const { return problem == ServerProblem::None; }
};

// Seconds a lane waits for the server before it counts as away.
constexpr int ServerTimeoutSeconds = 5;

// Opens a connection named `connection` (Qt SQL's QPSQL) for the calling
// thread; on a problem the connection is removed again. The host is tried with
// a plain TCP connect first, so "not there" is told apart from "refused" in
// words that do not depend on the server's language.
ServerCheck OpenServerConnection(const ArchiveSettings& settings, const QString& connection,
                                 int timeoutSeconds = ServerTimeoutSeconds);

// What the settings window's button checks: the connection, the schema the
// server holds (absent is fine: the first record makes it), and the password file.
ServerCheck CheckServerConnection(const ArchiveSettings& settings, int timeoutSeconds = ServerTimeoutSeconds);

// Which problem an error text of the driver names (the server's words, in English).
ServerProblem ProblemFromServerText(const QString& text);

// Short English name of a problem, for the log and the command line.
QString ProblemName(ServerProblem problem);

} // namespace archive
