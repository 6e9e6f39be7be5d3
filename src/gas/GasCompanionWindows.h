#pragma once

// The windows the gas window opens and closes beside itself. The view
// provides the real ones; tests record the calls.
class GasCompanionWindows {
  public:
    virtual ~GasCompanionWindows() = default;

    // The rev counter window, opened with the gas window when it supplies the
    // engine speed or the oil temperature.
    virtual void closeRevCounter() = 0;
    // The vehicle data window beside the gas window: shown, and later closed
    // keeping its fields (copied into the vehicle data and saved).
    virtual void showVehicleData() = 0;
    virtual void closeVehicleData() = 0;
    // False once the operator has closed it some other way.
    virtual bool vehicleDataShown() const = 0;
    // The gas limits window, modal over the gas window.
    virtual void showGasLimits() = 0;
    // The printouts, modal, made from the certificate and diagnosis records.
    virtual void showGasCertificate() = 0;
    virtual void showGasDiagnosis() = 0;
};
