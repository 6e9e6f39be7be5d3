#pragma once

#include "archive/RecordChain.h"
#include "archive/StoredRecord.h"
#include "shared/ConcludedTest.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QSqlQuery;

namespace archive {

// Which records to list, count or export; an empty part lets every record through.
struct ArchiveFilter {
    QDate from; // the day a test ended, from and to, both included
    QDate to;
    QString plate; // plates that start with it
    std::optional<ConcludedTest::Outcome> outcome;
    QString lane;                // one lane of a server archive
    std::optional<qint64> after; // only records after this sequence number
};

struct ListedRecord {
    QString lane; // the lane it was sent under; empty in a lane's own file
    StoredRecord record;
    RecordCheck check;
    bool sent = true; // false: kept on this PC, not yet on the server
};

// The key a lane's chain was sealed with; nullopt when this PC does not hold it.
using KeyOfLane = std::function<std::optional<QByteArray>(const QString& lane)>;

// The records table as SQL through one Qt SQL connection of the calling
// thread. The same plain SQL serves the lane's own SQLite file and the
// centre's server, whose table adds the lane to every record: each lane's
// records form their own chain there.
class RecordTable {
  public:
    enum class Layout { OwnFile, Lanes };

    RecordTable(QString connection, Layout layout, KeyOfLane keyOf);

    qint64 count(const ArchiveFilter& filter) const;
    // The newest `limit` records through the filter, newest first, each checked.
    QList<ListedRecord> newest(const ArchiveFilter& filter, int limit) const;
    std::optional<ListedRecord> record(const QString& lane, qint64 sequence) const;
    // Every record through the filter, by lane and then oldest first, each
    // checked. Stops when `visit` says false. False when the table could not
    // be read. CheckOnly leaves the test's fields and moments unread.
    enum class Reading { Whole, CheckOnly };
    bool forEach(const ArchiveFilter& filter, const std::function<bool(const ListedRecord&)>& visit,
                 Reading reading = Reading::Whole) const;
    // The lanes the table holds, by name.
    QStringList lanes() const;

    const QString& lastError() const { return error_; }

  private:
    QString select() const;
    ListedRecord listedFrom(const QSqlQuery& q) const;

    QString connection_;
    Layout layout_;
    KeyOfLane keyOf_;
    mutable QString error_;
};

// The columns every records table has after its key, in order, as SQL column
// definitions; `rangeCollation` follows the texts compared as ranges (the end,
// the plate): empty for SQLite's byte order, " COLLATE \"C\"" for a server's.
QString RecordColumnsSql(const QString& rangeCollation);
// The names of those columns, in the same order.
QString RecordColumnNames();
// A record's values for those columns (every one NOT NULL: an empty text is stored as one).
QStringList RecordColumnTexts(const StoredRecord& record);

// The whole test read from a listed record's sealed texts: for showing and
// exporting, not for checking.
ListedRecord Whole(ListedRecord listed);

} // namespace archive
