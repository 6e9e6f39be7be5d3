// The archive's protection as an inspector would try it: records changed with
// the sqlite3 command-line tool or the key file replaced. The program's
// --archive-verify must name every broken record and exit 1, and the archive
// window must list those records in red and refuse to print them as valid.

#include "ArchiveSamples.h"
#include "BuiltPrograms.h"
#include "archive/ARCHIVIO.h"
#include "archive/ArchiveKey.h"
#include "archive/TestArchive.h"
#include "lang/LanguageTexts.h"
#include "shared/Globals.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QDir>
#include <QProcess>

#include <functional>
#include <map>

namespace {

using archive::RecordFault;

constexpr int RecordCount = 5;
constexpr int ToolMs = 20000;

struct Tamper {
    const char* name;
    // SQL given to the sqlite3 tool; empty for none.
    const char* sql;
    bool replaceKey;
    std::map<qint64, RecordFault> broken; // every other record stays OK
};

// Names the case in test listings (the default prints its bytes, which differ from run to run).
void PrintTo(const Tamper& tamper, std::ostream* out) {
    *out << tamper.name;
}

const Tamper Tampers[] = {
    {"Untouched", "", false, {}},
    {"OneValueEdited",
     "UPDATE test_records SET fields = replace(fields, '[\"CO\",\"2.20\"]', '[\"CO\",\"0.20\"]') WHERE seq = 3;",
     false,
     {{3, RecordFault::Changed}}},
    {"PlateEdited", "UPDATE test_records SET plate = 'ZZ999ZZ' WHERE seq = 2;", false, {{2, RecordFault::Changed}}},
    {"OneRecordDeleted", "DELETE FROM test_records WHERE seq = 3;", false, {{4, RecordFault::PreviousMissing}}},
    {"TwoSwapped",
     "UPDATE test_records SET seq = -2 WHERE seq = 2; UPDATE test_records SET seq = 2 WHERE seq = 4; "
     "UPDATE test_records SET seq = 4 WHERE seq = -2;",
     false,
     {{2, RecordFault::Changed}, {3, RecordFault::NotLinked}, {4, RecordFault::Changed}, {5, RecordFault::NotLinked}}},
    {"CopyInserted",
     "INSERT INTO test_records SELECT 6, station, program_version, stored_at, kind, outcome, started, ended, plate, "
     "instrument, verdict, note, fields, (SELECT code FROM test_records WHERE seq = 5), code FROM test_records "
     "WHERE seq = 2;",
     false,
     {{6, RecordFault::Changed}}},
    {"KeyReplaced",
     "",
     true,
     {{1, RecordFault::Changed},
      {2, RecordFault::Changed},
      {3, RecordFault::Changed},
      {4, RecordFault::Changed},
      {5, RecordFault::Changed}}},
};

// Records the sheets the archive window opens.
class RecordingSheets : public ArchiveSheetWindows {
  public:
    void showSheet(ConcludedTest::Kind, Globals& restored, const QString&, bool valid, const QString&) override {
        plates << restored.station.VehiclePlate + restored.report.GasCertificate.Header.VehiclePlate;
        validity << valid;
    }
    QStringList plates;
    QList<bool> validity;
};

class ArchiveTamperTest : public StationDirsTest, public ::testing::WithParamInterface<Tamper> {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        path = programFile(QStringLiteral("archivio.sqlite"));
        archive::TestArchive archive(path, QStringLiteral("lane 1"), QStringLiteral("Ver. 1.0.0"));
        ASSERT_TRUE(archive.open(archive::TestArchive::Mode::ReadWrite)) << archive.lastError().toStdString();
        for (int number = 0; number < RecordCount; ++number) {
            ConcludedTest test = SampleConcludedTest(number);
            // A value the edit case changes: record 3's idle CO.
            for (auto& field : test.fields)
                if (field.first == QLatin1String("CO"))
                    field.second = number == 2 ? QStringLiteral("2.20") : QStringLiteral("0.10");
            ASSERT_EQ(archive.append(test), number + 1) << archive.lastError().toStdString();
        }
    }

    // The program's verdict on each record, by sequence number, and its exit code.
    std::map<qint64, QString> verify(int* exitCode) const {
        QProcess program;
        program.start(builtProgram(QStringLiteral("src/quaveron")), {"--archive-verify", "--archive", path});
        EXPECT_TRUE(program.waitForFinished(ToolMs)) << program.errorString().toStdString();
        *exitCode = program.exitCode();
        std::map<qint64, QString> lines;
        for (const QString& line : QString::fromUtf8(program.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
            lines[line.section(u' ', 0, 0).toLongLong()] = line.section(u' ', 1);
        return lines;
    }

    QString path;
};

TEST_P(ArchiveTamperTest, VerifyNamesEveryBrokenRecordAndTheWindowMarksIt) {
    const Tamper& tamper = GetParam();
    if (*tamper.sql) {
        QProcess tool;
        tool.start(QStringLiteral("sqlite3"), {path, QLatin1String(tamper.sql)});
        ASSERT_TRUE(tool.waitForFinished(ToolMs));
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }
    if (tamper.replaceKey)
        writeBytes(archive::KeyPathFor(path), QByteArray(archive::KeyBytes, 'k'));

    int exitCode = -1;
    const std::map<qint64, QString> lines = verify(&exitCode);
    EXPECT_EQ(exitCode, tamper.broken.empty() ? 0 : 1);
    std::map<qint64, QString> expected;
    for (qint64 sequence = 1; sequence <= RecordCount + 1; ++sequence) {
        const auto broken = tamper.broken.find(sequence);
        if (broken != tamper.broken.end())
            expected[sequence] = archive::FaultText({sequence, broken->second});
        else if (sequence <= RecordCount &&
                 !(QLatin1String(tamper.name) == QLatin1String("OneRecordDeleted") && sequence == 3))
            expected[sequence] = QStringLiteral("OK");
    }
    EXPECT_EQ(lines, expected);

    // The window lists the same records, newest first, the broken ones in red.
    Globals g;
    installLanguageFile();
    LoadLanguageTexts(g, 2);
    RecordingDialogs dialogs;
    RecordingSheets sheets;
    ARCHIVIO window(g, dialogs, sheets, path);
    window.Form_Load();
    ASSERT_EQ(window.Rows.size(), static_cast<qsizetype>(expected.size()));
    for (int row = 0; row < window.Rows.size(); ++row) {
        const qint64 sequence = window.Rows[row].record.sequence;
        const bool broken = tamper.broken.count(sequence) > 0;
        EXPECT_EQ(window.rowColour(row), broken ? ui::colour::Red : ui::colour::White) << "record " << sequence;
        window.List1.setListIndex(row);
        window.Command2_Click();
        ASSERT_EQ(sheets.validity.size(), row + 1);
        EXPECT_EQ(sheets.validity.last(), !broken) << "record " << sequence;
        EXPECT_EQ(sheets.plates.last(), window.Rows[row].record.test.value(QStringLiteral("Plate")));
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Tampers, ArchiveTamperTest, ::testing::ValuesIn(Tampers),
                         [](const ::testing::TestParamInfo<Tamper>& info) { return std::string(info.param.name); });

} // namespace
