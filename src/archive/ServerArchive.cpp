#include "archive/ServerArchive.h"

#include "archive/ServerSchema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace archive {

QString ServerTarget(const ArchiveSettings& s) {
    return QStringLiteral("postgresql://%1@%2:%3/%4#%5").arg(s.user, s.host).arg(s.port).arg(s.database, s.lane);
}

ServerArchive::ServerArchive(ArchiveSettings settings, KeyOfLane keyOf)
    : settings_(std::move(settings)),
      connection_(QStringLiteral("archive-server-") + QUuid::createUuid().toString(QUuid::WithoutBraces)),
      table_(connection_, RecordTable::Layout::Lanes, std::move(keyOf)) {}

ServerArchive::~ServerArchive() {
    close();
}

ServerCheck ServerArchive::open(int timeoutSeconds) {
    close();
    ServerCheck check = OpenServerConnection(settings_, connection_, timeoutSeconds);
    if (!check.ok())
        return check;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    check = EnsureServerSchema(db);
    if (!check.ok()) {
        db = QSqlDatabase();
        close();
    }
    return check;
}

bool ServerArchive::isOpen() const {
    return QSqlDatabase::contains(connection_) && QSqlDatabase::database(connection_, false).isOpen();
}

void ServerArchive::close() {
    if (!QSqlDatabase::contains(connection_))
        return;
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

ServerArchive::Sending ServerArchive::send(const QList<StoredRecord>& records) {
    Sending sending;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    const auto fail = [&](const QString& said) {
        if (db.isOpen())
            db.rollback();
        sending.stored = sending.alreadyThere = 0;
        sending.check = {ProblemFromServerText(said), said};
        return sending;
    };
    if (!db.isOpen())
        return fail(QStringLiteral("no connection to the server"));
    if (!db.transaction())
        return fail(db.lastError().text());
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO test_records (lane, seq, %1) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                                  "ON CONFLICT (lane, seq) DO NOTHING")
                       .arg(RecordColumnNames()));
    QSqlQuery held(db);
    held.prepare(QStringLiteral("SELECT code FROM test_records WHERE lane = ? AND seq = ?"));
    for (const StoredRecord& r : records) {
        insert.addBindValue(settings_.lane);
        insert.addBindValue(r.sequence);
        for (const QString& text : RecordColumnTexts(r))
            insert.addBindValue(text);
        if (!insert.exec())
            return fail(insert.lastError().text());
        if (insert.numRowsAffected() == 1) {
            ++sending.stored;
            continue;
        }
        // Sent before, with the note of it lost (the program stopped between
        // the server's commit and its own): the same record is already there.
        held.addBindValue(settings_.lane);
        held.addBindValue(r.sequence);
        if (!held.exec() || !held.next())
            return fail(held.lastError().text());
        if (held.value(0).toString().toLatin1() != r.code) {
            db.rollback();
            sending.clash = r.sequence;
            sending.stored = sending.alreadyThere = 0;
            sending.check = {ServerProblem::LaneClash,
                             QStringLiteral("the server holds another record %1 for lane %2: another PC uses this "
                                            "lane's name")
                                 .arg(r.sequence)
                                 .arg(settings_.lane)};
            return sending;
        }
        held.finish();
        ++sending.alreadyThere;
    }
    if (!db.commit())
        return fail(db.lastError().text());
    return sending;
}

} // namespace archive
