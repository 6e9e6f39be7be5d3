#pragma once

#include <QString>

struct Globals;

// The gas analyser's own keys of Conf.ini, read when the gas window opens.
namespace gas {

// MODKAPRO Modello, and COMKAPRO TModCom, TCOM and TBRate into the settings
// globals. Each key stands on its own: one missing or unreadable keeps its
// value from start-up, and the gas analyser's keys never depend on whether the
// opacimeter's were ever written.
void LoadGasAnalyserSettings(Globals& g);

// COMKAPRO Modello and Nserie as texts (empty when absent): the model name and
// serial number the window shows.
struct AnalyserLabels {
    QString model;
    QString serial;
};
AnalyserLabels ReadAnalyserLabels();

} // namespace gas
