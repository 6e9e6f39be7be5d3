#pragma once

#include "sim/InstrumentEngine.h"
#include "sim/MctcInstrument.h"
#include "sim/MctcRequest.h"
#include "sim/OpacimeterMakerCodec.h"
#include "sim/OpacimeterModel.h"
#include "sim/OpacimeterReadings.h"
#include "sim/OpacimeterScenario.h"
#include "sim/Responder.h"

#include <QByteArray>

#include <deque>

namespace sim {

enum class OpacimeterProtocol { Maker, Mctc };
// Models 0..4 speak the maker's binary frames, model 5 MCTC-NET.
OpacimeterProtocol ProtocolOfOpacimeterModel(int model);

// An opacimeter of one of the six models, answering the program's requests in
// its own protocol, with the engine, the smoke and its faults taken from a
// scenario as scenario time passes.
//
// Maker binary frames (model 0 at address 0x51, models 1..4 at 0x41):
//   0x31 identification   0x61 expiry date   0x23 channel list
//   0x3F status (see OpacimeterMakerStatus)  0x50 values of the listed channels
//   0x45 start: zeroing, then ready
//   They also answer the MCTC-NET "ID" of the set-up window.
// MCTC-NET (model 5, device "OPA" number "1"):
//   "ID"; "ST" and "@ST" status; "@RS" error register; "@VA" values;
//   "@RD" diagnostics; "@LU" parameters 20 and 21; "AZ" start (zeroing, then
//   measuring); "SB" stand-by until the next "AZ". Starts and stand-by during
//   the warm-up are refused with error field 006.
// Requests it does not know, or with bad data, go unanswered.
class OpacimeterSim final : private Responder {
  public:
    static constexpr int HistoryLength = 256;

    // A model outside 0..5 is taken as model 5.
    OpacimeterSim(ScenarioClock& clock, int model, OpacimeterScenario scenario = {});
    OpacimeterSim(const OpacimeterSim&) = delete;
    OpacimeterSim& operator=(const OpacimeterSim&) = delete;

    InstrumentEngine& engine() { return engine_; }
    int model() const { return model_; }
    OpacimeterProtocol protocol() const { return ProtocolOfOpacimeterModel(model_); }
    int makerAddress() const { return OpacimeterModelInfoOf(model_).address; }
    const OpacimeterScenario& scenario() const { return scenario_; }
    OpacimeterModel& instrument() { return instrument_; }
    const MctcIdentity& identity() const { return identity_; }

    OpacimeterReadings readingsAt(Millis now) const { return OpacimeterReadingsAt(scenario_, instrument_, now); }
    // The channels of the latest accepted 0x23 request (none before one).
    const QByteArray& channels() const { return channels_; }

    // Commands answered or not, newest last: MCTC-NET commands as sent
    // ("@VA"), maker ones as "0x3F".
    const std::deque<QByteArray>& history() const { return history_; }
    // Frames dropped as damaged or meant for another instrument.
    int framesIgnored() const { return framesIgnored_; }

  private:
    std::optional<Reply> answer(const QByteArray& frame, Millis now) override;
    std::optional<QByteArray> answerFrame(const QByteArray& frame, Millis now);
    std::optional<QByteArray> answerMaker(int command, const QByteArray& data, Millis now);
    std::optional<QByteArray> answerMctc(const MctcRequest& request, Millis now);
    MakerStatusBytes makerStatus(Millis now) const;
    int condition(OpacimeterCondition which, Millis now) const { return scenario_.conditionAt(which, now); }
    // A raw condition's value, or the instrument's own when it is automatic.
    int rawOr(OpacimeterCondition which, Millis now, int own) const;
    int errorField(Millis now) const;
    int slidePosition(Millis now) const;
    void remember(const QByteArray& command);

    int model_;
    OpacimeterScenario scenario_;
    OpacimeterModel instrument_;
    MctcIdentity identity_;
    QByteArray channels_;
    std::deque<QByteArray> history_;
    int framesIgnored_ = 0;
    InstrumentEngine engine_;
};

} // namespace sim
