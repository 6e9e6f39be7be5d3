#pragma once

#include "smoke/SmokeWindowLinks.h"

// Neighbouring windows that never open, for running the smoke window on its
// own (the benchmark, the fuzz targets) where only its conversation with the
// opacimeter matters.
class NoSmokeWindowLinks : public SmokeWindowLinks {
  public:
    void showCritic(const QString&) override {}
    void showExclam() override {}
    void showExclamStampa() override {}
    void showLimits() override {}
    void showVehicleData() override {}
    void showSmokePrint() override {}
    void showChart() override {}
    Grafic* chart() override { return nullptr; }
    void closeRevCounter() override {}
};
