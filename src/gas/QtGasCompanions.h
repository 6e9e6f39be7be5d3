#pragma once

#include "gas/GasCompanionWindows.h"

#include <QPointer>
#include <QWidget>

struct Globals;
class DVeicoliView;
namespace ui {
class Dialogs;
}

// The windows beside the gas window as it uses them.
class QtGasCompanions : public GasCompanionWindows {
  public:
    QtGasCompanions(Globals& g, ui::Dialogs& dialogs) : g_(g), dialogs_(dialogs) {}

    // The window the vehicle data window opens over; set once the gas window exists.
    void setOwner(QWidget* owner) { owner_ = owner; }

    void closeRevCounter() override;
    void showVehicleData() override;
    void closeVehicleData() override;
    bool vehicleDataShown() const override;
    void showGasLimits() override;
    void showGasCertificate() override;
    void showGasDiagnosis() override;

  private:
    Globals& g_;
    ui::Dialogs& dialogs_;
    QPointer<QWidget> owner_;
    QPointer<DVeicoliView> vehicleWindow_;
};
