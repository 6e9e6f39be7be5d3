#include "app/ExclamStampa.h"

#include "shared/Globals.h"
#include "ui/Timer.h"

ExclamStampa::ExclamStampa(Globals& g, ui::Dialogs&) : MessageWindow(g, QStringLiteral("Quaveron")) {}

void ExclamStampa::Form_Load() {
    Label1.setCaption(g_.app.ExclamPrintText);
}

void ExclamStampa::Form_Unload() {
    ui::Timer* scheduler = g_.app.SmokeScheduler;
    if (scheduler && !scheduler->enabled())
        scheduler->setEnabled(true);
}
