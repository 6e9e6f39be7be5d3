#include "GasAnalyserFixture.h"

#include "link/MctcParsers.h"
#include "shared/Globals.h"

namespace {

using sim::GasCondition;
using sim::GasQuantity;
using sim::GasValue;

constexpr char Etb = FrameByte::Etb;

class GasMctc : public GasAnalyserOnFakePort {
  protected:
    // The status code as the gas window reads it: the first data character, low five bits.
    static int statusOf(const QByteArray& reply, const QByteArray& command) {
        const QList<QByteArray> fields = fieldsOf(reply, command);
        return fields.isEmpty() || fields.front().isEmpty() ? -1 : static_cast<unsigned char>(fields.front()[0]) & 0x1F;
    }
    int status() { return statusOf(askMctc("@ST"), "@ST"); }
    QList<QByteArray> measure() { return fieldsOf(askMctc("@VA"), "@VA"); }
    void script(const char* text) {
        QString error;
        const std::optional<sim::GasScenario> scenario = sim::GasScenario::parse(text, &error);
        ASSERT_TRUE(scenario) << error.toStdString();
        analyser->setScenario(*scenario);
    }
};

struct IdentityCase {
    int model;
    const char* modelPrefix; // first 12 characters the set-up window compares
    bool knownToSetup;       // one of the maker-protocol rows
};

class GasIdentity : public GasAnalyserOnFakePort, public ::testing::WithParamInterface<IdentityCase> {};

TEST_P(GasIdentity, EveryModelIdentifiesItselfOverMctcNetForTheSetupWindow) {
    build(quickSettings(GetParam().model));
    const QByteArray reply = askMctc("ID");
    ASSERT_TRUE(MctcHeaderMatches(reply, "GAS")) << reply.toHex().toStdString();
    ASSERT_EQ(MctcReplyCommand(reply, 2, 1), "ID");
    LinkState link;
    ParseIdentityReply(link, reply, 2, 1);
    const QString prefix = link.InstrumentIdentity.Model.left(12);
    const QStringList rows = {"KAPROGAS-610", "KAPROGAS-620", "KAPROGAS-730"};
    EXPECT_EQ(rows.contains(prefix), GetParam().knownToSetup) << prefix.toStdString();
    if (GetParam().knownToSetup) {
        EXPECT_EQ(prefix, GetParam().modelPrefix);
    }
    EXPECT_EQ(link.InstrumentIdentity.ExpiryDate, "31/12/2030");
    EXPECT_EQ(link.InstrumentIdentity.SerialNumber.size(), 8);
    EXPECT_GT(link.VersionThousandths, 0);
}

INSTANTIATE_TEST_SUITE_P(Models, GasIdentity,
                         ::testing::Values(IdentityCase{0, "KAPROGAS-610", true}, IdentityCase{1, "KAPROGAS-620", true},
                                           IdentityCase{2, "KAPROGAS-730", true}, IdentityCase{3, "", false}));

TEST_F(GasMctc, IdentityFieldsComeFromTheSettings) {
    sim::GasAnalyserSettings settings = quickSettings(3);
    settings.serial = "VEGA-77";
    settings.version = "1.20";
    settings.expiry = "01022031";
    build(settings);
    LinkState link;
    ParseIdentityReply(link, askMctc("ID"), 2, 1);
    EXPECT_EQ(link.InstrumentIdentity.SerialNumber, "VEGA-77");
    EXPECT_EQ(link.InstrumentIdentity.ExpiryDate, "01/02/2031");
    EXPECT_EQ(link.VersionThousandths, 1200);
    EXPECT_EQ(link.InstrumentIdentity.Extra, "");
}

TEST_F(GasMctc, WarmsUpThenMeasuresZeroesAndRunsTheHcResidueTest) {
    EXPECT_EQ(status(), 1) << "warming up";
    EXPECT_EQ(askMctc("AZ"), mctcReply("AZ")) << "acknowledged even while warming up";
    clock.advanceTo(999);
    EXPECT_EQ(status(), 1) << "a zeroing asked during warm-up is not started";
    clock.advanceTo(1000);
    EXPECT_EQ(status(), 8) << "measuring after the warm-up";

    EXPECT_EQ(askMctc("AZ"), mctcReply("AZ"));
    for (int poll = 0; poll < 4; ++poll) {
        EXPECT_EQ(status(), 4) << "poll " << poll;
        clock.advanceBy(100);
    }
    clock.advanceBy(500);
    EXPECT_EQ(status(), 8);

    EXPECT_EQ(askMctc("HC"), mctcReply("HC"));
    EXPECT_EQ(askMctc("EH"), mctcReply("EH", "E"));
    EXPECT_EQ(askMctc("EH"), mctcReply("EH", "E")) << "repeated while the test runs";
    clock.advanceBy(300);
    EXPECT_EQ(askMctc("EH"), mctcReply("EH", "R"));
    EXPECT_EQ(askMctc("EH"), mctcReply("EH", "R")) << "the result stays";
}

TEST_F(GasMctc, StandByGoesOnAndOffAndIsRefusedDuringWarmUp) {
    EXPECT_EQ(askMctc("SB"), mctcReply("SB"));
    EXPECT_EQ(status(), 1);
    clock.advanceTo(2000);
    EXPECT_EQ(askMctc("SB"), mctcReply("SB"));
    EXPECT_EQ(status(), 2);
    EXPECT_EQ(askMctc("SB"), mctcReply("SB"));
    EXPECT_EQ(status(), 8);
}

TEST_F(GasMctc, StatusTravelsAsAPrintableLetterWithTheCodeInItsLowBits) {
    clock.advanceTo(2000);
    for (const int code : {1, 2, 4, 8, 16, 31}) {
        sim::GasScenario scenario;
        scenario.addCondition(GasCondition::Status, 0, code);
        analyser->setScenario(scenario);
        const QByteArray data = fieldsOf(askMctc("@ST"), "@ST").value(0);
        ASSERT_EQ(data.size(), 1) << code;
        EXPECT_GE(data[0], 0x40) << code;
        EXPECT_EQ(data[0] & 0x1F, code);
    }
}

struct VersionCase {
    const char* version;
    bool answersOldStatus;
};

class GasStatusCommand : public GasMctc, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(GasStatusCommand, OldVersionsKnowStNewOnesAtSt) {
    sim::GasAnalyserSettings settings = quickSettings(3);
    settings.version = GetParam().version;
    build(settings);
    EXPECT_EQ(statusOf(askMctc("ST"), "ST") == 1, GetParam().answersOldStatus);
    EXPECT_EQ(askMctc("ST").isEmpty(), !GetParam().answersOldStatus);
    EXPECT_EQ(askMctc("@ST").isEmpty(), GetParam().answersOldStatus);
}

INSTANTIATE_TEST_SUITE_P(Versions, GasStatusCommand,
                         ::testing::Values(VersionCase{"1.20", true}, VersionCase{"1.499", true},
                                           VersionCase{"1.50", false}, VersionCase{"2.10", false}));

TEST_F(GasMctc, SetDateMovesTheCalendarThatDatesTheLeakTest) {
    // The remembered leak test dates from power-on, 14/03/2025 09:30.
    EXPECT_EQ(askMctc("ET"), mctcReply("ET", QByteArray("R") + Etb + "14032025" + Etb + "0930"));
    clock.advanceTo(5000);
    EXPECT_EQ(askMctc("@SD", QByteArray("01022026") + Etb + "120000"), mctcReply("@SD"));
    // Power-on was five seconds before noon on the new calendar.
    EXPECT_EQ(askMctc("ET"), mctcReply("ET", QByteArray("R") + Etb + "01022026" + Etb + "1159"));
}

TEST_F(GasMctc, SetDateWithBadDataIsNotAnsweredAndChangesNothing) {
    const QByteArray bad[] = {"",
                              "01022026",
                              QByteArray("32012026") + Etb + "120000",
                              QByteArray("01022026") + Etb + "250000",
                              QByteArray("0102202a") + Etb + "120000",
                              QByteArray("010226") + Etb + "1200",
                              QByteArray("01022026") + Etb + "120000" + Etb};
    for (const QByteArray& data : bad)
        EXPECT_TRUE(askMctc("@SD", data).isEmpty()) << data.toStdString();
    EXPECT_EQ(fieldsOf(askMctc("ET"), "ET").value(1), "14032025");
}

TEST_F(GasMctc, LeakTestRunsShowsItsPressureAndIsDatedWhenItEnds) {
    clock.advanceTo(2000);
    EXPECT_EQ(askMctc("TT"), mctcReply("TT"));
    EXPECT_EQ(fieldsOf(askMctc("ET"), "ET").value(0), "E");
    int previous = -1;
    for (int step = 0; step < 6; ++step) {
        const int pressure = fieldsOf(askMctc("@LS"), "@LS").value(0).toInt();
        EXPECT_GE(pressure, previous - 10) << "step " << step;
        previous = pressure;
        clock.advanceBy(100);
    }
    EXPECT_GT(previous, 400) << "the circuit holds its depression";
    clock.advanceTo(2800);
    const QList<QByteArray> ended = fieldsOf(askMctc("ET"), "ET");
    // 2.8 s after 09:30:00, on the analyser's calendar.
    EXPECT_EQ(ended, (QList<QByteArray>{"R", "14032025", "0930"}));
    EXPECT_EQ(fieldsOf(askMctc("@LS"), "@LS").value(0), "0") << "no depression outside a test";
}

TEST_F(GasMctc, ScriptedLeakOutcomeAndPressure) {
    script("0 leak=I pressure=0\n2000 pressure=480\n2800 pressure=320\n");
    clock.advanceTo(2000);
    askMctc("TT");
    clock.advanceTo(2400);
    EXPECT_EQ(fieldsOf(askMctc("@LS"), "@LS").value(0), "400");
    clock.advanceTo(2800);
    EXPECT_EQ(fieldsOf(askMctc("ET"), "ET").value(0), "I");
}

TEST_F(GasMctc, LeakTestAskedDuringWarmUpIsAcknowledgedButNotRun) {
    EXPECT_EQ(askMctc("TT"), mctcReply("TT"));
    EXPECT_EQ(fieldsOf(askMctc("ET"), "ET").value(0), "R");
}

TEST_F(GasMctc, ExplicitlyDatedLeakRecordIsReportedAsGiven) {
    sim::GasAnalyserSettings settings = quickSettings(3);
    settings.leak = {'I', std::nullopt, "13032025", "1000"};
    build(settings);
    EXPECT_EQ(fieldsOf(askMctc("ET"), "ET"), (QList<QByteArray>{"I", "13032025", "1000"}));
}

TEST_F(GasMctc, SettingsWrittenWithAtSaAreReadBackWithAtLa) {
    EXPECT_EQ(askMctc("@LA"),
              mctcReply("@LA", QByteArrayList{"BENZINA", "CAT", "04", "4", "1.730", "0.000"}.join(Etb)));
    const QByteArray methane = QByteArrayList{"METANO", "NO CAT", "04", "2", "4.000", "0.000"}.join(Etb);
    EXPECT_EQ(askMctc("@SA", methane), mctcReply("@SA"));
    EXPECT_EQ(askMctc("@LA"), mctcReply("@LA", methane));
    // Fuel and catalyst run together, as a program that read "@LA" may send them.
    EXPECT_EQ(askMctc("@SA", QByteArrayList{"GPLCAT", "04", "4", "2.570", "0.000"}.join(Etb)), mctcReply("@SA"));
    EXPECT_EQ(fieldsOf(askMctc("@LA"), "@LA"), (QList<QByteArray>{"GPL", "CAT", "04", "4", "2.570", "0.000"}));
}

TEST_F(GasMctc, SettingsThatMakeNoSenseAreNotAnswered) {
    const QByteArrayList bad[] = {
        {"DIESEL", "CAT", "04", "4", "1.730", "0.000"},  {"BENZINA", "KAT", "04", "4", "1.730", "0.000"},
        {"BENZINA", "CAT", "04", "3", "1.730", "0.000"}, {"BENZINA", "CAT", "04", "4", "x", "0.000"},
        {"BENZINA", "CAT", "04", "4", "1.730"},          {"BENZINA", "CAT", "04", "4", "1.730", "0.000", "9"},
        {"METANOXX", "04", "4", "4.000", "0.000"},       {"BENZINA", "CAT", "04", "4", "1.730", "0.00000000000000001"},
    };
    for (const QByteArrayList& fields : bad)
        EXPECT_TRUE(askMctc("@SA", fields.join(Etb)).isEmpty()) << fields.join(',').toStdString();
    EXPECT_TRUE(askMctc("@SA").isEmpty());
    EXPECT_EQ(analyser->fuelSettings(), sim::GasFuelSettings{});
}

TEST_F(GasMctc, ParametersAnswerWithTheirNumberAndTheSetupWindowReadsASignedValue) {
    EXPECT_EQ(fieldsOf(askMctc("@LU", "047"), "@LU"), (QList<QByteArray>{"1234", "047"}));
    EXPECT_EQ(fieldsOf(askMctc("@LI"), "@LI").value(0), "1234");
    // The set-up window reads six characters from position 12 as a signed number.
    const QByteArray reply = askMctc("@LU", "193");
    EXPECT_EQ(reply.mid(11, 6), QByteArray("-12345"));
    EXPECT_TRUE(askMctc("@LU", "999").isEmpty());
    EXPECT_TRUE(askMctc("@LU").isEmpty());
}

TEST_F(GasMctc, MeasurementFollowsTheScenarioAtTheMomentOfTheRequest) {
    script("0 co=0.50 co2=14.0 hc=100 o2=0.5 lambda=1.000 oil=60 rpm=850 nox=30\n"
           "8000 rpm=850\n10000 rpm=2500 oil=70\n");
    clock.advanceTo(9000);
    // CO, COcorr (0.5 x 15 / 14.5), CO2, HC, O2, lambda, oil and speed nine tenths along their ramps, NOx.
    EXPECT_EQ(measure(), (QList<QByteArray>{"0.50", "0.52", "14.0", "100", "0.50", "1.000", "69", "1675", "30"}));
    clock.advanceTo(20000);
    EXPECT_EQ(measure().value(7), "2500");
}

TEST_F(GasMctc, CorrectedCoFollowsTheFuelSetWithAtSa) {
    script("0 co=1.00 co2=10.0\n");
    EXPECT_EQ(measure().value(1), "1.36") << "petrol: 1 x 15 / 11";
    askMctc("@SA", QByteArrayList{"METANO", "CAT", "04", "4", "4.000", "0.000"}.join(Etb));
    EXPECT_EQ(measure().value(1), "1.09") << "methane: 1 x 12 / 11";
    script("0 co=0.50 co2=13.0\n");
    EXPECT_EQ(measure().value(1), "0.50") << "the sum reaches the methane constant";
    script("0 co=0 co2=0\n");
    EXPECT_EQ(measure().value(1), "0.00");
}

struct MarkerCase {
    const char* line;
    int field; // 0-based field of "@VA"
    const char* expected;
};

class GasMctcMarkers : public GasMctc, public ::testing::WithParamInterface<MarkerCase> {};

TEST_P(GasMctcMarkers, UnavailableValuesReadMinusOneAndHotOilReads888) {
    script(GetParam().line);
    EXPECT_EQ(measure().value(GetParam().field), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, GasMctcMarkers,
                         ::testing::Values(MarkerCase{"0 co=none", 0, "-1"}, MarkerCase{"0 co=none", 1, "-1"},
                                           MarkerCase{"0 hc=none", 3, "-1"}, MarkerCase{"0 hc=over", 3, "-1"},
                                           MarkerCase{"0 lambda=none", 5, "-1"}, MarkerCase{"0 oil=over", 6, "888"},
                                           MarkerCase{"0 oil=none", 6, "-1"}, MarkerCase{"0 rpm=none", 7, "-1"},
                                           MarkerCase{"0 cocorr=7.5", 1, "7.50"},
                                           MarkerCase{"0 o2=-0.001", 4, "0.00"}));

TEST_F(GasMctc, TruncatedMeasurementRepliesCanBeScripted) {
    script("0 vafields=9\n1000 vafields=5\n2000 vafields=0\n");
    EXPECT_EQ(measure().size(), 9);
    clock.advanceTo(1000);
    EXPECT_EQ(measure().size(), 5);
    clock.advanceTo(2000);
    EXPECT_EQ(askMctc("@VA"), mctcReply("@VA"));
}

TEST_F(GasMctc, ErrorRegisterReportsScriptedCodesAndFaultyChannels) {
    script("0 error=0\n60000 error=35 channels=5\n61000 error=12 channels=0\n");
    const auto codes = [this] {
        const QByteArray reply = askMctc("@RS");
        const QByteArray data = *MctcDataField(reply, 3, 1);
        EXPECT_EQ(data.size(), 3);
        for (const char byte : data)
            EXPECT_TRUE(byte != FrameByte::Stx && byte != FrameByte::Etx) << reply.toHex().toStdString();
        // As the gas window reads it: code of character 1 masked with 127, code of character 3.
        return std::pair{static_cast<unsigned char>(data[0]) & 127,
                         static_cast<unsigned char>(data.size() > 2 ? data[2] : 0)};
    };
    EXPECT_EQ(codes().first, 0);
    EXPECT_EQ(codes().second & 15, 0);
    clock.advanceTo(60000);
    EXPECT_EQ(codes().first, 35);
    EXPECT_EQ(codes().second & 15, 5) << "CO and HC";
    clock.advanceTo(61000);
    EXPECT_EQ(codes().first, 12);
}

TEST_F(GasMctc, MuteAnalyserAnswersNothingUntilTheScenarioLetsItSpeak) {
    script("0 mute=0\n3000 mute=1\n5000 mute=0\n");
    EXPECT_FALSE(askMctc("ID").isEmpty());
    clock.advanceTo(3000);
    EXPECT_TRUE(askMctc("ID").isEmpty());
    EXPECT_TRUE(askMctc("@VA").isEmpty());
    clock.advanceTo(5000);
    EXPECT_FALSE(askMctc("@VA").isEmpty());
}

TEST_F(GasMctc, BadChecksumRepliesDifferOnlyInTheirChecksum) {
    const QByteArray good = askMctc("@LA");
    script("0 badsum=1\n");
    const QByteArray bad = askMctc("@LA");
    ASSERT_EQ(bad.size(), good.size());
    EXPECT_EQ(bad.left(bad.size() - 3), good.left(good.size() - 3));
    EXPECT_NE(bad.right(3), good.right(3));
    EXPECT_TRUE(QByteArray("0123456789ABCDEF").contains(bad[bad.size() - 3]));
    EXPECT_EQ(bad.back(), FrameByte::Etx);
}

TEST_F(GasMctc, RequestsNotMeantForItOrDamagedGetNoReply) {
    QByteArray badChecksum = BuildMctcFrame("GAS", "@VA", "1", {});
    badChecksum[badChecksum.size() - 2] = badChecksum[badChecksum.size() - 2] == '0' ? '1' : '0';
    const QByteArray requests[] = {BuildMctcFrame("OPA", "ID", "1", {}), BuildMctcFrame("GAS", "ID", "2", {}),
                                   badChecksum, BuildMctcFrame("GAS", "XX", "1", {}), BuildMakerFrame(0x31, 0x3F, {})};
    for (const QByteArray& request : requests)
        EXPECT_TRUE(exchange(request).isEmpty()) << request.toHex().toStdString();
    EXPECT_EQ(analyser->framesIgnored(), 4);
    EXPECT_FALSE(askMctc("ID").isEmpty());
}

TEST_F(GasMctc, MakerProtocolModelsAnswerOnlyTheSetupWindowsRequests) {
    build(quickSettings(1));
    EXPECT_FALSE(askMctc("ID").isEmpty());
    EXPECT_EQ(fieldsOf(askMctc("@LU", "193"), "@LU").value(0), "-12345");
    for (const char* command : {"@ST", "ST", "@VA", "@RS", "ET", "AZ", "SB"})
        EXPECT_TRUE(askMctc(command).isEmpty()) << command;
}

} // namespace
