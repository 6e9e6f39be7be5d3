#include "report/SheetSections.h"

#include "shared/Globals.h"

namespace {
// Positions in the language table.
constexpr int GasAnalyserText = 68;     // ANSUCap
constexpr int MakeText = 72;            // ANSUMarc
constexpr int HomologationText = 73;    // ANSUNOm
constexpr int TemperatureText = 75;     // DAMBTemp
constexpr int PressureText = 76;        // DAMBPress
constexpr int HumidityText = 77;        // DAMBUmid
constexpr int MakeTypeText = 79;        // DVeicoliFeT
constexpr int PlateText = 80;           // DVeicoliTarga
constexpr int ChassisText = 81;         // DVeicoliTelaio
constexpr int YearText = 82;            // DVeicoliAImm
constexpr int AnalyserFrameText = 93;   // PrtKAPROCERTDatiAn
constexpr int TypeText = 94;            // PrtKAPROCERTTipo
constexpr int SerialText = 95;          // PrtKAPROCERTNserie
constexpr int ExpiryText = 96;          // PrtKAPROCERTDscadCon
constexpr int RevCounterFrameText = 97; // PrtKAPROCERTDatiRPM
constexpr int VehicleFrameText = 98;    // PrtKAPROCERTDatiVeic
constexpr int EngineTypeText = 99;      // PrtKAPROCERTTipoMot
constexpr int FuelText = 100;           // PrtKAPROCERTCarb
constexpr int AmbientFrameText = 101;   // PrtKAPROCERTCondAmb
constexpr int ModelText = 166;          // DVeicoliMod
} // namespace

const QString& uiText(const LanguageState& lang, int position) {
    return lang.UiText.at(position);
}

InstrumentSection::InstrumentSection(const QString& frameCaption, const QString& expiryCaption)
    : Frame(frameCaption), Expiry(expiryCaption) {}

void InstrumentSection::applyCaptions(const LanguageState& lang, int frameText, int instrumentText) {
    Frame.setCaption(uiText(lang, frameText));
    Make.Caption.setCaption(uiText(lang, MakeText));
    Model.Caption.setCaption(uiText(lang, TypeText));
    Homologation.Caption.setCaption(uiText(lang, HomologationText));
    Serial.Caption.setCaption(uiText(lang, SerialText));
    Expiry.Caption.setCaption(uiText(lang, ExpiryText) + QStringLiteral(" ") + uiText(lang, instrumentText));
}

void InstrumentSection::fill(const QString& make, const QString& model, const QString& homologation,
                             const QString& serial, const QString& expiry) {
    Make.Value.setCaption(make);
    Model.Value.setCaption(model);
    Homologation.Value.setCaption(homologation);
    Serial.Value.setCaption(serial);
    Expiry.Value.setCaption(expiry);
}

void RevCounterSection::applyCaptions(const LanguageState& lang) {
    Frame.setCaption(uiText(lang, RevCounterFrameText));
    MakeType.Caption.setCaption(uiText(lang, MakeTypeText));
    Homologation.Caption.setCaption(uiText(lang, HomologationText));
    Serial.Caption.setCaption(uiText(lang, SerialText));
    Expiry.Caption.setCaption(uiText(lang, ExpiryText) + QStringLiteral(" RPM"));
}

void RevCounterSection::fill(const QString& makeType, const QString& homologation, const QString& serial,
                             const QString& expiry) {
    MakeType.Value.setCaption(makeType);
    Homologation.Value.setCaption(homologation);
    Serial.Value.setCaption(serial);
    Expiry.Value.setCaption(expiry);
}

VehicleSection::VehicleSection(Sheet sheet)
    : MakeType(sheet == Sheet::Gas ? QStringLiteral("Marca") : QStringLiteral("Fabbrica e tipo")),
      EngineType(sheet == Sheet::Gas ? QStringLiteral("Tipo motore") : QStringLiteral("Motore tipo")), sheet_(sheet) {}

void VehicleSection::applyCaptions(const LanguageState& lang) {
    Frame.setCaption(uiText(lang, VehicleFrameText));
    MakeType.Caption.setCaption(uiText(lang, MakeTypeText));
    Plate.Caption.setCaption(uiText(lang, PlateText));
    Chassis.Caption.setCaption(uiText(lang, ChassisText));
    Year.Caption.setCaption(uiText(lang, YearText));
    if (sheet_ == Sheet::Gas) {
        Model.Caption.setCaption(uiText(lang, ModelText));
        EngineType.Caption.setCaption(uiText(lang, EngineTypeText));
        Fuel.Caption.setCaption(uiText(lang, FuelText));
    }
}

void AmbientSection::applyCaptions(const LanguageState& lang) {
    Frame.setCaption(uiText(lang, AmbientFrameText));
    Temperature.Caption.setCaption(uiText(lang, TemperatureText));
    Pressure.Caption.setCaption(uiText(lang, PressureText));
    Humidity.Caption.setCaption(uiText(lang, HumidityText));
}

void AmbientSection::fill(const QString& temperature, const QString& pressure, const QString& humidity) {
    Temperature.Value.setCaption(temperature);
    Pressure.Value.setCaption(pressure);
    Humidity.Value.setCaption(humidity);
}

void applyGasHeaderCaptions(const LanguageState& lang, InstrumentSection& analyser, RevCounterSection& revCounter,
                            VehicleSection& vehicle) {
    analyser.applyCaptions(lang, AnalyserFrameText, GasAnalyserText);
    revCounter.applyCaptions(lang);
    vehicle.applyCaptions(lang);
}

void fillGasHeader(const GasSheetHeader& h, InstrumentSection& analyser, RevCounterSection& revCounter,
                   VehicleSection& vehicle) {
    analyser.fill(h.AnalyserMake, h.AnalyserModel, h.AnalyserHomologation, h.AnalyserSerial, h.CalibrationDate);
    revCounter.fill(h.RpmMakeType, h.RpmHomologation, h.RpmSerial, h.RpmExpiry);
    vehicle.MakeType.Value.setCaption(h.VehicleMakeType);
    vehicle.Model.Value.setCaption(h.VehicleModel);
    vehicle.Plate.Value.setCaption(h.VehiclePlate);
    vehicle.Chassis.Value.setCaption(h.VehicleChassis);
    vehicle.EngineType.Value.setCaption(h.EngineType);
    vehicle.Fuel.Value.setCaption(h.Fuel);
    vehicle.Year.Value.setCaption(h.VehicleYear);
}

void showField(ui::Label& value, const CertificateField& field) {
    value.setCaption(field.Text);
    value.setBackColor(field.BackColor);
}
