#pragma once

#include "archive/ServerConnection.h"

#include <QSqlDatabase>

// The tables of the centre's server. A version row says which program made
// them: a lane refuses tables newer than it knows rather than guess at them.
namespace archive {

constexpr int ServerSchemaVersion = 1;

// The version the server holds: fine when it is this program's or none yet.
ServerCheck ReadServerSchema(QSqlDatabase& db);

// Makes the tables when the server has none, under a lock so lanes starting
// together make them once; refuses newer ones.
ServerCheck EnsureServerSchema(QSqlDatabase& db);

} // namespace archive
