#include "gas/QtGasCompanions.h"

#include "gas/LIMITIANView.h"
#include "report/GasSheetViews.h"
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

void QtGasCompanions::showGasCertificate() {
    showGasCertificateSheet(g_, dialogs_, owner_);
}

void QtGasCompanions::showGasDiagnosis() {
    showGasDiagnosisSheet(g_, dialogs_, owner_);
}
