#include "OpacimeterFixture.h"

#include "link/MctcParsers.h"
#include "shared/Globals.h"

namespace {

using sim::OpacimeterAlarm;
using sim::OpacimeterCondition;

class OpacimeterMctc : public OpacimeterOnFakePort {
  protected:
    void SetUp() override { start(5); }
    void startWith(sim::OpacimeterScenario scenario) { start(5, std::move(scenario)); }

    // The status code as the program reads it: the first data character's low five bits.
    int status(const QByteArray& command = "@ST") {
        const auto fields = mctcFields(command);
        if (!fields || fields->front().isEmpty())
            return -1;
        return fields->front().front() & 0x1F;
    }
    // The "@RS" error code as the program reads it: the first data character, masked with 127.
    int registerCode() {
        const auto fields = mctcFields("@RS");
        if (!fields || fields->front().isEmpty())
            return -1;
        return static_cast<unsigned char>(fields->front().front()) & 127;
    }
    QByteArray valueField(int number) {
        const auto fields = mctcFields("@VA");
        if (!fields || number > fields->size())
            return "(missing)";
        return fields->at(number - 1);
    }
};

TEST_F(OpacimeterMctc, IdentifiesItselfAsTheMctcModelThroughTheProgramsParser) {
    LinkState link;
    ParseIdentityReply(link, askMctc("ID"), 2, 1);
    EXPECT_EQ(link.InstrumentIdentity.Maker, "KAPRO");
    EXPECT_EQ(link.InstrumentIdentity.Model.trimmed(), "OPX-300"); // the set-up window's model 5
    EXPECT_EQ(link.InstrumentIdentity.SerialNumber, "004217");
    EXPECT_EQ(link.InstrumentIdentity.ExpiryDate, "31/12/2030");
    EXPECT_EQ(link.VersionThousandths, 4100); // the smoke window then asks "@ST"
}

TEST_F(OpacimeterMctc, VersionAndSerialComeFromTheScenario) {
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    scenario.version = "3.90";
    scenario.serial = "R30001";
    startWith(scenario);
    LinkState link;
    ParseIdentityReply(link, askMctc("ID"), 2, 1);
    EXPECT_EQ(link.VersionThousandths, 3900); // below 4005: the smoke window asks "ST"
    EXPECT_EQ(link.InstrumentIdentity.SerialNumber, "R30001");
}

TEST_F(OpacimeterMctc, StatusRepliesAreByteExact) {
    // STX "OPA" ETB "1" ETB "@ST" ETB 'A' (0x40 + status 1) checksum ETX
    EXPECT_EQ(askMctc("@ST"), BuildMctcFrame("OPA", "@ST", "1", "A"));
    EXPECT_EQ(askMctc("ST"), BuildMctcFrame("OPA", "ST", "1", "A"));
    EXPECT_EQ(askMctc("@RS"), BuildMctcFrame("OPA", "@RS", "1",
                                             QByteArray("\x80\x17"
                                                        "0",
                                                        3)));
    EXPECT_EQ(askMctc("AZ"), BuildMctcFrame("OPA", "AZ", "1", "006")); // refused while warming up
}

TEST_F(OpacimeterMctc, GoesFromWarmUpThroughZeroingToMeasuring) {
    struct Step {
        sim::Millis at;
        int status;
    };
    // warm-up and self-check report 1, zeroing 4, measuring 8
    for (const Step& s :
         {Step{0, 1}, Step{1999, 1}, Step{2500, 1}, Step{3000, 4}, Step{3950, 4}, Step{4000, 8}, Step{60000, 8}}) {
        clock.advanceTo(s.at);
        EXPECT_EQ(status("@ST"), s.status) << s.at;
        EXPECT_EQ(status("ST"), s.status) << s.at;
    }
}

TEST_F(OpacimeterMctc, AStartZeroesAgainThenMeasuresInTestMode) {
    clock.advanceTo(QuickReadyAt + 500);
    EXPECT_EQ(mctcFields("AZ"), QList<QByteArray>{"001"});
    EXPECT_EQ(status(), 4);
    clock.advanceBy(1000);
    EXPECT_EQ(status(), 16);
}

TEST_F(OpacimeterMctc, StandByUntilTheNextStart) {
    EXPECT_EQ(mctcFields("SB"), QList<QByteArray>{"006"}); // not while warming up
    EXPECT_EQ(status(), 1);
    clock.advanceTo(QuickReadyAt);
    EXPECT_EQ(mctcFields("SB"), QList<QByteArray>{"001"});
    clock.advanceBy(30000);
    EXPECT_EQ(status(), 2);
    EXPECT_EQ(valueField(1), "0.00"); // the slide stays closed
    EXPECT_EQ(mctcFields("AZ"), QList<QByteArray>{"001"});
    EXPECT_EQ(status(), 4);
}

TEST_F(OpacimeterMctc, ValueReplyCarriesTheSevenValuesThenTheErrorField) {
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    scenario.oil = sim::Profile::constant(84.4);
    scenario.smoke = sim::Profile::constant(123);
    startWith(scenario);
    // Before any acceleration: idling, idle smoke, cell at its set point.
    clock.advanceTo(QuickReadyAt + 1000);
    const auto fields = mctcFields("@VA");
    ASSERT_TRUE(fields);
    EXPECT_EQ(*fields, (QList<QByteArray>{"0.08", "3.4", "800", "84", "123", "80", "6.0", "001"}));

    // At the first peak: 6 s after the zeroing, plus 1.2 s into the acceleration.
    clock.advanceTo(QuickReadyAt + 6000 + 1300);
    const auto peak = mctcFields("@VA");
    ASSERT_TRUE(peak);
    EXPECT_EQ(peak->at(0), "1.00");
    EXPECT_EQ(peak->at(1), "34.9");
    EXPECT_EQ(peak->at(2), "4500");
}

TEST_F(OpacimeterMctc, WarmingUpTheCellClimbsAndNoSmokeReachesIt) {
    // From the ambient 20 degrees to the set point 80 over the 2 s warm-up.
    for (const auto& [at, cell] : {std::pair{0, "20"}, std::pair{1000, "50"}, std::pair{2000, "80"}}) {
        clock.advanceTo(at);
        EXPECT_EQ(valueField(6), cell) << at;
        EXPECT_EQ(valueField(1), "0.00") << at;
    }
}

TEST_F(OpacimeterMctc, ParametersTwentyAndTwentyOneFollowTheSlide) {
    EXPECT_EQ(mctcFields("@LU", "21"), (QList<QByteArray>{"00002", "021"}));
    EXPECT_EQ(mctcFields("@LU", "20"), (QList<QByteArray>{"00032", "020"})); // closed while warming up
    clock.advanceTo(3500);
    EXPECT_EQ(mctcFields("@LU", "20"), (QList<QByteArray>{"00032", "020"})); // and while zeroing
    clock.advanceTo(QuickReadyAt);
    EXPECT_EQ(mctcFields("@LU", "20"), (QList<QByteArray>{"00016", "020"})); // open for measuring
    EXPECT_EQ(mctcFields("@LU", "020"), (QList<QByteArray>{"00016", "020"}));
}

TEST_F(OpacimeterMctc, UnknownParametersAndCommandsGoUnanswered) {
    for (const auto& [command, data] : {std::pair<QByteArray, QByteArray>{"@LU", "47"},
                                        {"@LU", ""},
                                        {"@LU", "2x"},
                                        {"@LU", "0021"},
                                        {"@SD", "01012030"},
                                        {"ZZ", ""},
                                        {"HC", ""}}) {
        EXPECT_TRUE(askMctc(command, data).isEmpty()) << command.constData() << " " << data.constData();
    }
    EXPECT_TRUE(exchange(BuildMctcFrame("GAS", "ID", "1", {})).isEmpty());
    EXPECT_TRUE(exchange(BuildMctcFrame("OPA", "ID", "2", {})).isEmpty());
    EXPECT_EQ(opacimeter->framesIgnored(), 2);
}

TEST_F(OpacimeterMctc, DiagnosticsCarryTheSupplyVoltageInFieldSix) {
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    scenario.voltage = *sim::Profile::parse("0:13.2,10:13.2,20:10.2");
    startWith(scenario);
    const std::optional<MctcFields> fields = SplitMctcData(askMctc("@RD"), 3, 1);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->field(6), "13200");
    clock.advanceTo(15000);
    EXPECT_EQ(SplitMctcData(askMctc("@RD"), 3, 1)->field(6), "11700");
    clock.advanceTo(25000);
    EXPECT_EQ(SplitMctcData(askMctc("@RD"), 3, 1)->field(6)->toDouble() / 1000, 10.2); // below 10.7: low
}

struct AlarmCase {
    const char* name;
    OpacimeterAlarm alarm;
    const char* errorField;
    int registerCode;
    const char* slide; // parameter 020 while measuring
};

class OpacimeterMctcAlarms : public OpacimeterMctc, public ::testing::WithParamInterface<AlarmCase> {};

TEST_P(OpacimeterMctcAlarms, ReportsEachAlarmInTheErrorFieldAndTheRegister) {
    const AlarmCase& c = GetParam();
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    scenario.setCondition(OpacimeterCondition::Alarm, 10000, int(c.alarm));
    startWith(scenario);
    clock.advanceTo(9000);
    EXPECT_EQ(valueField(8), "001");
    EXPECT_EQ(registerCode(), 0);

    clock.advanceTo(10000);
    EXPECT_EQ(valueField(8), c.errorField);
    EXPECT_EQ(registerCode(), c.registerCode);
    EXPECT_EQ(mctcFields("@LU", "20")->front(), c.slide);
    EXPECT_EQ(mctcFields("AZ"), QList<QByteArray>{c.errorField});
}

INSTANTIATE_TEST_SUITE_P(Alarms, OpacimeterMctcAlarms,
                         ::testing::Values(AlarmCase{"none", OpacimeterAlarm::None, "001", 0, "00016"},
                                           AlarmCase{"optics", OpacimeterAlarm::Optics, "002", 26, "00016"},
                                           AlarmCase{"pressurehigh", OpacimeterAlarm::PressureHigh, "003", 0, "00016"},
                                           AlarmCase{"pressurelow", OpacimeterAlarm::PressureLow, "003", 0, "00016"},
                                           AlarmCase{"emitter", OpacimeterAlarm::Emitter, "004", 25, "00016"},
                                           AlarmCase{"overheat", OpacimeterAlarm::Overheat, "007", 24, "00016"},
                                           AlarmCase{"cellsensor", OpacimeterAlarm::CellSensor, "010", 0, "00016"},
                                           AlarmCase{"slide", OpacimeterAlarm::Slide, "001", 20, "00032"}),
                         [](const ::testing::TestParamInfo<AlarmCase>& info) { return std::string(info.param.name); });

TEST_F(OpacimeterMctc, ABrokenCellSensorReadsZeroForTheStandByCheck) {
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    scenario.setCondition(OpacimeterCondition::Alarm, 0, int(OpacimeterAlarm::CellSensor));
    startWith(scenario);
    clock.advanceTo(QuickReadyAt);
    askMctc("SB");
    EXPECT_EQ(status(), 2);
    EXPECT_EQ(valueField(6), "0");  // cell at most 1 ...
    EXPECT_EQ(valueField(5), "60"); // ... with exhaust at least 20: the program's error 10
}

TEST_F(OpacimeterMctc, RawConditionsReplaceWhatTheInstrumentWouldSend) {
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    scenario.setCondition(OpacimeterCondition::Status, 5000, 16);
    scenario.setCondition(OpacimeterCondition::ErrorCode, 5000, 8);
    scenario.setCondition(OpacimeterCondition::RegisterCode, 5000, 23); // ETB's code, still one byte
    scenario.setCondition(OpacimeterCondition::Slide, 5000, 0);
    scenario.setCondition(OpacimeterCondition::Operating, 5000, 1);
    scenario.setCondition(OpacimeterCondition::Status, 6000, sim::AutoCondition);
    startWith(scenario);
    clock.advanceTo(5000);
    EXPECT_EQ(status(), 16);
    EXPECT_EQ(valueField(8), "008");
    EXPECT_EQ(registerCode(), 23);
    EXPECT_EQ(mctcFields("@LU", "20")->front(), "00000");
    EXPECT_EQ(mctcFields("@LU", "21")->front(), "00001");
    clock.advanceTo(6000);
    EXPECT_EQ(status(), 8);
}

TEST_F(OpacimeterMctc, ProbesMissingOrOutOfRange) {
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    scenario.setCondition(OpacimeterCondition::OilProbe, 5000, int(sim::ProbeState::Out));
    scenario.setCondition(OpacimeterCondition::RpmProbe, 5000, int(sim::ProbeState::None));
    scenario.setCondition(OpacimeterCondition::OilProbe, 6000, int(sim::ProbeState::None));
    startWith(scenario);
    clock.advanceTo(5000);
    EXPECT_EQ(valueField(4), "888"); // the program shows "OutRange"
    EXPECT_EQ(valueField(3), "-1");
    clock.advanceTo(6000);
    EXPECT_EQ(valueField(4), "-1");
}

TEST_F(OpacimeterMctc, TruncatedValueRepliesKeepTheirFirstFields) {
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    scenario.setCondition(OpacimeterCondition::ValueFields, 5000, 3);
    scenario.setCondition(OpacimeterCondition::ValueFields, 6000, 0);
    startWith(scenario);
    clock.advanceTo(5000);
    EXPECT_EQ(mctcFields("@VA")->size(), 3);
    clock.advanceTo(6000);
    const QByteArray reply = askMctc("@VA");
    EXPECT_EQ(reply, BuildMctcFrame("OPA", "@VA", "1", {})); // no data at all
}

TEST_F(OpacimeterMctc, MuteAndBadChecksumSwitchOnAndOff) {
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    scenario.setCondition(OpacimeterCondition::Mute, 1000, 1);
    scenario.setCondition(OpacimeterCondition::Mute, 2000, 0);
    scenario.setCondition(OpacimeterCondition::BadChecksum, 3000, 1);
    startWith(scenario);
    clock.advanceTo(1000);
    EXPECT_TRUE(askMctc("ID").isEmpty());
    EXPECT_TRUE(askMctc("@ST").isEmpty());
    clock.advanceTo(2000);
    EXPECT_EQ(askMctc("@ST"), BuildMctcFrame("OPA", "@ST", "1", "A"));
    clock.advanceTo(3000);
    const QByteArray good = BuildMctcFrame("OPA", "@ST", "1", "D"); // zeroing
    const QByteArray bad = askMctc("@ST");
    ASSERT_EQ(bad.size(), good.size());
    EXPECT_NE(bad, good);
    EXPECT_EQ(bad.left(bad.size() - 3), good.left(good.size() - 3)); // only the checksum differs
    EXPECT_EQ(status(), 4);                                          // and the program still reads it
}

TEST_F(OpacimeterMctc, SpeaksNoMakerFrames) {
    clock.advanceTo(QuickReadyAt);
    EXPECT_TRUE(exchange(BuildMakerFrame(0x51, 0x3F, {})).isEmpty());
    EXPECT_TRUE(exchange(BuildMakerFrame(0x41, 0x3F, {})).isEmpty());
    EXPECT_EQ(status(), 8);
}

} // namespace
