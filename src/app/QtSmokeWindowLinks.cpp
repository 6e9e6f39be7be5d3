#include "app/QtSmokeWindowLinks.h"

#include "app/MessageWindowView.h"
#include "report/StampaOpaBView.h"
#include "rpm/RPMView.h"
#include "smoke/ANFUMOView.h"
#include "smoke/GraficView.h"
#include "smoke/LIMITIView.h"
#include "station/DVeicoliView.h"
#include "ui/Dialogs.h"

QtSmokeWindowLinks::QtSmokeWindowLinks(Globals& g, ui::Dialogs& dialogs) : g_(g), dialogs_(dialogs) {}

void QtSmokeWindowLinks::showCritic(const QString& caption) {
    CriticView::showModal(g_, dialogs_, window_, caption);
}

void QtSmokeWindowLinks::showExclam() {
    ExclamView::showModal(g_, dialogs_, window_);
}

void QtSmokeWindowLinks::showExclamStampa() {
    ExclamStampaView::showModal(g_, dialogs_, window_);
}

void QtSmokeWindowLinks::showLimits() {
    QPointer<ANFUMOView> window = window_;
    LIMITIView::showModal(
        g_, dialogs_,
        [window] {
            if (window)
                window->form().Command2.setEnabled(true);
        },
        window_);
}

void QtSmokeWindowLinks::showVehicleData() {
    DVeicoliView::showModal(g_, dialogs_, window_);
}

void QtSmokeWindowLinks::showSmokePrint() {
    StampaOpaBView::showModal(g_, dialogs_, window_);
}

void QtSmokeWindowLinks::showChart() {
    if (chart_)
        chart_->close();
    chart_ = GraficView::showModeless(g_, dialogs_, window_);
}

Grafic* QtSmokeWindowLinks::chart() {
    return chart_ ? &chart_->form() : nullptr;
}

void QtSmokeWindowLinks::closeRevCounter() {
    RPMView::closeMinimised();
}
