#pragma once

// The gas certificate as the gas window fills it during a certification test.
// The certificate sheet and report.log read only this record, never the gas
// window, so a sheet can be printed (and tested) without the window open.
// Every value is the text the gas window showed, with its formatting.

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

struct GasCertificateRecord {
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
};
