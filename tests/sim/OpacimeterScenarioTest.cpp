#include "sim/OpacimeterScenario.h"

#include "support/StationDirs.h"

#include <gtest/gtest.h>

namespace {

using sim::OpacimeterAlarm;
using sim::OpacimeterCondition;
using sim::OpacimeterScenario;

TEST(OpacimeterScenarioFile, SettingsChangeTimingsEngineSmokeAndIdentity) {
    QString error;
    const std::optional<OpacimeterScenario> s =
        OpacimeterScenario::parse("# a quick demo\n"
                                  "set warmup=5 check=0.5 zeroing=2.25\n"
                                  "set idle=750 governed=4200 rise=0.8 hold=3 fall=2   # seconds\n"
                                  "set lead=4 period=12 count=1 idlek=0.1 peaks=0.9,1.45\n"
                                  "set ambient=15 cell=85 oil=0:60,600:90 smoke=110 voltage=12.1\n"
                                  "set serial=OPX123 version=3.99 expiry=01022031\n",
                                  &error);
    ASSERT_TRUE(s) << error.toStdString();
    EXPECT_EQ(s->timing.warmUp, 5000);
    EXPECT_EQ(s->timing.check, 500);
    EXPECT_EQ(s->timing.zeroing, 2250);
    EXPECT_EQ(s->shape.idleRpm, 750);
    EXPECT_EQ(s->shape.governedRpm, 4200);
    EXPECT_EQ(s->shape.rise, 800);
    EXPECT_EQ(s->shape.hold, 3000);
    EXPECT_EQ(s->shape.fall, 2000);
    EXPECT_EQ(s->cadence.lead, 4000);
    EXPECT_EQ(s->cadence.period, 12000);
    EXPECT_EQ(s->cadence.count, 1);
    EXPECT_EQ(s->shape.idleK, 0.1);
    EXPECT_EQ(s->cadence.peaks, (std::vector<double>{0.9, 1.45}));
    EXPECT_EQ(s->heatedCellAt(0), 15);
    EXPECT_EQ(s->heatedCellAt(2500), 50);
    EXPECT_EQ(s->heatedCellAt(9000), 85);
    EXPECT_EQ(s->oil.valueAt(300000), 75);
    EXPECT_EQ(s->smoke.valueAt(1234), 110);
    EXPECT_EQ(s->voltage.valueAt(0), 12.1);
    EXPECT_EQ(s->serial, "OPX123");
    EXPECT_EQ(s->version, "3.99");
    EXPECT_EQ(s->expiry, "01022031");
}

TEST(OpacimeterScenarioFile, ConditionsHoldFromTheirTimeOn) {
    QString error;
    const std::optional<OpacimeterScenario> s = OpacimeterScenario::parse("1000 alarm=emitter mute=1\n"
                                                                          "2000 mute=0 slide=00000 error=010\n"
                                                                          "2000 alarm=none status=16\n"
                                                                          "3000 slide=auto status=auto fields=2\n"
                                                                          "3000 oilprobe=out rpmprobe=none\n",
                                                                          &error);
    ASSERT_TRUE(s) << error.toStdString();
    EXPECT_EQ(s->alarmAt(999), OpacimeterAlarm::None);
    EXPECT_EQ(s->alarmAt(1000), OpacimeterAlarm::Emitter);
    EXPECT_EQ(s->alarmAt(2000), OpacimeterAlarm::None); // the later line at the same time wins
    EXPECT_EQ(s->conditionAt(OpacimeterCondition::Mute, 1500), 1);
    EXPECT_EQ(s->conditionAt(OpacimeterCondition::Mute, 2000), 0);
    EXPECT_EQ(s->conditionAt(OpacimeterCondition::Slide, 2500), 0);
    EXPECT_EQ(s->conditionAt(OpacimeterCondition::Slide, 3000), sim::AutoCondition);
    EXPECT_EQ(s->conditionAt(OpacimeterCondition::ErrorCode, 9000), 10);
    EXPECT_EQ(s->conditionAt(OpacimeterCondition::Status, 2500), 16);
    EXPECT_EQ(s->conditionAt(OpacimeterCondition::Status, 3000), sim::AutoCondition);
    EXPECT_EQ(s->conditionAt(OpacimeterCondition::ValueFields, 2999), 8);
    EXPECT_EQ(s->conditionAt(OpacimeterCondition::ValueFields, 3000), 2);
    EXPECT_EQ(s->conditionAt(OpacimeterCondition::OilProbe, 3000), int(sim::ProbeState::Out));
    EXPECT_EQ(s->conditionAt(OpacimeterCondition::RpmProbe, 3000), int(sim::ProbeState::None));
    EXPECT_EQ(s->conditionAt(OpacimeterCondition::Operating, 0), sim::OperatingNormal);
}

struct BadFile {
    const char* text;
    const char* reason; // part of the message
};

class OpacimeterScenarioRejects : public ::testing::TestWithParam<BadFile> {};

TEST_P(OpacimeterScenarioRejects, WithTheLineAndTheReason) {
    QString error;
    EXPECT_FALSE(OpacimeterScenario::parse(GetParam().text, &error));
    EXPECT_TRUE(error.contains(GetParam().reason)) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpacimeterScenarioRejects,
    ::testing::Values(BadFile{"set warmup=-1", "line 1: warmup wants seconds"},
                      BadFile{"\nset idle=30000", "line 2: idle wants a number"},
                      BadFile{"set peaks=1.0,,1.2", "peaks"}, BadFile{"set serial=12345", "six printable"},
                      BadFile{"set expiry=2030", "DDMMYYYY"}, BadFile{"set oil=0:60,x", "oil:"},
                      BadFile{"set colour=red", "unknown setting"}, BadFile{"set", "at least one key=value"},
                      BadFile{"1000 alarm=smoke", "bad value \"smoke\" for alarm"}, BadFile{"1000 fields=9", "fields"},
                      BadFile{"1000 slide=16", "slide"}, BadFile{"1000 mute=auto", "mute"},
                      BadFile{"1000 rpmprobe=out", "rpmprobe"}, BadFile{"1000 speed=2", "unknown key"},
                      BadFile{"2000 mute=1\n1000 mute=0", "line 2: time 1000 comes before 2000"},
                      BadFile{"later mute=1", "neither \"set\" nor a time"},
                      BadFile{"set period=4", "period (4 s) shorter than one acceleration"}));

TEST(OpacimeterScenarioFile, RejectsTooManyPoints) {
    QByteArray text;
    for (int i = 0; i <= OpacimeterScenario::MaxPoints; ++i)
        text += "1 mute=0\n";
    QString error;
    EXPECT_FALSE(OpacimeterScenario::parse(text, &error));
    EXPECT_TRUE(error.contains("more than")) << error.toStdString();
}

class OpacimeterScenarioFiles : public StationDirsTest {};

TEST_F(OpacimeterScenarioFiles, LoadsAFileAndRefusesOversizedOrMissingOnes) {
    const QString path = workFile("opa.scn");
    writeBytes(path, "set warmup=1\r\n5000 alarm=optics\r\n");
    QString error;
    const std::optional<OpacimeterScenario> loaded = OpacimeterScenario::load(path, &error);
    ASSERT_TRUE(loaded) << error.toStdString();
    EXPECT_EQ(loaded->timing.warmUp, 1000);
    EXPECT_EQ(loaded->alarmAt(5000), OpacimeterAlarm::Optics);

    writeBytes(path, QByteArray(OpacimeterScenario::MaxFileBytes + 1, '#'));
    EXPECT_FALSE(OpacimeterScenario::load(path, &error));
    EXPECT_TRUE(error.contains("larger than")) << error.toStdString();

    EXPECT_FALSE(OpacimeterScenario::load(workFile("missing.scn"), &error));
    EXPECT_TRUE(error.startsWith(workFile("missing.scn")));
}

TEST(OpacimeterScenarioFile, TheHelpExampleIsAValidScenario) {
    QByteArray example;
    bool inExample = false;
    for (const QString& line : OpacimeterScenario::formatHelp().split('\n')) {
        if (inExample)
            example += line.toLatin1() + '\n';
        inExample = inExample || line.trimmed() == "Example:";
    }
    ASSERT_FALSE(example.isEmpty());
    QString error;
    EXPECT_TRUE(OpacimeterScenario::parse(example, &error)) << error.toStdString();
}

} // namespace
