#include "archive/RecordTable.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace archive {

namespace {

// Each record with the code of the record before it in its chain, for the check.
const char* const SelectColumns = "SELECT r.seq, r.station, r.program_version, r.stored_at, r.kind, r.outcome, "
                                  "r.started, r.ended, r.plate, r.instrument, r.verdict, r.note, r.fields, "
                                  "r.prev_code, r.code, p.code";
constexpr int LaneColumn = 16;

QString dayText(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

// The WHERE part of a filter and its bound values, in order.
struct Where {
    QString sql;
    QVariantList values;
};

Where whereOf(const ArchiveFilter& filter, RecordTable::Layout layout) {
    QStringList parts;
    Where where;
    if (filter.from.isValid()) {
        parts << QStringLiteral("r.ended >= ?");
        where.values << dayText(filter.from);
    }
    if (filter.to.isValid()) {
        parts << QStringLiteral("r.ended < ?");
        where.values << dayText(filter.to.addDays(1));
    }
    if (!filter.plate.isEmpty()) {
        // A range rather than LIKE, so the plate index serves it on every server.
        parts << QStringLiteral("r.plate >= ? AND r.plate < ?");
        where.values << filter.plate << filter.plate + QChar(0xFFFF);
    }
    if (filter.outcome) {
        parts << QStringLiteral("r.outcome = ?");
        where.values << OutcomeName(*filter.outcome);
    }
    if (!filter.lane.isEmpty() && layout == RecordTable::Layout::Lanes) {
        parts << QStringLiteral("r.lane = ?");
        where.values << filter.lane;
    }
    if (filter.after) {
        parts << QStringLiteral("r.seq > ?");
        where.values << *filter.after;
    }
    if (!parts.isEmpty())
        where.sql = QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    return where;
}

} // namespace

QString RecordColumnsSql(const QString& rangeCollation) {
    return QStringLiteral("station VARCHAR(64) NOT NULL, "
                          "program_version VARCHAR(32) NOT NULL, "
                          "stored_at VARCHAR(23) NOT NULL, "
                          "kind VARCHAR(16) NOT NULL, "
                          "outcome VARCHAR(16) NOT NULL, "
                          "started VARCHAR(23) NOT NULL, "
                          "ended VARCHAR(23)%1 NOT NULL, "
                          "plate VARCHAR(32)%1 NOT NULL, "
                          "instrument VARCHAR(128) NOT NULL, "
                          "verdict VARCHAR(128) NOT NULL, "
                          "note TEXT NOT NULL, "
                          "fields TEXT NOT NULL, "
                          "prev_code VARCHAR(64) NOT NULL, "
                          "code VARCHAR(64) NOT NULL")
        .arg(rangeCollation);
}

QString RecordColumnNames() {
    return QStringLiteral("station, program_version, stored_at, kind, outcome, started, ended, plate, instrument, "
                          "verdict, note, fields, prev_code, code");
}

QStringList RecordColumnTexts(const StoredRecord& r) {
    const ConcludedTest& t = r.test;
    QStringList texts{r.station,
                      r.programVersion,
                      r.storedAt,
                      KindName(t.kind),
                      OutcomeName(t.outcome),
                      r.started,
                      r.ended,
                      t.plate,
                      t.instrument,
                      t.verdict,
                      t.note,
                      r.fieldsText,
                      QString::fromLatin1(r.previousCode),
                      QString::fromLatin1(r.code)};
    for (QString& text : texts)
        if (text.isNull())
            text = QStringLiteral("");
    return texts;
}

ListedRecord Whole(ListedRecord listed) {
    ConcludedTest& t = listed.record.test;
    t.fields = FieldsFromText(listed.record.fieldsText);
    t.start = MomentFromText(listed.record.started);
    t.end = MomentFromText(listed.record.ended);
    return listed;
}

RecordTable::RecordTable(QString connection, Layout layout, KeyOfLane keyOf)
    : connection_(std::move(connection)), layout_(layout), keyOf_(std::move(keyOf)) {}

QString RecordTable::select() const {
    if (layout_ == Layout::OwnFile)
        return QLatin1String(SelectColumns) +
               QStringLiteral(" FROM test_records r LEFT JOIN test_records p ON p.seq = r.seq - 1");
    return QLatin1String(SelectColumns) + QStringLiteral(", r.lane FROM test_records r LEFT JOIN test_records p "
                                                         "ON p.lane = r.lane AND p.seq = r.seq - 1");
}

ListedRecord RecordTable::listedFrom(const QSqlQuery& q) const {
    ListedRecord listed;
    StoredRecord& r = listed.record;
    r.sequence = q.value(0).toLongLong();
    r.station = q.value(1).toString();
    r.programVersion = q.value(2).toString();
    r.storedAt = q.value(3).toString();
    ConcludedTest& t = r.test;
    t.kind = KindFromName(q.value(4).toString());
    t.outcome = OutcomeFromName(q.value(5).toString());
    r.started = q.value(6).toString();
    r.ended = q.value(7).toString();
    t.plate = q.value(8).toString();
    t.instrument = q.value(9).toString();
    t.verdict = q.value(10).toString();
    t.note = q.value(11).toString();
    r.fieldsText = q.value(12).toString();
    r.previousCode = q.value(13).toString().toLatin1();
    r.code = q.value(14).toString().toLatin1();
    if (layout_ == Layout::Lanes)
        listed.lane = q.value(LaneColumn).toString();
    const QVariant previous = q.value(15);
    listed.check =
        CheckRecord(keyOf_(listed.lane), r,
                    previous.isNull() ? std::nullopt : std::optional<QByteArray>(previous.toString().toLatin1()));
    return listed;
}

qint64 RecordTable::count(const ArchiveFilter& filter) const {
    const Where where = whereOf(filter, layout_);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM test_records r") + where.sql);
    for (const QVariant& value : where.values)
        q.addBindValue(value);
    if (!q.exec() || !q.next()) {
        error_ = q.lastError().text();
        return 0;
    }
    return q.value(0).toLongLong();
}

QList<ListedRecord> RecordTable::newest(const ArchiveFilter& filter, int limit) const {
    const Where where = whereOf(filter, layout_);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    // Lanes number their records each on their own: across lanes, newest is by end.
    const QString order = layout_ == Layout::OwnFile
                              ? QStringLiteral(" ORDER BY r.seq DESC LIMIT ?")
                              : QStringLiteral(" ORDER BY r.ended DESC, r.lane, r.seq DESC LIMIT ?");
    q.prepare(select() + where.sql + order);
    for (const QVariant& value : where.values)
        q.addBindValue(value);
    q.addBindValue(limit);
    QList<ListedRecord> records;
    if (!q.exec()) {
        error_ = q.lastError().text();
        return records;
    }
    while (q.next())
        records.append(Whole(listedFrom(q)));
    return records;
}

std::optional<ListedRecord> RecordTable::record(const QString& lane, qint64 sequence) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    const bool lanes = layout_ == Layout::Lanes;
    q.prepare(select() +
              (lanes ? QStringLiteral(" WHERE r.lane = ? AND r.seq = ?") : QStringLiteral(" WHERE r.seq = ?")));
    if (lanes)
        q.addBindValue(lane);
    q.addBindValue(sequence);
    if (!q.exec() || !q.next()) {
        error_ = q.lastError().text();
        return std::nullopt;
    }
    return Whole(listedFrom(q));
}

bool RecordTable::forEach(const ArchiveFilter& filter, const std::function<bool(const ListedRecord&)>& visit,
                          Reading reading) const {
    const Where where = whereOf(filter, layout_);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    q.prepare(
        select() + where.sql +
        (layout_ == Layout::OwnFile ? QStringLiteral(" ORDER BY r.seq") : QStringLiteral(" ORDER BY r.lane, r.seq")));
    for (const QVariant& value : where.values)
        q.addBindValue(value);
    if (!q.exec()) {
        error_ = q.lastError().text();
        return false;
    }
    while (q.next())
        if (!visit(reading == Reading::Whole ? Whole(listedFrom(q)) : listedFrom(q)))
            break;
    return true;
}

QStringList RecordTable::lanes() const {
    QStringList names;
    if (layout_ != Layout::Lanes)
        return names;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.exec(QStringLiteral("SELECT DISTINCT lane FROM test_records ORDER BY lane"))) {
        error_ = q.lastError().text();
        return names;
    }
    while (q.next())
        names << q.value(0).toString();
    return names;
}

} // namespace archive
