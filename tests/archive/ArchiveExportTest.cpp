// The CSV export other station software reads: one row per record of the
// days asked for, one column per report key, UTF-8, quoted where needed.

#include "BuiltPrograms.h"
#include "archive/TestArchive.h"
#include "support/StationDirs.h"

#include <QProcess>

namespace {

class ArchiveExportTest : public StationDirsTest {};

ConcludedTest dayTest(int day, const QString& plate, const QList<ConcludedTest::Field>& fields) {
    ConcludedTest test;
    test.kind = ConcludedTest::Kind::Smoke;
    test.outcome = ConcludedTest::Outcome::Passed;
    test.start = QDateTime(QDate(2026, 3, day), QTime(9, 0));
    test.end = test.start.addSecs(300);
    test.plate = plate;
    test.fields = fields;
    return test;
}

TEST_F(ArchiveExportTest, WritesTheRecordsOfTheDaysAskedForOneColumnPerKey) {
    const QString path = programFile(QStringLiteral("archivio.sqlite"));
    {
        archive::TestArchive archive(path, QStringLiteral("lane 1"), QStringLiteral("Ver. 1.0.0"));
        ASSERT_TRUE(archive.open(archive::TestArchive::Mode::ReadWrite));
        ASSERT_TRUE(archive.append(dayTest(1, "AA111AA", {{"Plate", "AA111AA"}, {"Result", "SUPERATA"}})));
        ASSERT_TRUE(archive.append(dayTest(2, QString::fromUtf8("ÄÖ222"),
                                           {{"Plate", QString::fromUtf8("ÄÖ222")}, {"Agency", "Rossi, \"Città\""}})));
        ASSERT_TRUE(archive.append(dayTest(3, "CC333CC", {{"Plate", "CC333CC"}, {"MidOPAK", "1.1"}})));
        ASSERT_TRUE(archive.append(dayTest(4, "DD444DD", {{"Plate", "DD444DD"}})));
    }
    const QString csv = workFile(QStringLiteral("export.csv"));
    QProcess program;
    program.start(builtProgram(QStringLiteral("src/quaveron")),
                  {"--archive-export", csv, "--from", "2026-03-02", "--to", "03/03/2026", "--archive", path});
    ASSERT_TRUE(program.waitForFinished(20000)) << program.errorString().toStdString();
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();

    const QString expected = QString::fromUtf8(
        "Record,Check,Station,Kind,Outcome,Start,End,Note,Plate,Agency,MidOPAK\r\n"
        "2,OK,lane 1,smoke,passed,2026-03-02T09:00:00.000,2026-03-02T09:05:00.000,,ÄÖ222,\"Rossi, \"\"Città\"\"\",\r\n"
        "3,OK,lane 1,smoke,passed,2026-03-03T09:00:00.000,2026-03-03T09:05:00.000,,CC333CC,,1.1\r\n");
    EXPECT_EQ(readBytes(csv), expected.toUtf8());

    // A day that is not a date is refused, and nothing is written.
    program.start(builtProgram(QStringLiteral("src/quaveron")),
                  {"--archive-export", workFile(QStringLiteral("none.csv")), "--from", "yesterday", "--archive", path});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_FALSE(QFile::exists(workFile(QStringLiteral("none.csv"))));
}

} // namespace
