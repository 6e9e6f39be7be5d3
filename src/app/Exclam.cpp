#include "app/Exclam.h"

#include "shared/Globals.h"

Exclam::Exclam(Globals& g, ui::Dialogs&, std::function<void()> openPrintNotice)
    : MessageWindow(g, QStringLiteral("Quaveron")), openPrintNotice_(std::move(openPrintNotice)) {}

void Exclam::Form_Load() {
    Label1.setCaption(g_.app.ExclamText);
}

void Exclam::Command1_Click() {
    Me.requestClose();
    if (g_.smoke.OperatingStatus == QLatin1String("00000") || g_.smoke.SlideStatus == QLatin1String("00048")) {
        if (openPrintNotice_)
            openPrintNotice_();
    }
}

void Exclam::Form_Unload() {
    g_.app.ExclamShown = 0;
}
