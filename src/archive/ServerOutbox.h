#pragma once

#include "archive/ServerConnection.h"
#include "shared/ArchiveSettings.h"

#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace archive {

// Sends a lane's records on to the centre's server, in order, from a thread of
// its own: the measuring windows never wait on the network. Records reach the
// lane's own file first; one counts as sent once the server has committed it.
// While the server is away the outbox tries again every RetrySeconds, and when
// it answers, sends at most Batch records per BatchPauseMs.
class ServerOutbox {
  public:
    static constexpr int RetrySeconds = 5;
    static constexpr int IdleCheckSeconds = 60;
    static constexpr int Batch = 50;
    static constexpr int BatchPauseMs = 100;

    struct Status {
        int waiting = 0;      // records of this lane the server does not have yet
        qint64 sentUpTo = 0;  // every record up to this one is on the server
        ServerCheck problem;  // why the last attempt failed; ok once the server answered
        bool reached = false; // the server answered at least once
    };

    // `report` is called on the outbox's thread after every attempt.
    ServerOutbox(QString archivePath, ArchiveSettings settings, std::function<void(const Status&)> report);
    ~ServerOutbox();
    ServerOutbox(const ServerOutbox&) = delete;
    ServerOutbox& operator=(const ServerOutbox&) = delete;

    // A record was stored: try to send it now.
    void wake();
    Status status() const;

  private:
    void run();
    // One round: open what is not open, send what waits. True when it left nothing to do.
    bool sendWaiting(class TestArchive& local, class ServerArchive& server);
    void publish(const Status& status);
    // Waits up to `ms`, or less when woken or stopping; false when stopping.
    bool pause(int ms);

    QString archivePath_;
    ArchiveSettings settings_;
    std::function<void(const Status&)> report_;
    mutable std::mutex mutex_;
    std::condition_variable woken_;
    bool wake_ = false;
    bool stopping_ = false;
    Status status_;
    std::thread thread_;
};

} // namespace archive
