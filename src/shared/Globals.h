#pragma once

// The process-wide state of the station, grouped by the part of the program
// that owns it. main() makes one Globals and hands it to every form; each test
// makes a fresh one. Member names are the station's documented names.

#include "shared/ArchiveSettings.h"
#include "shared/GasCertificate.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace ui {
class Timer;
}

class SerialPort;
class TestArchiveSink;

// Conf.ini settings filled by the Load… routines.
struct SettingsState {
    std::int16_t LanguageCode = 0;  // 1 Italian, 2 English, 3 Spanish; 0 not set yet
    std::uint8_t SystemOptions = 0; // 1 opacity 9.99 K range, 2 HC 19999 ppm range, 4 no leak-test request
    double HcRangeQuadCoeff = 0.0;
    double HcRangeLinCoeff = 0.0;
    // Periodic verification of the instruments (protected, like the options
    // above): months a maker calibration stays valid, days of warning before
    // an expiry, and whether a test may run on an expired instrument.
    int VerificationValidityMonths = 12;
    int VerificationWarningDays = 30;
    bool ExpiredInstrumentAllowed = false;

    // COMOPA / COMKAPRO
    int OpacimeterLinkMode = 0;  // 1 maker binary frames, 2 MCTC-NET
    int SmokePort = 0;
    int SmokeBaudIndex = 0;
    QString OpacimeterMake;
    QString OpacimeterApproval;
    int GasLinkMode = 0;
    int GasPort = 0;
    int GasBaudIndex = 0;
    QString GasMake;
    QString GasApproval;

    // MODOPA / MODKAPRO
    int SmokeModel = 0;
    int SmokeUnit = 0;  // 0 per cent, 1 HSU
    int GasModel = 0;

    // RPM
    QString RpmMake;
    QString RpmApproval;
    QString RpmSerial;
    QString RpmExpiry;
    int RpmPort = 0;
    int RpmBaudIndex = 0;
    int CylinderCount = 0;
    int StrokeCount = 0;
    int ExternalRpm = 0;
    int ExternalOilTemp = 0;
    int RpmCommandChoice = 0;  // 0 "VA", 1 "VE", 2 "TP+VA"

    // LO: smoke test limits
    float LimitRpmMin = 0;
    float LimitRpmMax = 0;
    double OpacityThreshold = 0;
    double OpacityLimitK = 0;

    // IA: gas test limits
    double RPMmin = 0;
    double RPMmaccLI = 0;
    double RPMmaccLS = 0;
    double LambdaLI = 0;
    double LambdaLS = 0;
    std::int16_t RpmCheck = 0;  // 1: engine speed takes part in the gas test
    double LCOcorMin = 0;
    double LCOcorMinacc = 0;
    std::int16_t TestDurationTicks = 0;  // 25 ms ticks

    // ARCHIVIO: where concluded tests are kept
    ArchiveSettings Archive;
};

// The user-interface texts of the chosen language.
struct LanguageState {
    static constexpr int TextCount = 167;
    std::array<QString, TextCount> UiText;
    // Texts of the windows added since the table was fixed, by lower-case
    // Lingua.ini key; read through NamedText (lang/LanguageTexts.h).
    QHash<QString, QString> NamedTexts;
};

// Vehicle, ambient and staff data repeated on every report.
struct StationState {
    QString VehicleMakeType;
    QString VehiclePlate;
    QString VehicleChassis;
    QString VehicleYear;
    QString VehicleModel;
    QString AmbientTemperature;
    QString AmbientPressure;
    QString AmbientHumidity;
    QString OperatorName;
    QString TechnicalManager;
    QString AgencyName;
};

// Window flags and the message-window texts.
struct AppState {
    std::int16_t GasWindowActive = 0;
    std::int16_t SmokeWindowActive = 0;
    std::int16_t SmokeFirstStart = 0;
    std::int16_t PasswordResult = 0;  // 1 accepted, 0 rejected, 2 cancelled

    QString CriticText;
    QString ExclamText;
    QString ExclamPrintText;
    std::int16_t ExclamShown = 0;
    // The smoke window's scheduler while that window is open; the message
    // windows restart it when the operator acknowledges them.
    ui::Timer* SmokeScheduler = nullptr;
    // The main window's blinking timer; the gas and smoke windows enable it
    // again when they close. Null while no main window exists.
    ui::Timer* MainBlinkTimer = nullptr;
};

// The last identification reply of any instrument.
struct InstrumentIdentityRecord {
    QString Maker;
    QString Model;
    QString Homologation;
    QString SerialNumber;
    QString ExpiryDate;  // DD/MM/YYYY
    QString Version;
    QString Extra;
};

// Serial link globals shared by every window that talks MCTC-NET or maker frames.
// Frame pieces are byte strings; the last writer wins.
struct LinkState {
    // Gas analyser and opacimeter senders, and the receivers that check their replies.
    QByteArray MctcDevice;   // "GAS" or "OPA"
    QByteArray MctcNumber;   // "1"
    QByteArray MctcCommand;  // last command sent
    int MctcCommandLength() const { return static_cast<int>(MctcCommand.size()); }
    int MctcNumberLength() const { return static_cast<int>(MctcNumber.size()); }

    // The rev counter windows' own twins.
    QByteArray RevCounterDevice = "RPM";
    QByteArray RevCounterNumber = "1";
    QByteArray RevCounterCommand;
    int RevCounterCommandLength() const { return static_cast<int>(RevCounterCommand.size()); }
    int RevCounterNumberLength() const { return static_cast<int>(RevCounterNumber.size()); }
    std::int16_t RevCounterReplyFlag = 0;  // 1: a valid reply came since the last send
    int RevCounterMissCount = 0;           // sends in a row without a reply in between
    // Shows "- - -" as the rev counter window's speed; set by that window.
    std::function<void()> ShowRevCounterSpeedUnknown;

    InstrumentIdentityRecord InstrumentIdentity;
    int VersionThousandths = 0;  // identity version x 1000

    // Replies the gas and smoke windows accepted. Nothing depends on its size,
    // so past its top it wraps round to 0 instead of failing.
    std::uint32_t AcceptedFrameCount = 0;
    void countAcceptedFrame() { ++AcceptedFrameCount; }

    // Maker binary frames.
    std::int16_t LastMakerCommand = 0;
    int GasBinaryAddress = 0;
    int OpacimeterBinaryAddress = 0;

    // The ports of the open windows, set when a window loads and cleared when it
    // unloads; the senders write through them.
    SerialPort* GasPort = nullptr;
    SerialPort* SmokePort = nullptr;
    SerialPort* RevCounterPort = nullptr;
    SerialPort* GasSetupPort = nullptr;
    SerialPort* OpacimeterSetupPort = nullptr;
    SerialPort* RevCounterSetupPort = nullptr;
    SerialPort* RecognitionPort = nullptr;
};

// The gas analysis window's readings and what the analyser told about itself.
// The printouts and report.log read them from here.
struct GasState {
    // Measured values; -1 marks a value the analyser could not give.
    double GasCO = 0.0;     // % vol
    double GasCO2 = 0.0;    // % vol
    double GasHC = 0.0;     // ppm
    double GasO2 = 0.0;     // % vol
    double GasCOcorr = 0.0; // % vol
    double GasLambda = 0.0;
    double GasEngineSpeed = 0.0; // rpm
    float GasOilTemperature = 0.0f;
    double GasNOx = 0.0;   // ppm
    std::int32_t LeakPressure = 0; // mbar

    QString AnalyserSerial;      // as the analyser reports it
    QString SettingsSerial;      // Conf.ini COMKAPRO Nserie, then each identification reply's
    QString FirmwareVersion;     // d.dd
    QString CalibrationDate;     // calibration date, or the identification's expiry date (MCTC-NET)
    QString InstrumentParameter; // shown as it came

    // The analyser's settings record (MCTC-NET). Fuel name and catalyst text
    // stay apart so the record always goes back as six fields.
    QString FuelName;
    QString CatalystText;
    QString SettingsField3;
    QString EngineStrokes; // "4" or "2"
    QString HydrogenCarbonRatio;
    QString OxygenCarbonRatio;
    QString FuelText() const { return FuelName + CatalystText; }

    int AnalyserStatus = 0; // maker status byte, or MCTC-NET status 1..31
    int FuelCode = 0;       // maker status: fuel and strokes bits
    int ErTen = 0;
    int AnalyserErrorCode = 0;
    int FaultyChannelMask = 0; // 1 CO, 2 CO2, 4 HC, 8 O2
    QString LeakTestStatus;    // "R" valid, "I" invalid, "E" running
    QString LeakTestDate;      // dd/mm/yyyy
    QString LeakTestTime;      // hh:mm
    QString HcResidueResult;   // "R" passed, "I" failed, "E" running
};

// The outcome of the last smoke test, as the printout and report.log take it
// over. Cleared when a test starts; a number still empty then (nullopt) is
// written as nothing.
struct SmokeTestResultRecord {
    static constexpr std::int16_t Pass = 4;
    static constexpr std::int16_t Fail = 2;

    QString MeanKText;       // mean k as shown, two decimals at most
    QString MeanOpacityText; // mean opacity as shown, % or HSU
    std::optional<double> MinIdleSpeed;
    std::optional<double> MaxPeakSpeed;
    QString AcceptedSet; // accelerations of the deciding set, e.g. "3,4,5,6,7"
    std::optional<long long> MeanSpeedValue;
    QString VerdictText;
    std::int16_t ResultCode = Pass;
    // The test ran on an expired instrument by the service override (see the
    // gas certificate record).
    bool ExpiredInstrumentOverride = false;
};

struct SmokeState {
    QString OperatingStatus;  // opacimeter parameter "021"
    QString SlideStatus;      // opacimeter parameter "020"
    // One-shot: armed by the smoke window; the first MCTC-NET measurement reply
    // of either window that cannot be read then tells the operator to check the
    // port set-up, and disarms it.
    std::int16_t ErrorCheckArmed = 0;

    // Live readings of the smoke window (speed and oil temperature from the rev
    // counter when it supplies them); -1 marks a value the opacimeter could not give.
    double OpacityK = 0.0;            // m-1, ambient-pressure correction applied
    double OpacityPercent = 0.0;      // %
    double EngineSpeed = 0.0;         // rpm
    double SmokeOilTemperature = 0.0; // °C
    double CellTemperature = 0.0;     // °C
    double SmokeTemperature = 0.0;    // °C
    double SupplyVoltage = 0.0;       // V, MCTC-NET opacimeters only

    // The acceleration in progress, restarted by each new acceleration.
    double PeakOpacity = 0.0;
    double PeakSpeed = 0.0;
    double PeakSpeedShown = 0.0;
    double IdleSpeed = 10000.0;
    // The whole test, restarted by the start button.
    double LowestIdleSpeed = 10000.0;
    double HighestPeakSpeed = 0.0;
    // 0-7 the acceleration in progress; 8 concluded by a verdict; 10 concluded
    // with the advance button.
    std::int16_t AccelerationIndex = 0;
    // For the printouts: when the test was started and when it was printed.
    QDateTime TestStartTime;
    QDateTime TestEndTime;

    // Each acceleration row as the test left it, for the printout; the codes
    // mark the rows the verdict was taken from.
    static constexpr int AccelerationRowCount = 8;
    static constexpr std::int16_t RowInAcceptedSet = 3;
    static constexpr std::int16_t RowOutsideSet = 4;
    std::array<QString, AccelerationRowCount> RowPeakText;
    std::array<QString, AccelerationRowCount> RowSpeedText;
    std::array<std::int16_t, AccelerationRowCount> RowUsedK{};
    std::array<std::int16_t, AccelerationRowCount> RowUsedSpeed{};
    SmokeTestResultRecord SmokeTestResult;

    // The single-acceleration chart, one row per value reply: time (row x 0.25),
    // k x 10, speed / 100, and the two speed limits / 100 the chart window puts in.
    static constexpr int ChartRows = 41;
    static constexpr int ChartColumns = 5;
    using ChartTable = std::array<std::array<double, ChartColumns>, ChartRows>;
    ChartTable ChartData{};
};

// Last readings of the rev counter window. The measuring windows use them when
// the rev counter supplies the engine speed or the oil temperature; they keep
// their values after the window closes.
struct RpmState {
    double RpmValue = 0.0;       // not reset when the window opens
    double OilTemperature = 0.0; // set to 0 when the window opens
};

// What the printouts and report.log are made from.
struct ReportState {
    GasCertificateRecord GasCertificate;
    GasDiagnosisRecord GasDiagnosis;
    // The smoke sheet's copies field, kept as typed.
    QString PrintCopies = QStringLiteral("1");
    // Where concluded tests are kept; none in most tests.
    TestArchiveSink* Archive = nullptr;
};

struct Globals {
    SettingsState settings;
    LanguageState lang;
    StationState station;
    AppState app;
    LinkState link;
    GasState gas;
    SmokeState smoke;
    RpmState rpm;
    ReportState report;
};
