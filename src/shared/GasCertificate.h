#pragma once

// The gas sheets as the gas window fills them: the certificate during a
// certification test, the diagnosis sheet when it is printed. The sheets and
// report.log read only these records, never the gas window, so a sheet can be
// printed (and tested) without that window open. Every value is the text the
// gas window showed, with its formatting.

#include "ui/Colours.h"

#include <QString>

// A value field of the sheet: its text and the colour the verdict gave it.
struct CertificateField {
    QString Text;
    ui::Colour BackColor = ui::colour::White;
};

// The readings of one timed test (idle or accelerated idle), as displayed.
struct CertificateReadings {
    CertificateField EngineSpeed;
    CertificateField CO;
    CertificateField CO2;
    CertificateField COcorr;
    CertificateField HC;
    CertificateField O2;
    CertificateField Lambda;
    QString COcorrLimit; // the corrected-CO limit the test was judged against
};

// Instrument and vehicle data at the head of both gas sheets.
struct GasSheetHeader {
    // Analyser
    QString AnalyserMake;
    QString AnalyserModel;
    QString AnalyserHomologation;
    QString AnalyserSerial;
    QString CalibrationDate;
    // Rev counter
    QString RpmMakeType;
    QString RpmHomologation;
    QString RpmSerial;
    QString RpmExpiry;
    // Vehicle
    QString VehicleMakeType;
    QString VehicleModel;
    QString VehiclePlate;
    QString VehicleChassis;
    QString EngineType; // the engine-type entry chosen in the gas window
    QString Fuel;       // the fuel entry chosen in the gas window
    QString VehicleYear;
};

struct GasCertificateRecord {
    GasSheetHeader Header;
    // Ambient
    QString AmbientTemperature;
    QString AmbientPressure;
    QString AmbientHumidity;
    // Engine and emissions
    QString OilTemperature;
    CertificateReadings Idle;
    CertificateReadings AcceleratedIdle;
    QString LambdaLimits; // the accelerated-idle lambda limits as shown on the sheet
    // Outcome
    CertificateField Result;
    QString Date;
    QString StartTime;
    QString EndTime; // set when the print button is pressed
    QString TechnicalManager;
    QString AgencyName;
    // The test ran on an instrument whose periodic verification had expired,
    // allowed by the service override; the sheet stays as it is, the archive notes it.
    bool ExpiredInstrumentOverride = false;
};

// The diagnosis sheet: the gas window's readings at the moment of printing,
// without limits or verdict.
struct GasDiagnosisRecord {
    GasSheetHeader Header;
    QString OilTemperature;
    QString EngineSpeed;
    QString CO;
    QString CO2;
    QString COcorr;
    QString HC;
    QString O2;
    QString Lambda;
    QString NOx;
    QString Date;
    QString Time;
    QString OperatorName;
    QString AgencyName;
};
