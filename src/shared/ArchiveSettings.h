#pragma once

#include <QString>

// Where the concluded tests are kept. A single PC keeps them in its own SQLite
// file; a lane of a test centre sends them to the centre's PostgreSQL server,
// keeping a local copy until the server has them. The password lives in a
// file only the station user can read, never in Conf.ini.
struct ArchiveSettings {
    enum class Kind { SQLite, PostgreSQL };
    static constexpr int DefaultPort = 5432;

    Kind kind = Kind::SQLite;
    QString host;
    int port = DefaultPort;
    QString database;
    QString user;
    QString lane; // this lane's name: its records and its chain on the server
    QString passwordFile;

    bool usesServer() const { return kind == Kind::PostgreSQL; }
    bool operator==(const ArchiveSettings&) const = default;
};
