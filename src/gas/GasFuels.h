#pragma once

#include <QString>

#include <optional>

// The fuel and engine choices of the gas window and how each protocol names them.
// Fuel list index 0..5: petrol, petrol with catalyst, methane, methane with
// catalyst, LPG, LPG with catalyst. Engine index 0 four-stroke, 1 two-stroke.
namespace gas {

constexpr int FuelCount = 6;
constexpr int EngineCount = 2;

bool HasCatalyst(int fuelIndex);
// The constant of the corrected CO: 15 petrol, 12 methane, 14 LPG.
double FuelConstant(int fuelIndex);

// The maker's fuel and strokes code (command 0x26 and the status reply).
int FuelStrokesCode(int fuelIndex, int engineIndex);
struct FuelSelection {
    int fuel = 0;
    int engine = 0;
};
// nullopt for a code no fuel and engine make.
std::optional<FuelSelection> FuelSelectionOfCode(int code);

// MCTC-NET settings record: "BENZINA", "METANO", "GPL"; "NO CAT" or "CAT";
// hydrogen/carbon ratio "1.730", "4.000", "2.570"; strokes "4" or "2".
QString McTcFuelName(int fuelIndex);
QString McTcCatalystText(int fuelIndex);
QString McTcHydrogenCarbonRatio(int fuelIndex);
QString McTcEngineStrokes(int engineIndex);
// The fuel list index of a record's fuel name and catalyst text; nullopt when unknown.
std::optional<int> FuelIndexOfRecord(const QString& fuelName, const QString& catalystText);
// The engine index of a record's strokes; nullopt when neither "4" nor "2".
std::optional<int> EngineIndexOfStrokes(const QString& strokes);

} // namespace gas
