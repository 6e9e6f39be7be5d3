#pragma once

#include "archive/RecordTable.h"
#include "archive/ServerOutbox.h"
#include "shared/ConcludedTest.h"

#include <QObject>

#include <memory>

struct Globals;

namespace archive {

class TestArchive;

// Where the lane tells the operator about the centre's server without
// stopping the work: a notice that stays up while records wait, and goes.
class ServerNotice {
  public:
    virtual ~ServerNotice() = default;
    virtual void showNotice(const QString& text) = 0;
    virtual void hideNotice() = 0;
};

// A lane of a test centre: each concluded test is kept in the lane's own file
// first (sealed in its chain, with its key on this PC), then the outbox sends
// it on. While records wait because the server is away, the notice says how many.
class LaneArchive : public QObject, public TestArchiveSink {
  public:
    LaneArchive(Globals& g, TestArchive& local, const ArchiveSettings& settings, ServerNotice& notice);
    ~LaneArchive() override;

    void store(const ConcludedTest& test) override;
    ServerOutbox::Status status() const { return outbox_->status(); }

  private:
    void show(const ServerOutbox::Status& status);

    Globals& g_;
    TestArchive& local_;
    ServerNotice& notice_;
    std::unique_ptr<ServerOutbox> outbox_; // last: its thread stops before the rest goes
};

// The keys this PC holds, by lane: its own lane's is the archive's key, the
// others' are copies in the keys folder (LaneKeyPath). Each is read once.
KeyOfLane LaneKeys(const QString& archivePath, const QString& ownLane);

} // namespace archive
