#pragma once

#include "sim/GasScenario.h"
#include "sim/ScenarioClock.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>

namespace sim {

// What the analyser is doing, whichever protocol reports it.
enum class GasPhase {
    WarmUp,    // after power-on, until the bench is stable
    Waiting,   // ready, pump idle (maker protocol only)
    Zeroing,   // zeroing on ambient air
    Measuring, // sampling
    StandBy,   // pump off (MCTC-NET only)
};

// How long the analyser's own procedures last, in scenario milliseconds.
struct GasTiming {
    Millis warmUp = 10000;
    Millis zeroing = 6000;
    Millis leakTest = 10000;
    Millis hcResidueTest = 5000;
};

// The latest leak test as the analyser remembers it: its outcome, and when it
// ended, either as a moment of scenario time (shown on the analyser's own
// calendar) or as a date and time given outright.
struct LeakTestRecord {
    char status = 'R';
    std::optional<Millis> endedAt = Millis{0};
    QByteArray date; // DDMMYYYY, used when endedAt is empty
    QByteArray time; // HHMM, used when endedAt is empty
};

// The analyser's inner life, protocol aside: warm-up, zeroing, stand-by, leak
// and HC residue tests, each ending on its own as scenario time passes, and
// the analyser's calendar (set by the program, running with scenario time).
// Every call is given the present scenario time and first brings the analyser
// up to it, so nothing needs ticking.
class GasAnalyserModel {
  public:
    // Results of tests are read from the scenario at the moment each ends.
    GasAnalyserModel(const GasScenario& scenario, GasTiming timing, GasPhase afterWarmUp);

    GasPhase phase(Millis now);
    const GasTiming& timing() const { return timing_; }

    // Zeroing, then measuring. Refused (false) during the warm-up.
    bool startZeroing(Millis now);
    // Back to waiting from zeroing or measuring; false otherwise.
    bool stop(Millis now);
    // Stand-by from waiting, zeroing or measuring; measuring again from stand-by.
    bool toggleStandBy(Millis now);

    // Both refused during the warm-up and while zeroing; asked again while
    // running, a test carries on as it was.
    bool startLeakTest(Millis now);
    bool leakTestRunning(Millis now);
    // How far the running leak test has got, 0..1; nullopt when none runs.
    std::optional<double> leakTestProgress(Millis now);
    bool startHcResidueTest(Millis now);
    bool hcResidueTestRunning(Millis now);

    // 'E' while a leak test runs, else the last outcome.
    LeakTestRecord leakRecord(Millis now);
    void setLeakRecord(const LeakTestRecord& record) { leak_ = record; }
    // 'E' while the HC residue test runs, else the last outcome ('I' before any).
    char hcResidueResult(Millis now);

    // Scenario time as the scenario's origin counts it.
    Millis scenarioTime(Millis now);

    // The analyser's date and time at a moment of scenario time.
    QDateTime calendarAt(Millis time) const { return calendarBase_.addMSecs(time - calendarBaseAt_); }
    // From now on the calendar reads dateTime at this moment.
    void setCalendar(const QDateTime& dateTime, Millis now);

  private:
    void update(Millis now);
    std::optional<Millis> nextEnd() const;
    void finishAt(Millis end);
    Millis scenarioTimeAt(Millis time) const;

    const GasScenario& scenario_;
    GasTiming timing_;
    GasPhase afterWarmUp_;
    GasPhase phase_ = GasPhase::WarmUp;
    Millis phaseEnd_ = 0;
    std::optional<Millis> leakEnd_;
    Millis leakStart_ = 0;
    std::optional<Millis> residueEnd_;
    std::optional<Millis> zeroedAt_;
    std::optional<Millis> residueAt_;
    LeakTestRecord leak_;
    char residueResult_ = 'I';
    QDateTime calendarBase_;
    Millis calendarBaseAt_ = 0;
};

} // namespace sim
