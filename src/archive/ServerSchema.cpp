#include "archive/ServerSchema.h"

#include "archive/RecordTable.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace archive {

namespace {

// The lane and the number, then the columns of the lane's own file. Texts
// compared as ranges (plate, the end) use the plain byte order, whatever the
// database's language.
QString createRecords() {
    return QStringLiteral(
               "CREATE TABLE IF NOT EXISTS test_records (lane VARCHAR(64) NOT NULL, seq BIGINT NOT NULL, %1, "
               "sent_at TIMESTAMP WITH TIME ZONE NOT NULL DEFAULT now(), PRIMARY KEY (lane, seq))")
        .arg(RecordColumnsSql(QStringLiteral(" COLLATE \"C\"")));
}

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
                      run(createRecords()) &&
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
