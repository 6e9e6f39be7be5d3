#pragma once

#include <QString>

class Grafic;

// The windows the smoke window opens or closes that belong to other parts of
// the program. Every "show" but the chart's is modal: it returns when the
// window has closed.
// The message windows take their texts from g.app (CriticText, ExclamText,
// ExclamPrintText), set by the smoke window before it calls.
class SmokeWindowLinks {
  public:
    virtual ~SmokeWindowLinks() = default;

    // The critical alarm window, captioned e.g. "ERROR 10".
    virtual void showCritic(const QString& caption) = 0;
    // The end-of-test warning; it may follow up with the print notice itself.
    virtual void showExclam() = 0;
    // The print notice.
    virtual void showExclamStampa() = 0;

    virtual void showLimits() = 0;
    virtual void showVehicleData() = 0;
    virtual void showSmokePrint() = 0;

    // The single-acceleration chart, not modal: an open one is closed and a
    // fresh one loaded, so it shows the latest recording and the limits in force.
    virtual void showChart() = 0;
    // The open chart window's form, or null when none is open.
    virtual Grafic* chart() = 0;

    // Closes the rev counter window opened beside the smoke window, if open.
    virtual void closeRevCounter() = 0;
};
