#pragma once

#include "sim/GasAnalyserSim.h"
#include "sim/GasScenario.h"

#include <QStringList>
#include <QStringView>

#include <optional>

namespace sim {

// Ready-made certification tests: an engine that idles through the program's
// timed idle measurement and its verdict, is brought to accelerated idle and
// held there through the second timed measurement and its 15 s of grace, then
// returns to idle. Times count from the start of measuring (the end of the
// zeroing on a maker analyser, of the HC residue test on an MCTC-NET one).
//   pass         clean exhaust at both speeds
//   idle-fail    corrected CO about 1 % at idle
//   lambda-fail  lambda 1.06 at accelerated idle
//   diluted      the probe slips out for 3 s during the idle measurement
//                (MCTC-NET restarts the idle measurement)
QStringList CertificationRunNames();

// The run of that name for a program measuring testSeconds each time; nullopt
// for an unknown name or a duration outside 1..819 s.
std::optional<GasScenario> CertificationRunScenario(QStringView name, GasProtocol protocol, int testSeconds);

} // namespace sim
