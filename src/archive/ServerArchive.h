#pragma once

#include "archive/RecordTable.h"
#include "archive/ServerConnection.h"

#include <QList>
#include <QString>

namespace archive {

// The centre's archive on its PostgreSQL server, through one connection of
// the calling thread: every lane's records, each lane its own chain.
class ServerArchive {
  public:
    ServerArchive(ArchiveSettings settings, KeyOfLane keyOf);
    ~ServerArchive();
    ServerArchive(const ServerArchive&) = delete;
    ServerArchive& operator=(const ServerArchive&) = delete;

    // Connects and makes the tables on first use. Blocks up to the timeout.
    ServerCheck open(int timeoutSeconds = ServerTimeoutSeconds);
    bool isOpen() const;
    void close();

    struct Sending {
        ServerCheck check;    // a problem stops the sending; nothing of the batch is kept
        int stored = 0;       // records the server did not have
        int alreadyThere = 0; // records it had, with the same code
        // A record it had with another code: another PC sends under this lane's name.
        std::optional<qint64> clash;
    };
    // Stores `records` of the settings' lane in one transaction, in order. A
    // record the server already holds is not stored twice.
    Sending send(const QList<StoredRecord>& records);

    const RecordTable& table() const { return table_; }
    const ArchiveSettings& settings() const { return settings_; }

  private:
    ArchiveSettings settings_;
    QString connection_;
    RecordTable table_;
};

// Names a server and lane, for the records a lane's file notes as sent there.
QString ServerTarget(const ArchiveSettings& settings);

} // namespace archive
