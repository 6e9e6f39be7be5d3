#include "station/DAMB.h"

#include "settings/ConfFile.h"
#include "shared/Globals.h"

DAMB::DAMB(Globals& g, ui::Dialogs&) : g_(g) {}

void DAMB::Form_Load() {
    const auto& text = g_.lang.UiText;
    Me.setCaption(text[74]);
    Label1.setCaption(text[75]);
    Label2.setCaption(text[76]);
    Label3.setCaption(text[77]);
    Command1.setCaption(text[71]);

    Text1.setText(g_.station.AmbientTemperature);
    Text2.setText(g_.station.AmbientPressure);
    Text3.setText(g_.station.AmbientHumidity);
}

void DAMB::Command1_Click() {
    g_.station.AmbientTemperature = Text1.text();
    g_.station.AmbientPressure = Text2.text();
    g_.station.AmbientHumidity = Text3.text();
    SaveAmbientData(g_);
    Me.requestClose();
}

bool DAMB::Form_QueryUnload() {
    return true;
}
