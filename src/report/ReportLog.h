#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

struct Globals;
namespace ui {
class Dialogs;
}

// report.log: the result of the last certificate gas test or smoke test as
// key=value lines, for other software of the station. It lives beside the
// executable and is replaced whole by every report.

// The certificate's 42 lines from g.report.GasCertificate, as the sheet shows them.
QStringList GasReportLines(const Globals& g);
// The smoke report's 49 lines from the smoke test's result; the date is today's.
QStringList SmokeReportLines(const Globals& g);

// Writes the lines to report.log (Windows-1252, CR LF), replacing the old file
// whole (settings::replaceFileContent). False when it cannot be written.
bool WriteReportLines(const QStringList& lines);
bool WriteGasReport(const Globals& g);
bool WriteSmokeReport(const Globals& g);

// Tells the operator that report.log could not be written; the sheet is shown all the same.
void TellReportNotWritten(const Globals& g, ui::Dialogs& dialogs);

// A number as a line of report.log carries it: a blank before a non-negative
// number (the '-' of a negative one in its place), the locale's decimal
// separator with no zero before it below 1, and a blank after.
QString LinePrintNumber(double value, bool singlePrecision = false);

// The opacimeter's make: as identified, else as Conf.ini gave it at start-up.
QString SmokeInstrumentMake(const Globals& g);

// The time of day of a moment as the sheets show it; empty when it was never set.
QString TimeOfDayText(const QDateTime& moment);

// The oil temperature as the smoke sheet and report show it: "OutRange" for
// the instrument's out-of-range mark 888.
QString SmokeOilTemperatureText(double celsius);
