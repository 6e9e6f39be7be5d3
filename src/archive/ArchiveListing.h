#pragma once

#include "archive/RecordTable.h"
#include "archive/ServerConnection.h"

#include <QList>
#include <QStringList>

#include <memory>

namespace archive {

class ServerArchive;
class TestArchive;

// What the archive window lists. A single PC lists its own file. A lane lists
// the centre's server, every lane, together with its own records still
// waiting to be sent, each test once; while the server is away, it lists its
// own file and says so.
class ArchiveListing {
  public:
    // Opens the lane's file to read; with a server in the settings, the server too.
    ArchiveListing(QString archivePath, ArchiveSettings settings);
    ~ArchiveListing();

    // `knownAway`: the lane already knows the server is away (its outbox's last
    // attempt failed), so the window does not wait on it as well.
    bool open(const ServerCheck& knownAway = {}, int serverTimeoutSeconds = 2);
    // Why the file cannot be read (open() false) or the server is not listed.
    const QString& fileError() const { return fileError_; }
    const ServerCheck& serverCheck() const { return serverCheck_; }
    bool listsLanes() const { return server_ != nullptr; }

    qint64 count(const ArchiveFilter& filter) const;
    // Newest first: by sequence number in a file, by the moment each test ended across lanes.
    QList<ListedRecord> newest(const ArchiveFilter& filter, int limit) const;
    QStringList lanes() const;

  private:
    // The filter narrowed to this lane's records the server does not have yet.
    std::optional<ArchiveFilter> waitingOnly(const ArchiveFilter& filter) const;

    QString archivePath_;
    ArchiveSettings settings_;
    std::unique_ptr<TestArchive> file_;
    std::unique_ptr<ServerArchive> server_;
    QString fileError_;
    ServerCheck serverCheck_;
};

} // namespace archive
