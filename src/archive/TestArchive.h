#pragma once

#include "archive/RecordTable.h"
#include "shared/ConcludedTest.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace archive {

// The test archive: an SQLite file through Qt SQL with the record chain. Every
// write is one transaction with a write-ahead log and full synchronous commits,
// so a crash or power cut leaves it as it was before or after a record. The SQL
// is kept plain so another server can hold the same table.
class TestArchive : public TestArchiveSink {
  public:
    enum class Mode { ReadWrite, ReadOnly };

    // `station` names this lane in every record; `programVersion` the program storing.
    TestArchive(QString path, QString station, QString programVersion);
    ~TestArchive() override;
    TestArchive(const TestArchive&) = delete;
    TestArchive& operator=(const TestArchive&) = delete;

    // ReadWrite creates the file and its table when missing; ReadOnly never
    // writes. False, with lastError() set, when the archive cannot be used.
    bool open(Mode mode);
    const QString& lastError() const { return error_; }
    const QString& path() const { return path_; }

    // Seals and stores a test; its sequence number, or nullopt on a fault.
    // The key is made on the first record.
    std::optional<qint64> append(const ConcludedTest& test);
    // Several tests in one transaction, in order (an import, a fill); the last
    // sequence number, or nullopt when none was stored.
    std::optional<qint64> append(const QList<ConcludedTest>& tests);
    // The windows' hand-over: a test that cannot be stored now is held and
    // stored before the next one, so none is lost while the program runs.
    void store(const ConcludedTest& test) override;
    int pendingCount() const { return static_cast<int>(pending_.size()); }

    qint64 count(const ArchiveFilter& filter) const;
    // The newest `limit` records through the filter, newest first, each checked.
    QList<ListedRecord> newest(const ArchiveFilter& filter, int limit) const;
    std::optional<ListedRecord> record(qint64 sequence) const;
    // Every record through the filter, oldest first, each checked. Stops when `visit` says false.
    // False when the archive could not be read. A check alone needs only the
    // sealed texts: CheckOnly leaves the test's fields and moments unread.
    using Reading = RecordTable::Reading;
    bool forEach(const ArchiveFilter& filter, const std::function<bool(const ListedRecord&)>& visit,
                 Reading reading = Reading::Whole) const;

    // Records sent on to a server: every record up to the returned sequence
    // number has reached `target` (a server and lane), 0 when none has.
    qint64 sentUpTo(const QString& target) const;
    // Notes that `target` committed every record up to `sequence`.
    bool markSent(const QString& target, qint64 sequence);
    const QByteArray* key() const { return key_ ? &*key_ : nullptr; }

  private:
    bool execute(const QString& sql);
    bool ensureKey();

    QString path_;
    QString station_;
    QString programVersion_;
    QString connection_;
    std::optional<QByteArray> key_;
    RecordTable table_;
    QList<ConcludedTest> pending_;
    mutable QString error_;
};

// Where the program keeps its archive: beside report.log.
QString DefaultArchivePath();

} // namespace archive
