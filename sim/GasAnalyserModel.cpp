#include "sim/GasAnalyserModel.h"

#include <algorithm>

namespace sim {

GasAnalyserModel::GasAnalyserModel(const GasScenario& scenario, GasTiming timing, GasPhase afterWarmUp)
    : scenario_(scenario), timing_(timing), afterWarmUp_(afterWarmUp), phaseEnd_(std::max<Millis>(0, timing.warmUp)) {
    // A plain calendar without time zones, so no clock change ever skips an hour.
    const QDateTime local = QDateTime::currentDateTime();
    calendarBase_ = QDateTime(local.date(), local.time(), Qt::UTC);
}

std::optional<Millis> GasAnalyserModel::nextEnd() const {
    std::optional<Millis> earliest;
    const auto consider = [&earliest](std::optional<Millis> end) {
        if (end && (!earliest || *end < *earliest))
            earliest = end;
    };
    if (phase_ == GasPhase::WarmUp || phase_ == GasPhase::Zeroing)
        consider(phaseEnd_);
    consider(leakEnd_);
    consider(residueEnd_);
    return earliest;
}

void GasAnalyserModel::update(Millis now) {
    // Whatever ended first is settled first: a test's result may depend on
    // the scenario time, which a zeroing ending before it moves.
    while (const std::optional<Millis> end = nextEnd()) {
        if (*end > now)
            break;
        finishAt(*end);
    }
}

void GasAnalyserModel::finishAt(Millis end) {
    if ((phase_ == GasPhase::WarmUp || phase_ == GasPhase::Zeroing) && phaseEnd_ == end) {
        if (phase_ == GasPhase::Zeroing)
            zeroedAt_ = end;
        phase_ = phase_ == GasPhase::WarmUp ? afterWarmUp_ : GasPhase::Measuring;
        return;
    }
    if (leakEnd_ == end) {
        leakEnd_.reset();
        leak_ = {static_cast<char>(scenario_.conditionAt(GasCondition::LeakResult, scenarioTimeAt(end))), end, {}, {}};
        return;
    }
    if (residueEnd_ == end) {
        residueEnd_.reset();
        residueAt_ = end;
        residueResult_ = static_cast<char>(scenario_.conditionAt(GasCondition::ResidueResult, scenarioTimeAt(end)));
    }
}

GasPhase GasAnalyserModel::phase(Millis now) {
    update(now);
    return phase_;
}

bool GasAnalyserModel::startZeroing(Millis now) {
    update(now);
    if (phase_ == GasPhase::WarmUp)
        return false;
    phase_ = GasPhase::Zeroing;
    phaseEnd_ = now + std::max<Millis>(0, timing_.zeroing);
    update(now);
    return true;
}

bool GasAnalyserModel::stop(Millis now) {
    update(now);
    if (phase_ != GasPhase::Zeroing && phase_ != GasPhase::Measuring)
        return false;
    phase_ = GasPhase::Waiting;
    return true;
}

bool GasAnalyserModel::toggleStandBy(Millis now) {
    update(now);
    if (phase_ == GasPhase::WarmUp)
        return false;
    phase_ = phase_ == GasPhase::StandBy ? GasPhase::Measuring : GasPhase::StandBy;
    return true;
}

namespace {
bool busy(GasPhase phase) {
    return phase == GasPhase::WarmUp || phase == GasPhase::Zeroing;
}
} // namespace

bool GasAnalyserModel::startLeakTest(Millis now) {
    update(now);
    if (busy(phase_))
        return false;
    if (!leakEnd_) {
        leakStart_ = now;
        leakEnd_ = now + std::max<Millis>(0, timing_.leakTest);
    }
    update(now);
    return true;
}

bool GasAnalyserModel::leakTestRunning(Millis now) {
    update(now);
    return leakEnd_.has_value();
}

std::optional<double> GasAnalyserModel::leakTestProgress(Millis now) {
    update(now);
    if (!leakEnd_)
        return std::nullopt;
    const Millis length = *leakEnd_ - leakStart_;
    return length > 0 ? double(now - leakStart_) / double(length) : 1.0;
}

bool GasAnalyserModel::startHcResidueTest(Millis now) {
    update(now);
    if (busy(phase_))
        return false;
    if (!residueEnd_)
        residueEnd_ = now + std::max<Millis>(0, timing_.hcResidueTest);
    update(now);
    return true;
}

bool GasAnalyserModel::hcResidueTestRunning(Millis now) {
    update(now);
    return residueEnd_.has_value();
}

LeakTestRecord GasAnalyserModel::leakRecord(Millis now) {
    update(now);
    LeakTestRecord record = leak_;
    if (leakEnd_)
        record.status = 'E';
    return record;
}

char GasAnalyserModel::hcResidueResult(Millis now) {
    update(now);
    return residueEnd_ ? 'E' : residueResult_;
}

Millis GasAnalyserModel::scenarioTime(Millis now) {
    update(now);
    return scenarioTimeAt(now);
}

Millis GasAnalyserModel::scenarioTimeAt(Millis time) const {
    switch (scenario_.origin()) {
    case ScenarioOrigin::PowerOn: return time;
    case ScenarioOrigin::Zeroed: return zeroedAt_ ? std::max<Millis>(0, time - *zeroedAt_) : 0;
    case ScenarioOrigin::Residue: return residueAt_ ? std::max<Millis>(0, time - *residueAt_) : 0;
    }
    return time;
}

void GasAnalyserModel::setCalendar(const QDateTime& dateTime, Millis now) {
    calendarBase_ = dateTime;
    calendarBaseAt_ = now;
}

} // namespace sim
