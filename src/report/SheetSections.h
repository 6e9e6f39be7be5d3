#pragma once

#include "report/Printout.h"

#include <QString>

#include <array>

struct LanguageState;
struct GasSheetHeader;
struct CertificateField;

// Framed sections several sheets share. Each carries its Italian design
// captions; applyCaptions puts those of the chosen language in their place.

// The measuring instrument: the gas analyser or the opacimeter.
struct InstrumentSection {
    ui::Frame Frame;
    SheetField Make{QStringLiteral("Marca"), QStringLiteral("Korvellan")};
    SheetField Model{QStringLiteral("Tipo")};
    SheetField Homologation{QString::fromUtf8("N° di omologazione")};
    SheetField Serial{QString::fromUtf8("N° serie")};
    SheetField Expiry;

    InstrumentSection(const QString& frameCaption, const QString& expiryCaption);
    // frameText titles the section; instrumentText ends the expiry caption.
    void applyCaptions(const LanguageState& lang, int frameText, int instrumentText);
    void fill(const QString& make, const QString& model, const QString& homologation, const QString& serial,
              const QString& expiry);
};

struct RevCounterSection {
    ui::Frame Frame{QStringLiteral("DATI CONTAGIRI")};
    SheetField MakeType{QStringLiteral("Marca e tipo")};
    SheetField Homologation{QString::fromUtf8("N° di omologazione")};
    SheetField Serial{QString::fromUtf8("N° serie")};
    SheetField Expiry{QStringLiteral("scadenza controllo contagiri")};

    void applyCaptions(const LanguageState& lang);
    void fill(const QString& makeType, const QString& homologation, const QString& serial, const QString& expiry);
};

// The vehicle. The smoke sheet shows no model and keeps its engine-type and
// fuel rows empty under their design captions.
struct VehicleSection {
    enum class Sheet { Gas, Smoke };

    ui::Frame Frame{QStringLiteral("DATI VEICOLO")};
    SheetField MakeType;
    SheetField Model{QStringLiteral("Modello")};
    SheetField Plate{QStringLiteral("Targa")};
    SheetField Chassis{QStringLiteral("Telaio")};
    SheetField EngineType;
    SheetField Fuel{QStringLiteral("Carburante")};
    SheetField Year{QStringLiteral("Anno prima immatricolazione")};

    explicit VehicleSection(Sheet sheet);
    void applyCaptions(const LanguageState& lang);

  private:
    Sheet sheet_;
};

struct AmbientSection {
    ui::Frame Frame{QStringLiteral("CONDIZIONI AMBIENTALI")};
    SheetField Temperature{QStringLiteral("Temperatura")};
    SheetField Pressure{QStringLiteral("Pressione")};
    SheetField Humidity{QString::fromUtf8("Umidità relativa")};

    void applyCaptions(const LanguageState& lang);
    void fill(const QString& temperature, const QString& pressure, const QString& humidity);
};

// One set of gas readings; the measurement captions are not translated.
struct EmissionReadings {
    ui::Frame Frame;
    SheetField CO{QStringLiteral("CO(%vol.)")};
    SheetField CO2{QStringLiteral("CO2(%vol.)")};
    SheetField COcorr{QStringLiteral("COcorr(%vol.)")};
    SheetField HC{QStringLiteral("HC(ppm)")};
    SheetField O2{QStringLiteral("O2(%vol.)")};
    SheetField Lambda{QStringLiteral("LAMBDA")};

    explicit EmissionReadings(const QString& frameCaption) : Frame(frameCaption) {}
};

// The analyser, rev counter and vehicle sections of both gas sheets.
void applyGasHeaderCaptions(const LanguageState& lang, InstrumentSection& analyser, RevCounterSection& revCounter,
                            VehicleSection& vehicle);
void fillGasHeader(const GasSheetHeader& header, InstrumentSection& analyser, RevCounterSection& revCounter,
                   VehicleSection& vehicle);
// A value with the colour the verdict gave it.
void showField(ui::Label& value, const CertificateField& field);

// Caption position `position` of the language table.
const QString& uiText(const LanguageState& lang, int position);
