#pragma once

#include <QString>

#include <cstdint>

struct Globals;

// The Conf.ini routines, one pair per section. Each one computes the path anew
// (working directory + Conf.ini), makes its own RCLIni and goes key by key in
// table order.
//
// A Load… routine returns false at the first numeric key that is absent or not
// a number: keys before it keep their new values, keys after it their old ones.
// Callers that must carry on (start-up, the analysis windows) ignore the result.

QString SettingsPath();

bool LoadLanguageChoice(Globals& g);
bool SaveLanguageChoice(const Globals& g);
bool LoadSystemOptions(Globals& g);
bool SaveSystemOptions(std::uint8_t bits, double quad, double lin);
// The verification settings, kept scrambled beside the system options; an
// absent or unreadable key takes its default (12 months, 30 days, not allowed).
void LoadVerificationSettings(Globals& g);
bool SaveVerificationSettings(const Globals& g);
// Where the tests are kept; absent keys take their defaults (the SQLite file).
void LoadArchiveSettings(Globals& g);
bool SaveArchiveSettings(const Globals& g);
bool LoadInstrumentPorts(Globals& g);
bool LoadInstrumentModels(Globals& g);
bool LoadOperatorData(Globals& g);
bool SaveOperatorData(const Globals& g);
bool LoadAmbientData(Globals& g);
bool SaveAmbientData(const Globals& g);
bool LoadVehicleData(Globals& g);
bool SaveVehicleData(const Globals& g);
bool LoadRevCounterSettings(Globals& g);
bool SaveRevCounterSettings(const Globals& g);
bool LoadOpacityLimits(Globals& g);
bool SaveOpacityLimits(const Globals& g);
bool LoadGasLimits(Globals& g);
bool SaveGasLimits(const Globals& g);
