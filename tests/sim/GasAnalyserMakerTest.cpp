#include "GasAnalyserFixture.h"

#include <cmath>

namespace {

namespace Cmd = sim::GasMakerCommand;

// The acquisition lists the gas window sends with 0x23: count, then channels.
constexpr const char* NormalHex = "080A0D0E0C07060502";
constexpr const char* ExtendedHex = "080A120E0C07060502";
constexpr const char* Model2Hex = "0803090B0807060502";
const QByteArray NormalList = QByteArray::fromHex(NormalHex);
const QByteArray ExtendedList = QByteArray::fromHex(ExtendedHex);
const QByteArray Model2List = QByteArray::fromHex(Model2Hex);

class GasMaker : public GasAnalyserOnFakePort {
  protected:
    void SetUp() override {
        GasAnalyserOnFakePort::SetUp();
        build(quickSettings(0));
    }
    // A reply the gas window accepts for the command last sent.
    QByteArray accepted(int command, const QByteArray& data = {}) {
        const QByteArray reply = askMaker(command, data);
        EXPECT_EQ(CheckMakerReply(reply, analyser->makerAddress(), command), MakerReply::Complete)
            << "command " << command << ": " << reply.toHex(' ').toStdString();
        return reply;
    }
    int status() { return byteAt(accepted(Cmd::Status), 7); }
    void script(const char* text) {
        QString error;
        const std::optional<sim::GasScenario> scenario = sim::GasScenario::parse(text, &error);
        ASSERT_TRUE(scenario) << error.toStdString();
        analyser->setScenario(*scenario);
    }
    QByteArray values(const QByteArray& list) {
        accepted(Cmd::AcquisitionList, list);
        return accepted(Cmd::Values);
    }
    // A 16-bit value at a position, high byte first.
    static int word(const QByteArray& frame, int position) {
        return 256 * byteAt(frame, position) + byteAt(frame, position + 1);
    }
};

struct CommandCase {
    int model;
    int command;
    const char* dataHex;
    int dataBytes; // in the reply
};

class GasMakerCommands : public GasMaker, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(GasMakerCommands, EveryCommandGetsAReplyTheWindowAccepts) {
    const CommandCase& c = GetParam();
    build(quickSettings(c.model));
    const QByteArray reply = accepted(c.command, QByteArray::fromHex(c.dataHex));
    EXPECT_EQ(byteAt(reply, 6), c.dataBytes + 2);
    EXPECT_EQ(reply.size(), c.dataBytes + 8);
}

INSTANTIATE_TEST_SUITE_P(Models, GasMakerCommands, ::testing::ValuesIn([] {
                             std::vector<CommandCase> cases;
                             for (const int model : {0, 1, 2}) {
                                 cases.push_back({model, Cmd::Identify, "", 18});
                                 cases.push_back({model, Cmd::CalibrationDate, "", 12});
                                 cases.push_back({model, Cmd::AcquisitionList, model == 2 ? Model2Hex : NormalHex, 0});
                                 cases.push_back({model, Cmd::Status, "", 5});
                                 cases.push_back({model, Cmd::StartMeasurement, "", 0});
                                 cases.push_back({model, Cmd::Values, "", 40});
                                 cases.push_back({model, Cmd::StopMeasurement, "", 0});
                                 cases.push_back({model, Cmd::FuelAndStrokes, "43", 0});
                             }
                             return cases;
                         }()));

TEST_F(GasMaker, StatusReplyIsByteExact) {
    // STX, address, ACK, command, 0, N = 7, status 2 (warm-up), fuel code 3, 0, 0,
    // spare 0, checksum bringing the sum before ETX to 256, ETX.
    EXPECT_EQ(askMaker(Cmd::Status), QByteArray::fromHex("0231063F000702030000007C03"));
}

TEST_F(GasMaker, WarmsUpWaitsZeroesMeasuresAndStops) {
    EXPECT_EQ(status(), 2);
    accepted(Cmd::StartMeasurement);
    EXPECT_EQ(status(), 2) << "a start during the warm-up is not acted on";
    clock.advanceTo(1000);
    EXPECT_EQ(status(), 128);
    const sim::Millis started = clock.now();
    accepted(Cmd::StartMeasurement);
    EXPECT_EQ(status(), 65);
    clock.advanceTo(started + 499);
    EXPECT_EQ(status(), 65);
    EXPECT_EQ(status(), 129) << "zeroing lasts 500 ms from the start request";
    accepted(Cmd::StopMeasurement);
    EXPECT_EQ(status(), 128);
}

TEST_F(GasMaker, ScriptedStatusAndSpareByteOverrideTheTrueOnes) {
    script("0 status=auto\n2000 status=32 erten=9\n3000 status=34\n4000 status=auto erten=0\n");
    clock.advanceTo(2000);
    QByteArray reply = accepted(Cmd::Status);
    EXPECT_EQ(byteAt(reply, 7), 32);
    EXPECT_EQ(byteAt(reply, 11), 9);
    clock.advanceTo(3000);
    EXPECT_EQ(status(), 34);
    clock.advanceTo(4000);
    EXPECT_EQ(status(), 128);
}

TEST_F(GasMaker, FuelCodeIsKeptAndReportedInTheStatus) {
    for (const int code : {0, 1, 2, 3, 4, 5, 64, 65, 66, 67, 68, 69}) {
        accepted(Cmd::FuelAndStrokes, QByteArray(1, static_cast<char>(code)));
        EXPECT_EQ(byteAt(accepted(Cmd::Status), 8) & 0x47, code);
    }
    for (const QByteArray& bad : {QByteArray(1, 6), QByteArray(1, 7), QByteArray(1, 70), QByteArray(1, char(128)),
                                  QByteArray(1, char(131)), QByteArray(), QByteArray(2, 3)}) {
        EXPECT_TRUE(askMaker(Cmd::FuelAndStrokes, bad).isEmpty()) << bad.toHex().toStdString();
    }
    EXPECT_EQ(analyser->makerFuelCode(), 69);
}

TEST_F(GasMaker, IdentificationCarriesSerialParameterAndFirmwareWhereTheWindowReadsThem) {
    const QByteArray reply = accepted(Cmd::Identify);
    EXPECT_EQ(reply.mid(7, 8), "G6100001");
    EXPECT_EQ(256 * byteAt(reply, 17) + byteAt(reply, 18), 1234);
    EXPECT_EQ(reply.mid(21, 1) + "." + reply.mid(22, 2), "5.40");

    sim::GasAnalyserSettings settings = quickSettings(2);
    settings.serial = "AB";
    settings.firmware = "4.37";
    settings.parameters["047"] = "-2";
    build(settings);
    const QByteArray other = accepted(Cmd::Identify);
    EXPECT_EQ(other.mid(7, 8), "AB      ");
    EXPECT_EQ(256 * byteAt(other, 17) + byteAt(other, 18), 65534);
    EXPECT_EQ(other.mid(21, 1) + "." + other.mid(22, 2), "4.37");

    settings.serial = "SERIAL-0123456";
    build(settings);
    EXPECT_EQ(accepted(Cmd::Identify).mid(7, 8), "SERIAL-0");
}

TEST_F(GasMaker, CalibrationDateIsSixDigitValues) {
    sim::GasAnalyserSettings settings = quickSettings(0);
    settings.expiry = "15032026";
    build(settings);
    const QByteArray reply = accepted(Cmd::CalibrationDate);
    QString shown;
    for (int position = 13; position <= 18; ++position) {
        shown += QString::number(byteAt(reply, position));
        if (position == 14 || position == 16)
            shown += '/';
    }
    EXPECT_EQ(shown, "15/03/26");
}

struct ValuesCase {
    int model;
    QByteArray list;
};

class GasMakerValues : public GasMaker, public ::testing::WithParamInterface<ValuesCase> {};

TEST_P(GasMakerValues, ReadingsSitWhereTheWindowReadsThem) {
    build(quickSettings(GetParam().model));
    script("0 co=1.234 co2=13.5 hc=250 o2=0.8 lambda=1.015 oil=85.5 rpm=920\n");
    const QByteArray reply = values(GetParam().list);
    EXPECT_DOUBLE_EQ((65536 * byteAt(reply, 9) + 256 * byteAt(reply, 10) + byteAt(reply, 11)) / 1000.0, 85.5);
    EXPECT_EQ(word(reply, 40), 250);
    EXPECT_EQ(word(reply, 25), 920);
    EXPECT_DOUBLE_EQ(word(reply, 20) / 1000.0, 1.015);
    EXPECT_DOUBLE_EQ(word(reply, 30) / 1000.0, 1.234);
    EXPECT_DOUBLE_EQ(word(reply, 35) / 1000.0, 13.5);
    EXPECT_DOUBLE_EQ(word(reply, 45) / 1000.0, 0.8);
    // Each record starts with its channel, in the list's order.
    for (int channel = 0; channel < 8; ++channel)
        EXPECT_EQ(byteAt(reply, 7 + 5 * channel), byteAt(GetParam().list, 2 + channel));
}

INSTANTIATE_TEST_SUITE_P(Lists, GasMakerValues,
                         ::testing::Values(ValuesCase{0, NormalList}, ValuesCase{1, NormalList},
                                           ValuesCase{0, ExtendedList}, ValuesCase{2, Model2List}));

struct MarkerCase {
    const char* line;
    int position;
    bool (*holds)(int byte);
};

class GasMakerMarkers : public GasMaker, public ::testing::WithParamInterface<MarkerCase> {};

TEST_P(GasMakerMarkers, NoValueAndOutOfRangeUseTheBytesTheWindowTests) {
    script(GetParam().line);
    const QByteArray reply = values(NormalList);
    EXPECT_TRUE(GetParam().holds(byteAt(reply, GetParam().position)))
        << GetParam().line << ": byte " << byteAt(reply, GetParam().position);
}

bool noValue(int byte) {
    return byte == 0xFF;
}
bool speedOut(int byte) {
    return byte > 79 && byte < 255;
}
bool oilOut(int byte) {
    return byte > 3;
}
bool lambdaOut(int byte) {
    return byte > 10;
}
bool zero(int byte) {
    return byte == 0;
}

INSTANTIATE_TEST_SUITE_P(Values, GasMakerMarkers,
                         ::testing::Values(MarkerCase{"0 rpm=none", 25, noValue},
                                           MarkerCase{"0 rpm=over", 25, speedOut},
                                           MarkerCase{"0 rpm=30000", 25, speedOut}, MarkerCase{"0 oil=none", 9, oilOut},
                                           MarkerCase{"0 oil=over", 9, oilOut}, MarkerCase{"0 oil=300", 9, oilOut},
                                           MarkerCase{"0 lambda=none", 20, lambdaOut},
                                           MarkerCase{"0 lambda=over", 20, lambdaOut},
                                           MarkerCase{"0 lambda=3", 20, lambdaOut},
                                           MarkerCase{"0 co=none", 30, noValue}, MarkerCase{"0 co2=none", 35, noValue},
                                           MarkerCase{"0 o2=none", 45, noValue}, MarkerCase{"0 hc=none", 40, noValue},
                                           MarkerCase{"0 hc=12000", 40, noValue}, MarkerCase{"0 hc=over", 40, noValue},
                                           MarkerCase{"0 co=-0.2", 30, zero}, MarkerCase{"0 co=-0.2", 31, zero}));

TEST_F(GasMaker, TopOfEachRangeIsStillAReading) {
    script("0 rpm=20479 oil=262.143 lambda=2.815 hc=10476\n");
    const QByteArray reply = values(NormalList);
    EXPECT_EQ(word(reply, 25), 20479);
    EXPECT_EQ(65536 * byteAt(reply, 9) + 256 * byteAt(reply, 10) + byteAt(reply, 11), 262143);
    EXPECT_EQ(word(reply, 20), 2815);
    EXPECT_EQ(word(reply, 40), 10476);
}

struct ExtendedCase {
    double hc;
    double quad;
    double lin;
};

class GasMakerExtendedHc : public GasMaker, public ::testing::WithParamInterface<ExtendedCase> {};

TEST_P(GasMakerExtendedHc, HighHcComesBackThroughTheWindowsFormula) {
    const ExtendedCase& c = GetParam();
    sim::GasAnalyserSettings settings = quickSettings(0);
    settings.hcRange = {c.quad, c.lin};
    build(settings);
    script(QStringLiteral("0 hc=%1\n").arg(c.hc).toLatin1().constData());
    const QByteArray reply = values(ExtendedList);
    EXPECT_EQ(byteAt(reply, 40), 0xFF);
    const double raw = 65536.0 * byteAt(reply, 14) + 256.0 * byteAt(reply, 15) + byteAt(reply, 16);
    const double x = 4194303 - raw;
    EXPECT_GE(x, 0);
    EXPECT_EQ(std::lround(10477 + c.quad * x * x + c.lin * x), std::lround(c.hc));
}

INSTANTIATE_TEST_SUITE_P(Readings, GasMakerExtendedHc,
                         ::testing::Values(ExtendedCase{10477, 1e-9, 0.008}, ExtendedCase{12000, 1e-9, 0.008},
                                           ExtendedCase{15000, 1e-9, 0.008}, ExtendedCase{19999, 1e-9, 0.008},
                                           ExtendedCase{40000, 1e-9, 0.008}, ExtendedCase{15000, 0, 0.01},
                                           ExtendedCase{18000, 2e-9, 0.004}, ExtendedCase{16000, 5e-10, 0}));

TEST_F(GasMaker, ExtendedHcOutOfRangeAndAbsent) {
    script("0 hc=over\n");
    QByteArray reply = values(ExtendedList);
    EXPECT_EQ(byteAt(reply, 40), 0xFF);
    const double x = 4194303 - (65536.0 * byteAt(reply, 14) + 256.0 * byteAt(reply, 15) + byteAt(reply, 16));
    EXPECT_GE(10477 + 1e-9 * x * x + 0.008 * x, 20000) << "the window shows Out";
    script("0 hc=500\n");
    EXPECT_EQ(word(values(ExtendedList), 40), 500) << "normal readings stay in the normal channel";

    // Model 2 has no extended channel: asked for one, it gets a record without value.
    build(quickSettings(2));
    script("0 hc=15000\n");
    reply = values(ExtendedList);
    EXPECT_EQ(byteAt(reply, 40), 0xFF);
    EXPECT_EQ(byteAt(reply, 14), 0xFF);
}

TEST_F(GasMaker, AcquisitionListsThatMakeNoSenseAreNotAnswered) {
    QByteArray tooMany(52, 7);
    tooMany[0] = 51;
    for (const QByteArray& bad :
         {QByteArray(), QByteArray(1, 0), QByteArray::fromHex("030102"), QByteArray::fromHex("010203"), tooMany}) {
        EXPECT_TRUE(askMaker(Cmd::AcquisitionList, bad).isEmpty()) << bad.toHex().toStdString();
    }
    EXPECT_EQ(analyser->acquisitionChannels(), sim::DefaultAcquisitionChannels(0));
    // A shorter list is honoured: one record per channel.
    script("0 co=2.5\n");
    const QByteArray reply = values(QByteArray::fromHex("020706"));
    EXPECT_EQ(byteAt(reply, 6), 2 * 5 + 2);
    EXPECT_EQ(byteAt(reply, 7), 7);
    EXPECT_EQ(word(reply, 10), 2500);
}

TEST_F(GasMaker, UnknownChannelsGetRecordsWithoutValue) {
    const QByteArray reply = values(QByteArray::fromHex("02633F"));
    EXPECT_EQ(reply.mid(6, 10), QByteArray::fromHex("6301FFFFFF3F01FFFFFF"));
}

TEST_F(GasMaker, DamagedRequestsAndUnknownCommandsGetNoReply) {
    QByteArray badChecksum = BuildMakerFrame(0x31, Cmd::Status, {});
    badChecksum[6] = static_cast<char>(badChecksum[6] + 1);
    QByteArray badStatusByte = BuildMakerFrame(0x31, Cmd::Status, {});
    badStatusByte[2] = 6;
    // Model 2's address, on a model 0 line.
    const QByteArray requests[] = {badChecksum, badStatusByte, BuildMakerFrame(0x21, Cmd::Status, {}),
                                   BuildMakerFrame(0x31, 0x77, {})};
    for (const QByteArray& request : requests)
        EXPECT_TRUE(exchange(request).isEmpty()) << request.toHex().toStdString();
    EXPECT_EQ(analyser->framesIgnored(), 3);
    EXPECT_EQ(analyser->history().back(), "0x77");
    EXPECT_EQ(status(), 2) << "still answering";
}

TEST_F(GasMaker, ScriptedFaultsApplyToBinaryReplies) {
    const QByteArray good = askMaker(Cmd::Status);
    script("0 badsum=1\n1000 badsum=0 mute=1\n");
    const QByteArray bad = askMaker(Cmd::Status);
    ASSERT_EQ(bad.size(), good.size());
    EXPECT_NE(bad[bad.size() - 2], good[good.size() - 2]);
    EXPECT_EQ(bad.left(bad.size() - 2), good.left(good.size() - 2));
    EXPECT_EQ(CheckMakerReply(bad, 0x31, Cmd::Status), MakerReply::Complete) << "the window does not check sums";
    clock.advanceTo(1000);
    EXPECT_TRUE(askMaker(Cmd::Status).isEmpty());
}

TEST_F(GasMaker, SameLineAlsoServesTheSetupWindowsMctcNetRequests) {
    const QByteArray id = askMctc("ID");
    EXPECT_EQ(MctcReplyCommand(id, 2, 1), "ID");
    EXPECT_EQ(fieldsOf(id, "ID").value(1), "KAPROGAS-610");
    EXPECT_EQ(status(), 2) << "binary frames still understood afterwards";
    // Both kinds written back to back, the second in pieces.
    received.clear();
    port.Output(BuildMakerFrame(0x31, Cmd::Status, {}) + BuildMctcFrame("GAS", "@LU", "1", "193").left(5));
    port.Output(BuildMctcFrame("GAS", "@LU", "1", "193").mid(5));
    clock.advanceBy(100);
    const QByteArray expectedFirst = sim::BuildMakerReply(0x31, Cmd::Status, sim::MakerStatusData(2, 3, 0));
    EXPECT_EQ(received.left(expectedFirst.size()), expectedFirst);
    EXPECT_EQ(fieldsOf(received.mid(expectedFirst.size()), "@LU").value(1), "193");
}

} // namespace
