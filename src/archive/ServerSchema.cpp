#include "archive/ServerSchema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace archive {

namespace {

// The lane's own columns, then the lane. Texts compared as ranges (plate, the
// end) use the plain byte order, whatever the database's language.
const char* const CreateRecords = "CREATE TABLE IF NOT EXISTS test_records ("
                                  "lane VARCHAR(64) NOT NULL, "
                                  "seq BIGINT NOT NULL, "
                                  "station VARCHAR(64) NOT NULL, "
                                  "program_version VARCHAR(32) NOT NULL, "
                                  "stored_at VARCHAR(23) NOT NULL, "
                                  "kind VARCHAR(16) NOT NULL, "
                                  "outcome VARCHAR(16) NOT NULL, "
                                  "started VARCHAR(23) NOT NULL, "
                                  "ended VARCHAR(23) COLLATE \"C\" NOT NULL, "
                                  "plate VARCHAR(32) COLLATE \"C\" NOT NULL, "
                                  "instrument VARCHAR(128) NOT NULL, "
                                  "verdict VARCHAR(128) NOT NULL, "
                                  "note TEXT NOT NULL, "
                                  "fields TEXT NOT NULL, "
                                  "prev_code VARCHAR(64) NOT NULL, "
                                  "code VARCHAR(64) NOT NULL, "
                                  "sent_at TIMESTAMP WITH TIME ZONE NOT NULL DEFAULT now(), "
                                  "PRIMARY KEY (lane, seq))";

// Any fixed number: the lock lanes take while making the tables.
constexpr qint64 SchemaLock = 0x51a7e20;

ServerCheck failed(const QSqlQuery& q) {
    return {ServerProblem::Other, q.lastError().text()};
}

} // namespace

ServerCheck ReadServerSchema(QSqlDatabase& db) {
    if (!db.tables().contains(QStringLiteral("quaveron_schema")))
        return {};
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT MAX(version) FROM quaveron_schema")))
        return failed(q);
    const int version = q.next() ? q.value(0).toInt() : 0;
    if (version > ServerSchemaVersion)
        return {ServerProblem::SchemaNewer,
                QStringLiteral("the server's tables are version %1; this program knows up to %2")
                    .arg(version)
                    .arg(ServerSchemaVersion)};
    return {};
}

ServerCheck EnsureServerSchema(QSqlDatabase& db) {
    if (ServerCheck known = ReadServerSchema(db); !known.ok())
        return known;
    if (!db.transaction())
        return {ServerProblem::Other, db.lastError().text()};
    QSqlQuery q(db);
    const auto run = [&q](const QString& sql) { return q.exec(sql); };
    const bool made = run(QStringLiteral("SET LOCAL client_min_messages = warning")) && // no "already exists" notices
                      run(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(SchemaLock)) &&
                      run(QStringLiteral("CREATE TABLE IF NOT EXISTS quaveron_schema (version INTEGER NOT NULL)")) &&
                      run(QLatin1String(CreateRecords)) &&
                      run(QStringLiteral("CREATE INDEX IF NOT EXISTS test_records_ended ON test_records (ended)")) &&
                      run(QStringLiteral("CREATE INDEX IF NOT EXISTS test_records_plate ON test_records (plate)")) &&
                      run(QStringLiteral("INSERT INTO quaveron_schema (version) SELECT %1 WHERE NOT EXISTS "
                                         "(SELECT 1 FROM quaveron_schema)")
                              .arg(ServerSchemaVersion));
    if (!made) {
        const ServerCheck check = failed(q);
        db.rollback();
        return check;
    }
    if (!db.commit())
        return {ServerProblem::Other, db.lastError().text()};
    return ReadServerSchema(db);
}

} // namespace archive
