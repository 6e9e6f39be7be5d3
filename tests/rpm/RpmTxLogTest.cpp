#include "RpmWindowFixture.h"

#include "rpm/RpmTxLog.h"
#include "ui/Clock.h"

#include <QDir>
#include <QFile>

namespace {

QList<QByteArray> logLines(const QByteArray& content) {
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

TEST_F(RpmWindowTest, EveryTickLogsTheLastCommandWithDateAndTime) {
    ui::Clock::set(QDateTime(QDate(2024, 3, 5), QTime(9, 29, 59, 500)));
    openWindow({.choice = 2});
    tick(4);
    const QList<QByteArray> lines = logLines(readBytes(programFile("RpmTx.log")));
    EXPECT_EQ(lines, (QList<QByteArray>{"05/03/2024 09:29:59\tCI\r", "05/03/2024 09:29:59\tTE\r",
                                        "05/03/2024 09:30:00\tTP\r", "05/03/2024 09:30:00\tVA\r"}));
}

TEST_F(RpmWindowTest, LogThatCannotBeWrittenNeverStopsTheReadings) {
    // A folder where the log should be: every append fails.
    ASSERT_TRUE(QDir(program.path()).mkdir("RpmTx.log"));
    openWindow();
    tick(5);
    EXPECT_EQ(conversation(), QStringList({"CI 4", "TE 4", "VA", "VA", "VA"}));
    EXPECT_EQ(form->Label1.caption(), "850");
    EXPECT_FALSE(rpm::RpmTxLog::append(ui::Clock::now(), "VA"));
}

TEST_F(RpmWindowTest, FullLogIsMovedAsideAndRestarted) {
    const QByteArray old(rpm::RpmTxLog::SizeLimit, 'x');
    writeBytes(programFile("RpmTx.log"), old);
    writeBytes(programFile("RpmTx.log.1"), "older");
    ASSERT_TRUE(rpm::RpmTxLog::append(ui::Clock::now(), "VE"));
    EXPECT_EQ(readBytes(programFile("RpmTx.log")), "05/03/2024 09:30:00\tVE\r\n");
    EXPECT_EQ(readBytes(programFile("RpmTx.log.1")), old);
    // Below the limit the log just grows.
    ASSERT_TRUE(rpm::RpmTxLog::append(ui::Clock::now(), "VA"));
    EXPECT_EQ(logLines(readBytes(programFile("RpmTx.log"))).size(), 2);
}
