// The centre's server as a lane meets it: the connection check's words for
// each fault, the tables made on first use and refused when newer, and
// records sent twice kept once.

#include "archive/ServerArchive.h"
#include "archive/ServerSchema.h"
#include "support/PostgresServer.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

using archive::ServerProblem;

class ServerArchiveTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server = new PostgresServer;
        started = server->start();
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(started) << server->error().toStdString(); }

    static archive::StoredRecord record(qint64 sequence, const QByteArray& code) {
        archive::StoredRecord r;
        r.sequence = sequence;
        r.station = QStringLiteral("lane-pc");
        r.programVersion = QStringLiteral("1.0");
        r.storedAt = r.started = r.ended = QStringLiteral("2026-12-10T08:00:00.000");
        r.test.plate = QStringLiteral("AB123CD");
        r.fieldsText = QStringLiteral("[]");
        r.code = code;
        return r;
    }

    static inline PostgresServer* server = nullptr;
    static inline bool started = false;
};

TEST_F(ServerArchiveTest, ConnectionCheckNamesEachFault) {
    struct Case {
        const char* name;
        std::function<void(ArchiveSettings&)> change;
        ServerProblem expected;
    };
    const std::vector<Case> cases{
        {"reachable", [](ArchiveSettings&) {}, ServerProblem::None},
        {"no lane", [](ArchiveSettings& s) { s.lane.clear(); }, ServerProblem::NotConfigured},
        {"no password file", [](ArchiveSettings& s) { s.passwordFile += ".gone"; }, ServerProblem::PasswordFile},
        {"server down", [](ArchiveSettings& s) { s.port = server->port() + 1; }, ServerProblem::Refused},
        {"unknown host", [](ArchiveSettings& s) { s.host = "no-such-host.invalid"; }, ServerProblem::HostUnknown},
        {"wrong password", [](ArchiveSettings& s) { s.passwordFile = server->wrongPasswordFile(); },
         ServerProblem::WrongPassword},
        {"unknown user", [](ArchiveSettings& s) { s.user = "nobody-here"; }, ServerProblem::WrongPassword},
        {"missing database", [](ArchiveSettings& s) { s.database = "elsewhere"; }, ServerProblem::DatabaseMissing},
    };
    for (const Case& c : cases) {
        ArchiveSettings settings = server->settingsFor(QStringLiteral("Linea 1"));
        c.change(settings);
        const archive::ServerCheck check = archive::CheckServerConnection(settings, 3);
        EXPECT_EQ(check.problem, c.expected) << c.name << ": " << check.detail.toStdString();
    }
    // A password others may read works, and is pointed out.
    ArchiveSettings open = server->settingsFor(QStringLiteral("Linea 1"));
    QFile::setPermissions(open.passwordFile, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    EXPECT_EQ(archive::CheckServerConnection(open, 3).problem, ServerProblem::PasswordFileOpen);
    QFile::setPermissions(open.passwordFile, QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(ServerArchiveTest, RecordsSentAgainAreKeptOnceAndAnotherLanesClashIsRefused) {
    archive::ServerArchive lane(server->settingsFor(QStringLiteral("Linea 2")),
                                [](const QString&) { return std::optional<QByteArray>(); });
    ASSERT_TRUE(lane.open(3).ok());
    const auto first = lane.send({record(1, "c1"), record(2, "c2")});
    ASSERT_TRUE(first.check.ok()) << first.check.detail.toStdString();
    EXPECT_EQ(first.stored, 2);
    // The note of the first sending was lost: 2 goes again with 3.
    const auto again = lane.send({record(2, "c2"), record(3, "c3")});
    ASSERT_TRUE(again.check.ok()) << again.check.detail.toStdString();
    EXPECT_EQ(again.stored, 1);
    EXPECT_EQ(again.alreadyThere, 1);
    // Another PC with the same lane name: its record 3 is not this one's.
    const auto clash = lane.send({record(3, "other"), record(4, "c4")});
    EXPECT_EQ(clash.check.problem, ServerProblem::LaneClash);
    EXPECT_EQ(clash.clash, 3);
    archive::ArchiveFilter filter;
    filter.lane = QStringLiteral("Linea 2");
    EXPECT_EQ(lane.table().count(filter), 3); // nothing of the refused batch
    EXPECT_EQ(lane.table().lanes(), QStringList{QStringLiteral("Linea 2")});
}

TEST_F(ServerArchiveTest, TablesOfANewerProgramAreRefused) {
    archive::ServerArchive lane(server->settingsFor(QStringLiteral("Linea 3")),
                                [](const QString&) { return std::optional<QByteArray>(); });
    ASSERT_TRUE(lane.open(3).ok());
    lane.close();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "newer");
        db.setHostName("127.0.0.1");
        db.setPort(server->port());
        db.setDatabaseName(PostgresServer::Database);
        db.setUserName(PostgresServer::User);
        db.setPassword(PostgresServer::Password);
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(
            QStringLiteral("INSERT INTO quaveron_schema VALUES (%1)").arg(archive::ServerSchemaVersion + 1)));
        const archive::ServerCheck check = lane.open(3);
        EXPECT_EQ(check.problem, ServerProblem::SchemaNewer) << check.detail.toStdString();
        EXPECT_EQ(archive::CheckServerConnection(server->settingsFor("Linea 3"), 3).problem,
                  ServerProblem::SchemaNewer);
        QSqlQuery(db).exec(
            QStringLiteral("DELETE FROM quaveron_schema WHERE version > %1").arg(archive::ServerSchemaVersion));
        db.close();
    }
    QSqlDatabase::removeDatabase("newer");
}

} // namespace
