#include "gas/QtGasCompanions.h"

#include "gas/LIMITIANView.h"
#include "ui/Dialogs.h"

#include "rpm/RPMView.h"
#include "station/DVeicoliView.h"

void QtGasCompanions::closeRevCounter() {
    RPMView::closeMinimised();
}

void QtGasCompanions::showVehicleData() {
    if (!vehicleWindow_)
        vehicleWindow_ = DVeicoliView::showModeless(g_, dialogs_, owner_);
}

void QtGasCompanions::closeVehicleData() {
    // Its own confirm button keeps the fields and closes it.
    if (vehicleWindow_)
        vehicleWindow_->form().Command1_Click();
}

bool QtGasCompanions::vehicleDataShown() const {
    return !vehicleWindow_.isNull();
}

void QtGasCompanions::showGasLimits() {
    LIMITIANView::showModal(g_, dialogs_, owner_);
}

// The sheets come with the printouts; until then the operator is told so.
void QtGasCompanions::showGasCertificate() {
    dialogs_.message(QStringLiteral("not available yet"), QStringLiteral("Quaveron"), ui::Icon::Information);
}

void QtGasCompanions::showGasDiagnosis() {
    dialogs_.message(QStringLiteral("not available yet"), QStringLiteral("Quaveron"), ui::Icon::Information);
}
