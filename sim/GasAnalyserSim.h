#pragma once

#include "sim/GasAnalyserModel.h"
#include "sim/GasMakerCodec.h"
#include "sim/GasMctcCodec.h"
#include "sim/GasScenario.h"
#include "sim/InstrumentEngine.h"
#include "sim/MctcInstrument.h"
#include "sim/MctcRequest.h"
#include "sim/Responder.h"

#include <QByteArray>
#include <QDateTime>

#include <deque>
#include <map>
#include <optional>

namespace sim {

enum class GasProtocol { Maker, Mctc };

// Model indices 0..2 speak the maker's binary frames, 3 speaks MCTC-NET.
GasProtocol ProtocolOfGasModel(int model);
inline constexpr int GasModelCount = 4;

// How the simulated analyser is built. Empty texts take the model's defaults.
struct GasAnalyserSettings {
    int model = 3;
    GasTiming timing;
    QByteArray serial;              // 8 characters in the maker's identification
    QByteArray firmware;            // "d.dd", maker identification
    QByteArray version;             // MCTC-NET "ID" version, "1.50"
    QByteArray expiry = "31122030"; // DDMMYYYY: calibration date and "ID" expiry
    // Parameters read with "@LU" (and "047" with "@LI" and in the maker's
    // identification), by their three-digit number.
    std::map<QByteArray, QByteArray> parameters{{"047", "1234"}, {"193", "-12345"}};
    LeakTestRecord leak; // the leak test remembered at power-on
    HcRangeCoefficients hcRange;
    // The analyser's calendar at power-on; now when empty.
    std::optional<QDateTime> calendar;
};

// A gas analyser of one of the four models, answering the program's requests
// over its own protocol, with readings, faults and outcomes taken from a
// scenario as scenario time passes.
//
// Maker binary frames (models 0..2, address 0x31, 0x31, 0x21):
//   0x31 identification   0x2E calibration date   0x23 acquisition list
//   0x3F status: 2 warm-up, 128 waiting, 65 zeroing, 129 measuring
//   0x45 start: zeroing, then measuring   0x24 stop: waiting
//   0x50 values of the listed channels    0x26 fuel/strokes code
//   They also answer MCTC-NET "ID" and "@LU", as the set-up window asks.
// MCTC-NET (model 3, device "GAS" number "1"):
//   "ID", "@SD", "@LA", "@SA", "@LI", "@LU"; "ST" below version 1.500,
//   "@ST" from it: 1 warm-up, 2 stand-by, 4 zeroing, 8 measuring;
//   "@RS" error register, "@VA" values, "ET" leak-test state, "TT" leak test,
//   "@LS" pressure, "AZ" zeroing, "HC" HC residue test, "EH" its result
//   ("E" while it runs), "SB" stand-by on and off.
// After the warm-up a maker analyser waits; an MCTC-NET one measures.
// Requests it cannot act on now (a start during the warm-up) are acknowledged
// and ignored; requests it does not know, or with bad data, go unanswered.
class GasAnalyserSim final : private Responder {
  public:
    static constexpr int HistoryLength = 256;

    GasAnalyserSim(ScenarioClock& clock, GasAnalyserSettings settings = {});
    GasAnalyserSim(const GasAnalyserSim&) = delete;
    GasAnalyserSim& operator=(const GasAnalyserSim&) = delete;

    InstrumentEngine& engine() { return engine_; }
    const GasAnalyserSettings& settings() const { return settings_; }
    GasProtocol protocol() const { return ProtocolOfGasModel(settings_.model); }
    int makerAddress() const { return GasMakerAddress(settings_.model); }

    void setScenario(const GasScenario& scenario) { scenario_ = scenario; }
    const GasScenario& scenario() const { return scenario_; }
    GasAnalyserModel& model() { return model_; }

    const MctcIdentity& identity() const { return identity_; }
    int versionThousandths() const;
    // The status code the analyser would report now, in its protocol.
    int statusCode(Millis now);
    // The readings it would report now.
    GasReadings readingsAt(Millis now);

    QByteArray acquisitionChannels() const { return channels_; }
    int makerFuelCode() const { return fuelCode_; }
    const GasFuelSettings& fuelSettings() const { return fuelSettings_; }

    // Commands answered or not, newest last: MCTC-NET commands as sent
    // ("@VA"), maker ones as "0x3F".
    const std::deque<QByteArray>& history() const { return history_; }
    // Frames dropped as damaged or meant for another instrument.
    int framesIgnored() const { return framesIgnored_; }

  private:
    std::optional<Reply> answer(const QByteArray& frame, Millis now) override;
    std::optional<QByteArray> answerMctc(const MctcRequest& request, Millis now);
    std::optional<QByteArray> answerMaker(const MakerRequest& request, Millis now);
    std::optional<QByteArray> parameterReply(const MctcRequest& request) const;
    // Parameter 047, the one the gas window shows ("0" when not set).
    QByteArray instrumentParameter() const;
    QByteArray leakPressure(Millis now);
    double fuelConstant() const;
    void remember(const QByteArray& command);

    GasAnalyserSettings settings_;
    GasScenario scenario_;
    GasAnalyserModel model_;
    MctcIdentity identity_;
    QByteArray channels_;
    int fuelCode_ = DefaultMakerFuelCode;
    GasFuelSettings fuelSettings_;
    std::deque<QByteArray> history_;
    int framesIgnored_ = 0;
    InstrumentEngine engine_;
};

} // namespace sim
