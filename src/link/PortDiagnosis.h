#pragma once

#include <QString>

struct Globals;

// Why a serial device would not open, as far as the station can tell by
// looking at it: the technician gets the cause and the cure, not errno text.
enum class PortOpenProblem {
    Other,            // nothing more to say than the system's own text
    Missing,          // no such device
    Unplugged,        // a stable by-id name whose adapter is not there
    PermissionDenied, // the station's user may not read and write it
    Busy,             // another program holds it
};

struct PortOpenDiagnosis {
    PortOpenProblem problem = PortOpenProblem::Other;
    QString device;
    QString group; // the device's owning group, for PermissionDenied
    QString user;  // the user the program runs as, for PermissionDenied
};

// True for a /dev/serial/by-id or by-path name, which survives replugging.
bool IsStableDeviceName(const QString& path);

// Looks at a device whose open has just failed, as this process sees it.
PortOpenDiagnosis DiagnosePortOpen(const QString& device);

// The operator's words for a diagnosis, in the loaded language; empty for
// Other, where the system's own description stays.
QString PortOpenDiagnosisText(const Globals& g, const PortOpenDiagnosis& diagnosis);
