#include "OpacimeterFixture.h"

#include "link/MctcParsers.h"
#include "shared/Globals.h"

#include <random>

namespace {

using sim::OpacimeterAlarm;
using sim::OpacimeterCondition;
namespace Command = sim::OpacimeterMakerCommand;

// The channel list the smoke window sends: eight channels, then their numbers.
const QByteArray ProgramChannelList("\x08\x03\x05\x06\x00\x02\x08\x01\x07", 9);

struct StatusBytes {
    int state;
    int alarm;
    int flags;
    int aux;
    bool operator==(const StatusBytes&) const = default;
};
void PrintTo(const StatusBytes& s, std::ostream* os) {
    *os << "{state " << s.state << ", alarm " << s.alarm << ", flags " << s.flags << ", aux " << s.aux << "}";
}

class OpacimeterMaker : public OpacimeterOnFakePort {
  protected:
    // Bytes 7, 8, 9 and 11 of the status reply, as the smoke window reads them.
    std::optional<StatusBytes> status() {
        const std::optional<QByteArray> data = makerData(Command::Status);
        if (!data || data->size() < 5)
            return std::nullopt;
        const auto byte = [&](int i) { return int(static_cast<unsigned char>(data->at(i))); };
        return StatusBytes{byte(0), byte(1), byte(2), byte(4)};
    }
    // The value records decoded as the smoke window does: channel in the
    // record's first byte, value in its last two, high byte 255 for none (-1).
    std::map<int, double> values() {
        std::map<int, double> out;
        const std::optional<QByteArray> data = makerData(Command::Values);
        if (!data)
            return out;
        for (qsizetype at = 0; at + 5 <= data->size(); at += 5) {
            const int high = static_cast<unsigned char>(data->at(at + 3));
            const int low = static_cast<unsigned char>(data->at(at + 4));
            out[static_cast<unsigned char>(data->at(at))] = high == 255 ? -1 : high * 256 + low;
        }
        return out;
    }
    void startReady(int model, sim::OpacimeterScenario scenario = QuickOpacimeterScenario()) {
        start(model, std::move(scenario));
        ASSERT_TRUE(makerData(Command::ChannelList, ProgramChannelList));
        clock.advanceTo(QuickReadyAt);
    }
};

class OpacimeterMakerModels : public OpacimeterMaker, public ::testing::WithParamInterface<int> {};

TEST_P(OpacimeterMakerModels, AnswersAtItsOwnAddressOnly) {
    const int model = GetParam();
    start(model);
    const int own = model == 0 ? 0x51 : 0x41;
    ASSERT_EQ(opacimeter->makerAddress(), own);
    const QByteArray reply = exchange(BuildMakerFrame(own, Command::Status, {}));
    ASSERT_EQ(CheckMakerReply(reply, own, Command::Status), MakerReply::Complete);
    EXPECT_EQ(reply[1], char(own));
    EXPECT_EQ(reply[2], char(6)); // ACK
    EXPECT_EQ(reply[3], char(Command::Status));

    const int other = model == 0 ? 0x41 : 0x51;
    EXPECT_TRUE(exchange(BuildMakerFrame(other, Command::Status, {})).isEmpty());
    EXPECT_TRUE(exchange(BuildMakerFrame(0x31, Command::Status, {})).isEmpty()); // a gas analyser's
}

TEST_P(OpacimeterMakerModels, TheSetUpWindowIdentifiesItOverMctcNet) {
    const int model = GetParam();
    start(model);
    const char* names[] = {"OPX-410", "OPX-520", "OPX-520/HD", "OPX-520/HDF", "OPX-520/HF"};
    const char* prefixes[] = {"AM", "AQ", "AN", "AP", "AB"};
    LinkState link;
    ParseIdentityReply(link, askMctc("ID"), 2, 1);
    EXPECT_EQ(link.InstrumentIdentity.Model.trimmed(), names[model]);
    EXPECT_EQ(link.InstrumentIdentity.SerialNumber, QString(prefixes[model]) + "004217");
    // The same serial as the smoke window builds from the maker identification.
    const std::optional<QByteArray> data = makerData(Command::Identify);
    ASSERT_TRUE(data);
    EXPECT_EQ(QByteArray(prefixes[model]) + data->mid(1, 6), link.InstrumentIdentity.SerialNumber.toLatin1());
    // Nothing else is spoken in MCTC-NET.
    EXPECT_TRUE(askMctc("@ST").isEmpty());
    EXPECT_TRUE(askMctc("@VA").isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Models, OpacimeterMakerModels, ::testing::Values(0, 1, 2, 3, 4));

TEST_F(OpacimeterMaker, IdentificationAndExpiryRepliesAreByteExact) {
    start(0);
    // STX, address 0x51, ACK, '1', 0, N = 9, model digit, six serial
    // characters, checksum (byte sum a multiple of 256), ETX.
    EXPECT_EQ(askMaker(Command::Identify), QByteArray("\x02\x51\x06\x31\x00\x09"
                                                      "0004217\x0F\x03",
                                                      15));
    // Expiry 31/12/2030 as DDMMYY in bytes 7-12.
    const std::optional<QByteArray> expiry = makerData(Command::ExpiryDate);
    ASSERT_TRUE(expiry);
    EXPECT_EQ(*expiry, "311230");
}

TEST_F(OpacimeterMaker, AcceptsOnlyWellFormedChannelLists) {
    start(1);
    EXPECT_EQ(askMaker(Command::ChannelList, ProgramChannelList), QByteArray("\x02\x41\x06\x23\x00\x02\x92\x03", 8));
    EXPECT_EQ(opacimeter->channels(), ProgramChannelList.mid(1));
    const QByteArray bad[] = {
        {},
        QByteArray("\x00", 1),
        QByteArray("\x09\x03\x05\x06\x00\x02\x08\x01\x07", 9), // one channel short of its count
        QByteArray("\x02\x03\x09", 3),                         // no channel 9
        QByteArray(11, '\x01'),
    };
    for (const QByteArray& list : bad) {
        EXPECT_TRUE(askMaker(Command::ChannelList, list).isEmpty()) << list.toHex().constData();
        EXPECT_EQ(opacimeter->channels(), ProgramChannelList.mid(1));
    }
}

TEST_F(OpacimeterMaker, ValueRecordsFollowTheListInOrder) {
    startReady(0);
    const std::optional<QByteArray> data = makerData(Command::Values);
    ASSERT_TRUE(data);
    ASSERT_EQ(data->size(), 40);
    QByteArray channels;
    for (int i = 0; i < 8; ++i)
        channels += data->at(i * 5);
    EXPECT_EQ(channels, ProgramChannelList.mid(1));
    // Engine speed 800 = 0x0320; k 0.08 x 100 = 8; record: channel, decimals, flag, high, low.
    EXPECT_EQ(data->mid(5 * 5, 5), QByteArray("\x08\x00\x00\x03\x20", 5));
    EXPECT_EQ(data->mid(7 * 5, 5), QByteArray("\x07\x02\x00\x00\x08", 5));
}

TEST_F(OpacimeterMaker, ValuesAsTheSmokeWindowScalesThem) {
    startReady(2);
    clock.advanceTo(QuickReadyAt + 6000 + 1300); // the first acceleration's peak
    const std::map<int, double> v = values();
    EXPECT_EQ(v.at(5), 80);        // cell
    EXPECT_EQ(v.at(6), 80);        // oil
    EXPECT_EQ(v.at(0), 60);        // exhaust
    EXPECT_EQ(v.at(1) / 10, 34.9); // opacity %
    EXPECT_EQ(v.at(7) / 100, 1.0); // k
    EXPECT_EQ(v.at(8), 4500);      // engine speed
    EXPECT_EQ(v.count(4), 0u);     // not listed, not sent
}

TEST_F(OpacimeterMaker, MissingAndOutOfRangeValues) {
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    scenario.setCondition(OpacimeterCondition::RpmProbe, 0, int(sim::ProbeState::None));
    scenario.setCondition(OpacimeterCondition::OilProbe, 0, int(sim::ProbeState::Out));
    startReady(0, scenario);
    const std::optional<QByteArray> data = makerData(Command::Values);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->mid(5 * 5, 5), QByteArray("\x08\x00\x01\xFF\xFF", 5)); // no speed: -1
    EXPECT_EQ(data->mid(2 * 5, 5), QByteArray("\x06\x00\x00\x7F\xFF", 5)); // oil beyond range
}

TEST_F(OpacimeterMaker, FewerRecordsOrNoneAtAll) {
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    scenario.setCondition(OpacimeterCondition::ValueFields, 5000, 3);
    start(0, scenario);
    // No list yet: nothing to send.
    EXPECT_EQ(makerData(Command::Values), QByteArray());
    ASSERT_TRUE(makerData(Command::ChannelList, ProgramChannelList));
    clock.advanceTo(5000);
    const QByteArray reply = askMaker(Command::Values);
    EXPECT_EQ(reply[5], char(3 * 5 + 2)); // the length byte agrees
    EXPECT_EQ(CheckMakerReply(reply, 0x51, Command::Values), MakerReply::Complete);
}

struct SequenceCase {
    int model;
    sim::Millis at;
    StatusBytes status;
};

class OpacimeterMakerSequence : public OpacimeterMaker, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(OpacimeterMakerSequence, ReportsWarmUpCheckZeroingAndReadyInItsModelsCodes) {
    const SequenceCase& c = GetParam();
    start(c.model);
    clock.advanceTo(c.at);
    EXPECT_EQ(status(), c.status) << "model " << c.model << " at " << c.at;
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, OpacimeterMakerSequence,
    ::testing::Values(
        // Model 0: state 0 "RSTRI" through warm-up and check, 72 "RSTAZE", 128 "RSTATT" with the ready flag.
        SequenceCase{0, 0, {0, 0, 0, 0}}, SequenceCase{0, 2500, {0, 0, 0, 0}}, SequenceCase{0, 3000, {72, 0, 0, 0}},
        SequenceCase{0, 4000, {128, 0, 16, 0}},
        // Models 1-4: warming up shows as ready with alarm bit 64; the check
        // as auxiliary byte 0..50 ("RSTCHK"); zeroing as state 64.
        SequenceCase{1, 0, {0, 64, 16, 100}}, SequenceCase{1, 2000, {0, 0, 0, 0}}, SequenceCase{2, 2500, {0, 0, 0, 25}},
        SequenceCase{3, 2999, {0, 0, 0, 49}}, SequenceCase{4, 3000, {64, 0, 0, 100}},
        SequenceCase{4, 4000, {0, 0, 16, 100}}));

struct AlarmCase {
    const char* name;
    int model;
    OpacimeterAlarm alarm;
    StatusBytes status; // when ready
};

class OpacimeterMakerAlarms : public OpacimeterMaker, public ::testing::WithParamInterface<AlarmCase> {};

TEST_P(OpacimeterMakerAlarms, SetsTheModelsAlarmBits) {
    const AlarmCase& c = GetParam();
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    scenario.setCondition(OpacimeterCondition::Alarm, 5000, int(c.alarm));
    scenario.setCondition(OpacimeterCondition::Alarm, 6000, int(OpacimeterAlarm::None));
    start(c.model, scenario);
    clock.advanceTo(5000);
    EXPECT_EQ(status(), c.status);
    clock.advanceTo(6000);
    EXPECT_EQ(status(), (c.model == 0 ? StatusBytes{128, 0, 16, 0} : StatusBytes{0, 0, 16, 100}));
}

INSTANTIATE_TEST_SUITE_P(
    Alarms, OpacimeterMakerAlarms,
    ::testing::Values(
        // Model 0: 2-3 "ERROR 3", 4-15 "ERROR 4", 16-31 "ERROR 2", 32 and up "ERROR 1"; 240 "RSTERR".
        AlarmCase{"m0_pressurehigh", 0, OpacimeterAlarm::PressureHigh, {128, 2, 16, 0}},
        AlarmCase{"m0_pressurelow", 0, OpacimeterAlarm::PressureLow, {128, 4, 16, 0}},
        AlarmCase{"m0_emitter", 0, OpacimeterAlarm::Emitter, {128, 16, 16, 0}},
        AlarmCase{"m0_optics", 0, OpacimeterAlarm::Optics, {128, 32, 16, 0}},
        AlarmCase{"m0_overheat", 0, OpacimeterAlarm::Overheat, {240, 0, 16, 0}},
        AlarmCase{"m0_slide", 0, OpacimeterAlarm::Slide, {240, 0, 16, 0}},
        // Models 1-4: auxiliary 255 "ERROR 1", bit 16 "ERROR 2", bit 4 "ERROR 3", bit 2 "ERROR 4".
        AlarmCase{"m1_optics", 1, OpacimeterAlarm::Optics, {0, 0, 16, 255}},
        AlarmCase{"m2_emitter", 2, OpacimeterAlarm::Emitter, {0, 16, 16, 100}},
        AlarmCase{"m3_pressurehigh", 3, OpacimeterAlarm::PressureHigh, {0, 4, 16, 100}},
        AlarmCase{"m4_pressurelow", 4, OpacimeterAlarm::PressureLow, {0, 2, 16, 100}},
        AlarmCase{"m4_overheat", 4, OpacimeterAlarm::Overheat, {0, 0, 16, 100}}),
    [](const ::testing::TestParamInfo<AlarmCase>& info) { return std::string(info.param.name); });

TEST_F(OpacimeterMaker, RawStatusBytesReplaceTheInstrumentsOwn) {
    sim::OpacimeterScenario scenario = QuickOpacimeterScenario();
    for (const auto& [condition, value] :
         {std::pair{OpacimeterCondition::Status, 16}, std::pair{OpacimeterCondition::AlarmByte, 200},
          std::pair{OpacimeterCondition::Flags, 0}, std::pair{OpacimeterCondition::Aux, 3}})
        scenario.setCondition(condition, 5000, value);
    start(1, scenario);
    clock.advanceTo(5000);
    EXPECT_EQ(status(), (StatusBytes{16, 200, 0, 3}));
}

TEST_F(OpacimeterMaker, AStartZeroesAgainAndTheAccelerationsFollow) {
    start(3);
    // During the warm-up a start is acknowledged and changes nothing.
    EXPECT_EQ(makerData(Command::Start), QByteArray());
    EXPECT_EQ(status(), (StatusBytes{0, 64, 16, 100}));

    clock.advanceTo(QuickReadyAt + 6000 + 2000);
    ASSERT_TRUE(makerData(Command::ChannelList, ProgramChannelList));
    EXPECT_EQ(values().at(8), 4500); // held at governed speed in the first acceleration
    EXPECT_EQ(makerData(Command::Start), QByteArray());
    EXPECT_EQ(status(), (StatusBytes{64, 0, 0, 100}));
    EXPECT_EQ(values().at(7), 0); // clean air while zeroing
    EXPECT_EQ(values().at(8), 800);
    clock.advanceBy(1000);
    EXPECT_EQ(status(), (StatusBytes{16, 0, 16, 100})); // a test under way
    clock.advanceBy(6000 + 1300);
    EXPECT_EQ(values().at(7), 100); // the first peak, k 1.00
}

TEST_F(OpacimeterMaker, DamagedRequestsAndNoiseAreIgnored) {
    start(0);
    QByteArray damaged = BuildMakerFrame(0x51, Command::Status, {});
    damaged[6] = char(damaged[6] + 1); // checksum
    EXPECT_TRUE(exchange(damaged).isEmpty());
    EXPECT_EQ(opacimeter->framesIgnored(), 1);
    EXPECT_TRUE(askMaker(0x7A).isEmpty()); // a command it does not know
    // Noise before a request, and a request split in two.
    const QByteArray request = BuildMakerFrame(0x51, Command::Identify, {});
    received.clear();
    port.Output(QByteArray("\x00\x17\x03xx", 5) + request.left(3));
    port.Output(request.mid(3));
    clock.advanceBy(100);
    EXPECT_EQ(CheckMakerReply(received, 0x51, Command::Identify), MakerReply::Complete);
    EXPECT_EQ(opacimeter->history().back(), "0x31");
}

TEST_F(OpacimeterMaker, GarbageOnTheLineNeverStopsItAnswering) {
    for (const int model : {0, 4, 5}) {
        start(model);
        std::mt19937 random(unsigned(model) + 1);
        for (int round = 0; round < 300; ++round) {
            QByteArray noise(int(random() % 80), '\0');
            for (char& byte : noise)
                byte = char(random());
            if (round % 3 == 0)
                noise.prepend('\x02'); // a false start, maybe with a huge length byte
            port.Output(noise);
            clock.advanceBy(round % 2 ? 1 : 1000);
        }
        clock.advanceBy(1000); // a pause: whatever was half received is dropped
        LinkState link;
        ParseIdentityReply(link, askMctc("ID"), 2, 1);
        EXPECT_EQ(link.InstrumentIdentity.Model, sim::OpacimeterModelInfoOf(model).name) << model;
    }
}

} // namespace
