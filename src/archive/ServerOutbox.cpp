#include "archive/ServerOutbox.h"

#include "archive/ArchiveKey.h"
#include "archive/ServerArchive.h"
#include "archive/TestArchive.h"

#include <cstdio>

namespace archive {

ServerOutbox::ServerOutbox(QString archivePath, ArchiveSettings settings, std::function<void(const Status&)> report)
    : archivePath_(std::move(archivePath)), settings_(std::move(settings)), report_(std::move(report)),
      thread_([this] { run(); }) {}

ServerOutbox::~ServerOutbox() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    woken_.notify_all();
    thread_.join();
}

void ServerOutbox::wake() {
    {
        const std::lock_guard lock(mutex_);
        wake_ = true;
    }
    woken_.notify_all();
}

ServerOutbox::Status ServerOutbox::status() const {
    const std::lock_guard lock(mutex_);
    return status_;
}

void ServerOutbox::publish(const Status& status) {
    {
        const std::lock_guard lock(mutex_);
        status_ = status;
    }
    if (report_)
        report_(status);
}

bool ServerOutbox::pause(int ms) {
    std::unique_lock lock(mutex_);
    woken_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return wake_ || stopping_; });
    wake_ = false;
    return !stopping_;
}

void ServerOutbox::run() {
    // The connections belong to this thread: both are made and closed here.
    TestArchive local(archivePath_, QString(), QString());
    ServerArchive server(settings_, [](const QString&) { return std::optional<QByteArray>(); });
    bool localOpen = false;
    for (;;) {
        if (!localOpen && !(localOpen = local.open(TestArchive::Mode::ReadWrite)))
            std::fprintf(stderr, "quaveron: test archive %s: %s\n", qPrintable(archivePath_),
                         qPrintable(local.lastError()));
        const bool done = localOpen && sendWaiting(local, server);
        if (!pause(done ? IdleCheckSeconds * 1000 : RetrySeconds * 1000))
            return;
    }
}

bool ServerOutbox::sendWaiting(TestArchive& local, ServerArchive& server) {
    const QString target = ServerTarget(settings_);
    Status status = this->status();
    status.sentUpTo = local.sentUpTo(target);
    ArchiveFilter waiting;
    waiting.after = status.sentUpTo;
    status.waiting = static_cast<int>(local.count(waiting));
    if (!server.isOpen()) {
        status.problem = server.open();
        if (!status.problem.ok()) {
            publish(status);
            return false;
        }
    }
    status.reached = true;
    status.problem = {};
    publish(status);
    while (status.waiting > 0) {
        QList<StoredRecord> batch;
        waiting.after = status.sentUpTo;
        local.forEach(
            waiting,
            [&batch](const ListedRecord& listed) {
                batch.append(listed.record);
                return batch.size() < Batch;
            },
            TestArchive::Reading::CheckOnly);
        if (batch.isEmpty())
            break;
        const ServerArchive::Sending sending = server.send(batch);
        if (!sending.check.ok()) {
            std::fprintf(stderr, "quaveron: archive server: %s\n", qPrintable(sending.check.detail));
            status.problem = sending.check;
            server.close();
            publish(status);
            return false;
        }
        // Noted only now that the server has committed them; a note lost here
        // sends them again, and the server keeps its own copy.
        if (!local.markSent(target, batch.last().sequence)) {
            status.problem = {ServerProblem::Other, local.lastError()};
            publish(status);
            return false;
        }
        status.sentUpTo = batch.last().sequence;
        waiting.after = status.sentUpTo;
        status.waiting = static_cast<int>(local.count(waiting));
        publish(status);
        if (status.waiting > 0 && !pause(BatchPauseMs))
            return false;
    }
    return true;
}

} // namespace archive
