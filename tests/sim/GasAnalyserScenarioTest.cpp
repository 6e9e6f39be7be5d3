#include "sim/GasAnalyserModel.h"
#include "sim/GasScenario.h"
#include "support/StationDirs.h"

#include <gtest/gtest.h>

namespace {

using sim::GasCondition;
using sim::GasQuantity;
using sim::GasScenario;
using sim::GasValue;

GasScenario parsed(const char* text) {
    QString error;
    const std::optional<GasScenario> scenario = GasScenario::parse(text, &error);
    EXPECT_TRUE(scenario) << text << ": " << error.toStdString();
    return scenario.value_or(GasScenario());
}

struct ValueCase {
    const char* text;
    GasQuantity quantity;
    sim::Millis at;
    GasValue expected;
};

class GasScenarioValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(GasScenarioValues, ReadingsRunBetweenPointsAndHoldOutside) {
    const ValueCase& c = GetParam();
    EXPECT_EQ(parsed(c.text).valueAt(c.quantity, c.at), c.expected) << c.text << " at " << c.at;
}

INSTANTIATE_TEST_SUITE_P(
    Files, GasScenarioValues,
    ::testing::Values(
        ValueCase{"0 rpm=850\n1000 rpm=1850\n", GasQuantity::EngineSpeed, 500, GasValue::of(1350)},
        ValueCase{"0 rpm=850\n1000 rpm=1850\n", GasQuantity::EngineSpeed, 5000, GasValue::of(1850)},
        ValueCase{"1000 co=2\n2000 co=4\n", GasQuantity::CO, 0, GasValue::of(2)},
        ValueCase{"0 co=none\n1000 co=1\n", GasQuantity::CO, 999, GasValue::none()},
        ValueCase{"0 co=none\n1000 co=1\n", GasQuantity::CO, 1000, GasValue::of(1)},
        ValueCase{"0 co=1\n1000 co=over\n2000 co=3\n", GasQuantity::CO, 999, GasValue::of(1)},
        ValueCase{"0 co=1\n1000 co=over\n2000 co=3\n", GasQuantity::CO, 1500, GasValue::over()},
        ValueCase{"0 rpm=800\n1000 rpm=800\n1000 rpm=3000\n", GasQuantity::EngineSpeed, 999, GasValue::of(800)},
        ValueCase{"0 rpm=800\n1000 rpm=800\n1000 rpm=3000\n", GasQuantity::EngineSpeed, 1000, GasValue::of(3000)},
        ValueCase{"  # notes\n\n\t500\trpm=900   o2=1.5 # tail\r\n", GasQuantity::O2, 500, GasValue::of(1.5)},
        ValueCase{"0 lambda=0.95 hc=120\n", GasQuantity::HC, 0, GasValue::of(120)},
        ValueCase{"0 pressure=-20\n", GasQuantity::Pressure, 0, GasValue::of(-20)},
        ValueCase{"", GasQuantity::EngineSpeed, 0, GasValue::of(850)},
        ValueCase{"", GasQuantity::Lambda, 123456, GasValue::of(1.0)},
        // "+T" counts from the line before, whatever that line's own form.
        ValueCase{"1000 rpm=850\n+2000 rpm=850\n+500 rpm=2350\n", GasQuantity::EngineSpeed, 3250, GasValue::of(1600)},
        ValueCase{"+1000 co=1\n+0 co=2\n", GasQuantity::CO, 1000, GasValue::of(2)}));

TEST(GasScenario, ConditionsHoldFromTheirPointAndDefaultBeforeIt) {
    const GasScenario scenario = parsed("5000 error=35 channels=4 leak=I status=16\n"
                                        "6000 status=auto mute=1 badsum=1 vafields=3 residue=I erten=200\n");
    const std::pair<GasCondition, std::pair<int, int>> expectations[] = {
        {GasCondition::ErrorCode, {0, 35}},
        {GasCondition::FaultyChannels, {0, 4}},
        {GasCondition::LeakResult, {'R', 'I'}},
        {GasCondition::Status, {-1, 16}},
    };
    for (const auto& [condition, values] : expectations) {
        EXPECT_EQ(scenario.conditionAt(condition, 4999), values.first);
        EXPECT_EQ(scenario.conditionAt(condition, 5000), values.second);
    }
    EXPECT_EQ(scenario.conditionAt(GasCondition::Status, 6000), -1);
    EXPECT_EQ(scenario.conditionAt(GasCondition::Mute, 6000), 1);
    EXPECT_EQ(scenario.conditionAt(GasCondition::BadChecksum, 6000), 1);
    EXPECT_EQ(scenario.conditionAt(GasCondition::ValueFields, 5999), 9);
    EXPECT_EQ(scenario.conditionAt(GasCondition::ValueFields, 6000), 3);
    EXPECT_EQ(scenario.conditionAt(GasCondition::ResidueResult, 6000), 'I');
    EXPECT_EQ(scenario.conditionAt(GasCondition::ErTen, 6000), 200);
}

TEST(GasScenario, OriginLineChoosesWhereTimesCount) {
    EXPECT_EQ(parsed("").origin(), sim::ScenarioOrigin::PowerOn);
    EXPECT_EQ(parsed("origin zeroed\n").origin(), sim::ScenarioOrigin::Zeroed);
    EXPECT_EQ(parsed("origin residue # after the HC test\n0 rpm=1").origin(), sim::ScenarioOrigin::Residue);
}

struct BadCase {
    const char* text;
    const char* reason; // part of the message
};

class GasScenarioRejects : public ::testing::TestWithParam<BadCase> {};

TEST_P(GasScenarioRejects, BadFilesAreRefusedWithLineAndReason) {
    QString error;
    EXPECT_FALSE(GasScenario::parse(GetParam().text, &error));
    EXPECT_TRUE(error.contains(GetParam().reason)) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, GasScenarioRejects,
    ::testing::Values(BadCase{"abc rpm=1", "line 1: \"abc\" is not a time"},
                      BadCase{"0 rpm=1\n0 rpm", "line 2: \"rpm\" is not key=value"},
                      BadCase{"0 rpm=fast", "rpm wants a number, none or over"}, BadCase{"0 =5", "not key=value"},
                      BadCase{"0 speed=1", "unknown key \"speed\""},
                      BadCase{"1000 rpm=1\n500 rpm=2", "line 2: time 500 comes before 1000"},
                      BadCase{"0", "needs at least one key=value"}, BadCase{"0 error=128", "bad value"},
                      BadCase{"0 leak=X", "bad value"}, BadCase{"0 status=256", "bad value"},
                      BadCase{"0 vafields=10", "bad value"}, BadCase{"0 rpm=1e7", "rpm wants"},
                      BadCase{"0 rpm=nan", "rpm wants"}, BadCase{"-5 rpm=1", "not a time"},
                      BadCase{"604800001 rpm=1", "not a time"}, BadCase{"origin later", "origin wants"},
                      BadCase{"+ rpm=1", "\"+\" is not a time"}, BadCase{"+-5 rpm=1", "not a time"},
                      BadCase{"604800000 rpm=1\n+1 rpm=2", "line 2: \"+1\" is not a time"}));

TEST(GasScenario, SizeLimitsHoldWhateverTheInput) {
    QByteArray many;
    for (int i = 0; i <= GasScenario::MaxPoints; ++i)
        many += QByteArray::number(i) + " rpm=1\n";
    QString error;
    EXPECT_FALSE(GasScenario::parse(many, &error));
    EXPECT_TRUE(error.contains("more than")) << error.toStdString();

    QByteArray huge(GasScenario::MaxFileBytes + 1, '#');
    EXPECT_FALSE(GasScenario::parse(huge, &error));
    EXPECT_TRUE(error.contains("larger than")) << error.toStdString();

    // Arbitrary bytes are refused, never read past or crashed on.
    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise += static_cast<char>((i * 7919) % 256);
    EXPECT_FALSE(GasScenario::parse(noise, &error));
}

class GasScenarioFile : public StationDirsTest {};

TEST_F(GasScenarioFile, LoadsAFileAndNamesItInErrors) {
    const QString path = workFile("run.txt");
    writeBytes(path, "origin zeroed\r\n0 rpm=800\r\n10000 rpm=2800\r\n");
    QString error;
    const std::optional<GasScenario> scenario = GasScenario::load(path, &error);
    ASSERT_TRUE(scenario) << error.toStdString();
    EXPECT_EQ(scenario->valueAt(GasQuantity::EngineSpeed, 5000), GasValue::of(1800));

    writeBytes(path, "0 rpm=800\n1 rpm=x\n");
    EXPECT_FALSE(GasScenario::load(path, &error));
    EXPECT_TRUE(error.startsWith(path)) << error.toStdString();
    EXPECT_TRUE(error.contains("line 2")) << error.toStdString();

    EXPECT_FALSE(GasScenario::load(workFile("missing.txt"), &error));
    EXPECT_TRUE(error.contains("missing.txt")) << error.toStdString();

    writeBytes(path, QByteArray(GasScenario::MaxFileBytes + 10, '\n'));
    EXPECT_FALSE(GasScenario::load(path, &error));
}

TEST(GasScenario, CorrectedCoIsComputedFromTheFuelUnlessScripted) {
    GasScenario scenario = parsed("0 co=1 co2=10\n");
    EXPECT_NEAR(scenario.readingsAt(0, 15)[GasQuantity::COcorr].number, 15.0 / 11, 1e-9);
    EXPECT_NEAR(scenario.readingsAt(0, 12)[GasQuantity::COcorr].number, 12.0 / 11, 1e-9);
    EXPECT_EQ(parsed("0 co=1 co2=14.5\n").readingsAt(0, 12)[GasQuantity::COcorr], GasValue::of(1));
    EXPECT_EQ(parsed("0 co=0 co2=0\n").readingsAt(0, 15)[GasQuantity::COcorr], GasValue::of(0));
    EXPECT_EQ(parsed("0 co=none\n").readingsAt(0, 15)[GasQuantity::COcorr], GasValue::none());
    EXPECT_EQ(parsed("0 co=1 co2=10 cocorr=0.4\n").readingsAt(0, 15)[GasQuantity::COcorr], GasValue::of(0.4));
}

// The analyser's procedures end on their own as scenario time passes.
class GasModel : public ::testing::Test {
  protected:
    GasScenario scenario;
    sim::GasAnalyserModel model{scenario, {1000, 500, 800, 300}, sim::GasPhase::Measuring};
};

TEST_F(GasModel, ScriptTimedFromTheLatestZeroingStartsOverWithEachZeroing) {
    scenario = parsed("origin zeroed\n0 rpm=800\n10000 rpm=2800\n");
    EXPECT_EQ(model.scenarioTime(5000), 0) << "no zeroing yet";
    ASSERT_TRUE(model.startZeroing(5000));
    EXPECT_EQ(model.scenarioTime(5499), 0);
    EXPECT_EQ(model.scenarioTime(6500), 1000);
    EXPECT_EQ(scenario.valueAt(GasQuantity::EngineSpeed, model.scenarioTime(10500)), GasValue::of(1800));
    ASSERT_TRUE(model.startZeroing(20000));
    EXPECT_EQ(model.scenarioTime(20600), 100);
}

TEST_F(GasModel, ScriptTimedFromTheHcResidueTest) {
    scenario = parsed("origin residue\n");
    EXPECT_FALSE(model.startHcResidueTest(500)) << "not while warming up";
    ASSERT_TRUE(model.startHcResidueTest(2000));
    EXPECT_EQ(model.hcResidueResult(2299), 'E');
    EXPECT_EQ(model.scenarioTime(2299), 0);
    EXPECT_EQ(model.hcResidueResult(2300), 'R');
    EXPECT_EQ(model.scenarioTime(3300), 1000);
}

TEST_F(GasModel, OutcomesAreThoseScriptedForTheMomentATestEnds) {
    scenario = parsed("0 leak=R residue=R\n1500 leak=I\n3000 residue=I\n");
    ASSERT_TRUE(model.startLeakTest(1000));
    EXPECT_EQ(model.leakRecord(1799).status, 'E');
    ASSERT_TRUE(model.startLeakTest(1700)) << "asked again while running";
    const sim::LeakTestRecord record = model.leakRecord(1800);
    EXPECT_EQ(record.status, 'I');
    EXPECT_EQ(record.endedAt, 1800);
    ASSERT_TRUE(model.startHcResidueTest(2600));
    EXPECT_EQ(model.hcResidueResult(5000), 'R') << "ended at 2900, before the change";
}

TEST_F(GasModel, ZeroingAndStandByRules) {
    EXPECT_FALSE(model.startZeroing(999));
    EXPECT_FALSE(model.toggleStandBy(999));
    EXPECT_FALSE(model.stop(999));
    EXPECT_EQ(model.phase(1000), sim::GasPhase::Measuring);
    EXPECT_TRUE(model.toggleStandBy(1000));
    EXPECT_EQ(model.phase(1000), sim::GasPhase::StandBy);
    EXPECT_FALSE(model.stop(1000));
    EXPECT_TRUE(model.startZeroing(1100)) << "zeroing wakes it from stand-by";
    EXPECT_FALSE(model.startLeakTest(1200)) << "no leak test while zeroing";
    EXPECT_TRUE(model.stop(1200));
    EXPECT_EQ(model.phase(5000), sim::GasPhase::Waiting) << "a stopped zeroing never ends in measuring";
}

TEST_F(GasModel, CalendarRunsWithScenarioTimeFromWhereItWasSet) {
    model.setCalendar(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 0), Qt::UTC), 10000);
    EXPECT_EQ(model.calendarAt(70000), QDateTime(QDate(2025, 1, 1), QTime(0, 0, 0), Qt::UTC));
    EXPECT_EQ(model.calendarAt(0), QDateTime(QDate(2024, 12, 31), QTime(23, 58, 50), Qt::UTC));
}

} // namespace
