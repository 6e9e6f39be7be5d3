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
QString createTableIn(const QString& schema) {
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1test_records (seq INTEGER PRIMARY KEY, %2)")
        .arg(schema, RecordColumnsSql(QString()));
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
      connection_(QStringLiteral("archive-") + QUuid::createUuid().toString(QUuid::WithoutBraces)),
      table_(connection_, RecordTable::Layout::OwnFile, [this](const QString&) { return key_; }) {}

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
            return execute(createTableIn(QStringLiteral("temp.")));
        return true;
    }
    // The table of what a server has is made with the archive, so the archive
    // of a single PC that becomes a lane sends its whole chain.
    return execute(QStringLiteral("PRAGMA journal_mode=WAL")) && execute(QStringLiteral("PRAGMA synchronous=FULL")) &&
           execute(createTableIn(QString())) &&
           execute(QStringLiteral("CREATE INDEX IF NOT EXISTS test_records_plate ON test_records (plate, seq)")) &&
           execute(QStringLiteral("CREATE INDEX IF NOT EXISTS test_records_ended ON test_records (ended)")) &&
           execute(QStringLiteral("CREATE TABLE IF NOT EXISTS server_sent ("
                                  "target TEXT PRIMARY KEY, upto INTEGER NOT NULL)"));
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
    insert.prepare(
        QStringLiteral("INSERT INTO test_records (seq, %1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .arg(RecordColumnNames()));
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
        for (const QString& text : RecordColumnTexts(r))
            insert.addBindValue(text);
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
    return table_.count(filter);
}

QList<ListedRecord> TestArchive::newest(const ArchiveFilter& filter, int limit) const {
    return table_.newest(filter, limit);
}

std::optional<ListedRecord> TestArchive::record(qint64 sequence) const {
    return table_.record(QString(), sequence);
}

bool TestArchive::forEach(const ArchiveFilter& filter, const std::function<bool(const ListedRecord&)>& visit,
                          Reading reading) const {
    if (table_.forEach(filter, visit, reading))
        return true;
    error_ = table_.lastError();
    return false;
}

qint64 TestArchive::sentUpTo(const QString& target) const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT upto FROM server_sent WHERE target = ?"));
    q.addBindValue(target);
    // An archive opened to read only may predate the table: nothing was sent from it.
    return q.exec() && q.next() ? q.value(0).toLongLong() : 0;
}

bool TestArchive::markSent(const QString& target, qint64 sequence) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("INSERT INTO server_sent (target, upto) VALUES (?, ?) "
                             "ON CONFLICT (target) DO UPDATE SET upto = excluded.upto"));
    q.addBindValue(target);
    q.addBindValue(sequence);
    if (q.exec())
        return true;
    error_ = q.lastError().text();
    return false;
}

} // namespace archive
