#pragma once

#include <QString>

// The windows the smoke window opens or closes that belong to other parts of
// the program. Every "show" is modal: it returns when the window has closed.
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

    // Closes the rev counter window opened beside the smoke window, if open.
    virtual void closeRevCounter() = 0;
};
