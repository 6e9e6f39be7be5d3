#include "archive/TestArchive.h"

#include "archive/ArchiveKey.h"
#include "ui/Clock.h"
#include "ui/Paths.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <cstdio>

namespace archive {

namespace {

// %1: the schema, empty for the archive's own.
const char* const CreateTableIn = "CREATE TABLE IF NOT EXISTS %1test_records ("
                                  "seq INTEGER PRIMARY KEY, "
                                  "station VARCHAR(64) NOT NULL, "
                                  "program_version VARCHAR(32) NOT NULL, "
                                  "stored_at VARCHAR(23) NOT NULL, "
                                  "kind VARCHAR(16) NOT NULL, "
                                  "outcome VARCHAR(16) NOT NULL, "
                                  "started VARCHAR(23) NOT NULL, "
                                  "ended VARCHAR(23) NOT NULL, "
                                  "plate VARCHAR(32) NOT NULL, "
                                  "instrument VARCHAR(128) NOT NULL, "
                                  "verdict VARCHAR(128) NOT NULL, "
                                  "note TEXT NOT NULL, "
                                  "fields TEXT NOT NULL, "
                                  "prev_code VARCHAR(64) NOT NULL, "
                                  "code VARCHAR(64) NOT NULL)";

// Each record with the code of the record before it in sequence, for the check.
const char* const SelectChecked = "SELECT r.seq, r.station, r.program_version, r.stored_at, r.kind, r.outcome, "
                                  "r.started, r.ended, r.plate, r.instrument, r.verdict, r.note, r.fields, "
                                  "r.prev_code, r.code, p.code FROM test_records r "
                                  "LEFT JOIN test_records p ON p.seq = r.seq - 1";

QString dayText(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

// The WHERE part of a filter and its bound values, in order.
struct Where {
    QString sql;
    QVariantList values;
};

Where whereOf(const ArchiveFilter& filter) {
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
    if (!parts.isEmpty())
        where.sql = QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    return where;
}

ListedRecord listedFrom(const QSqlQuery& q, const std::optional<QByteArray>& key) {
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
    const QVariant previous = q.value(15);
    listed.check = CheckRecord(
        key, r, previous.isNull() ? std::nullopt : std::optional<QByteArray>(previous.toString().toLatin1()));
    return listed;
}

// The whole test, read from the sealed texts: for showing and exporting, not for checking.
ListedRecord whole(ListedRecord listed) {
    ConcludedTest& t = listed.record.test;
    t.fields = FieldsFromText(listed.record.fieldsText);
    t.start = MomentFromText(listed.record.started);
    t.end = MomentFromText(listed.record.ended);
    return listed;
}

} // namespace

QString DefaultArchivePath() {
    // An installed program's folder is root's: there the archive's name is a
    // link to a folder the operators may write, and the database's journal
    // files and its key must be made beside the real file, not beside the link.
    const QFileInfo beside(ui::Paths::inProgramDirectory(QStringLiteral("archivio.sqlite")));
    return beside.isSymLink() ? beside.symLinkTarget() : beside.filePath();
}

TestArchive::TestArchive(QString path, QString station, QString programVersion)
    : path_(std::move(path)), station_(std::move(station)), programVersion_(std::move(programVersion)),
      connection_(QStringLiteral("archive-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

TestArchive::~TestArchive() {
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

bool TestArchive::execute(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (q.exec(sql))
        return true;
    error_ = q.lastError().text();
    return false;
}

bool TestArchive::open(Mode mode) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    // Another program reading the archive holds it only briefly.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
    if (mode == Mode::ReadOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open()) {
        error_ = db.lastError().text();
        return false;
    }
    key_ = ReadKey(KeyPathFor(path_));
    if (mode == Mode::ReadOnly) {
        // A program stopped between making the file and its table left an empty archive.
        if (!db.tables().contains(QStringLiteral("test_records")))
            return execute(QLatin1String(CreateTableIn).arg(QStringLiteral("temp.")));
        return true;
    }
    return execute(QStringLiteral("PRAGMA journal_mode=WAL")) && execute(QStringLiteral("PRAGMA synchronous=FULL")) &&
           execute(QLatin1String(CreateTableIn).arg(QString())) &&
           execute(QStringLiteral("CREATE INDEX IF NOT EXISTS test_records_plate ON test_records (plate, seq)")) &&
           execute(QStringLiteral("CREATE INDEX IF NOT EXISTS test_records_ended ON test_records (ended)"));
}

bool TestArchive::ensureKey() {
    if (!key_)
        key_ = ReadOrCreateKey(KeyPathFor(path_), &error_);
    return key_.has_value();
}

std::optional<qint64> TestArchive::append(const ConcludedTest& test) {
    return append(QList<ConcludedTest>{test});
}

std::optional<qint64> TestArchive::append(const QList<ConcludedTest>& tests) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.isOpen()) {
        error_ = QStringLiteral("the archive is not open");
        return std::nullopt;
    }
    if (tests.isEmpty() || !ensureKey())
        return std::nullopt;
    if (!db.transaction()) {
        error_ = db.lastError().text();
        return std::nullopt;
    }
    const auto fail = [&](const QSqlQuery& query) -> std::optional<qint64> {
        error_ = query.lastError().text();
        db.rollback();
        return std::nullopt;
    };
    // The chain's end is read inside the transaction, so two writers never seal on the same record.
    QSqlQuery last(db);
    if (!last.exec(QStringLiteral("SELECT seq, code FROM test_records ORDER BY seq DESC LIMIT 1")))
        return fail(last);
    StoredRecord r;
    if (last.next()) {
        r.sequence = last.value(0).toLongLong();
        r.code = last.value(1).toString().toLatin1();
    }
    last.finish();

    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO test_records (seq, station, program_version, stored_at, kind, outcome, "
                                  "started, ended, plate, instrument, verdict, note, fields, prev_code, code) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const ConcludedTest& test : tests) {
        r.sequence += 1;
        r.previousCode = r.code;
        r.station = station_;
        r.programVersion = programVersion_;
        r.storedAt = MomentText(ui::Clock::now());
        r.started = MomentText(test.start);
        r.ended = MomentText(test.end);
        r.test = test;
        r.fieldsText = FieldsText(test.fields);
        r.code = ChainCode(*key_, r);
        insert.addBindValue(r.sequence);
        // Every text column is NOT NULL: an empty text is stored as one.
        for (const QString& text :
             {r.station, r.programVersion, r.storedAt, KindName(test.kind), OutcomeName(test.outcome), r.started,
              r.ended, test.plate, test.instrument, test.verdict, test.note, r.fieldsText,
              QString::fromLatin1(r.previousCode), QString::fromLatin1(r.code)})
            insert.addBindValue(text.isNull() ? QStringLiteral("") : text);
        if (!insert.exec())
            return fail(insert);
    }
    if (!db.commit()) {
        error_ = db.lastError().text();
        db.rollback();
        return std::nullopt;
    }
    return r.sequence;
}

void TestArchive::store(const ConcludedTest& test) {
    pending_.append(test);
    while (!pending_.isEmpty()) {
        if (!append(pending_.first())) {
            std::fprintf(stderr, "quaveron: test archive %s: %s (%d test(s) held)\n", qPrintable(path_),
                         qPrintable(error_), pendingCount());
            return;
        }
        pending_.removeFirst();
    }
}

qint64 TestArchive::count(const ArchiveFilter& filter) const {
    const Where where = whereOf(filter);
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

QList<ListedRecord> TestArchive::newest(const ArchiveFilter& filter, int limit) const {
    const Where where = whereOf(filter);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    q.prepare(QLatin1String(SelectChecked) + where.sql + QStringLiteral(" ORDER BY r.seq DESC LIMIT ?"));
    for (const QVariant& value : where.values)
        q.addBindValue(value);
    q.addBindValue(limit);
    QList<ListedRecord> records;
    if (!q.exec()) {
        error_ = q.lastError().text();
        return records;
    }
    while (q.next())
        records.append(whole(listedFrom(q, key_)));
    return records;
}

std::optional<ListedRecord> TestArchive::record(qint64 sequence) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QLatin1String(SelectChecked) + QStringLiteral(" WHERE r.seq = ?"));
    q.addBindValue(sequence);
    if (!q.exec() || !q.next()) {
        error_ = q.lastError().text();
        return std::nullopt;
    }
    return whole(listedFrom(q, key_));
}

bool TestArchive::forEach(const ArchiveFilter& filter, const std::function<bool(const ListedRecord&)>& visit,
                          Reading reading) const {
    const Where where = whereOf(filter);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    q.prepare(QLatin1String(SelectChecked) + where.sql + QStringLiteral(" ORDER BY r.seq"));
    for (const QVariant& value : where.values)
        q.addBindValue(value);
    if (!q.exec()) {
        error_ = q.lastError().text();
        return false;
    }
    while (q.next())
        if (!visit(reading == Reading::Whole ? whole(listedFrom(q, key_)) : listedFrom(q, key_)))
            break;
    return true;
}

} // namespace archive
