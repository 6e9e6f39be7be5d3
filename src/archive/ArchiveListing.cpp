#include "archive/ArchiveListing.h"

#include "archive/LaneArchive.h"
#include "archive/ServerArchive.h"
#include "archive/TestArchive.h"

#include <QSet>

#include <algorithm>

namespace archive {

ArchiveListing::ArchiveListing(QString archivePath, ArchiveSettings settings)
    : archivePath_(std::move(archivePath)), settings_(std::move(settings)) {}

ArchiveListing::~ArchiveListing() = default;

bool ArchiveListing::open(const ServerCheck& knownAway, int serverTimeoutSeconds) {
    // The window only reads: it never makes the archive or its key.
    file_ = std::make_unique<TestArchive>(archivePath_, QString(), QString());
    if (!file_->open(TestArchive::Mode::ReadOnly)) {
        fileError_ = file_->lastError();
        file_.reset();
    }
    serverCheck_ = knownAway;
    if (settings_.usesServer() && knownAway.ok()) {
        server_ = std::make_unique<ServerArchive>(settings_, LaneKeys(archivePath_, settings_.lane));
        serverCheck_ = server_->open(serverTimeoutSeconds);
        if (!serverCheck_.ok())
            server_.reset();
    }
    return file_ || server_;
}

std::optional<ArchiveFilter> ArchiveListing::waitingOnly(const ArchiveFilter& filter) const {
    if (!file_ || (!filter.lane.isEmpty() && filter.lane != settings_.lane))
        return std::nullopt;
    ArchiveFilter waiting = filter;
    waiting.lane.clear();
    waiting.after = file_->sentUpTo(ServerTarget(settings_));
    return waiting;
}

qint64 ArchiveListing::count(const ArchiveFilter& filter) const {
    if (!server_)
        return file_ ? file_->count(filter) : 0;
    const std::optional<ArchiveFilter> waiting = waitingOnly(filter);
    return server_->table().count(filter) + (waiting ? file_->count(*waiting) : 0);
}

QList<ListedRecord> ArchiveListing::newest(const ArchiveFilter& filter, int limit) const {
    if (!server_) {
        QList<ListedRecord> records = file_ ? file_->newest(filter, limit) : QList<ListedRecord>();
        // A lane whose server is away lists its own file: what waits is marked.
        if (const std::optional<ArchiveFilter> waiting = waitingOnly(filter); waiting && settings_.usesServer())
            for (ListedRecord& listed : records) {
                listed.lane = settings_.lane;
                listed.sent = listed.record.sequence <= *waiting->after;
            }
        return records;
    }
    QList<ListedRecord> records = server_->table().newest(filter, limit);
    const std::optional<ArchiveFilter> waiting = waitingOnly(filter);
    if (!waiting)
        return records;
    // A record sent between the two readings is on both: the server's copy is kept.
    QSet<qint64> onServer;
    for (const ListedRecord& listed : records)
        if (listed.lane == settings_.lane)
            onServer.insert(listed.record.sequence);
    for (ListedRecord listed : file_->newest(*waiting, limit)) {
        if (onServer.contains(listed.record.sequence))
            continue;
        listed.lane = settings_.lane;
        listed.sent = false;
        records.append(listed);
    }
    std::stable_sort(records.begin(), records.end(),
                     [](const ListedRecord& a, const ListedRecord& b) { return a.record.ended > b.record.ended; });
    if (records.size() > limit)
        records.resize(limit);
    return records;
}

QStringList ArchiveListing::lanes() const {
    QStringList names = server_ ? server_->table().lanes() : QStringList();
    if (settings_.usesServer() && !names.contains(settings_.lane)) {
        names << settings_.lane;
        names.sort();
    }
    return names;
}

} // namespace archive
