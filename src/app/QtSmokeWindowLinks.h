#pragma once

#include "smoke/SmokeWindowLinks.h"

#include <QPointer>

struct Globals;
class ANFUMOView;
class GraficView;
namespace ui {
class Dialogs;
}

// The smoke window's message, limits, vehicle and print windows, opened modal
// over it, and the rev counter window beside it.
class QtSmokeWindowLinks : public SmokeWindowLinks {
  public:
    QtSmokeWindowLinks(Globals& g, ui::Dialogs& dialogs);

    // The smoke window the others open over; set once it exists.
    void setWindow(ANFUMOView* window) { window_ = window; }

    void showCritic(const QString& caption) override;
    void showExclam() override;
    void showExclamStampa() override;
    void showLimits() override;
    void showVehicleData() override;
    void showSmokePrint() override;
    void showChart() override;
    Grafic* chart() override;
    void closeRevCounter() override;

  private:
    Globals& g_;
    ui::Dialogs& dialogs_;
    QPointer<ANFUMOView> window_;
    QPointer<GraficView> chart_;
};
