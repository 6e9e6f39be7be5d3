#include "station/UTENTE.h"

#include "settings/ConfFile.h"
#include "shared/Globals.h"

UTENTE::UTENTE(Globals& g, ui::Dialogs&) : g_(g) {}

void UTENTE::Form_Load() {
    const auto& text = g_.lang.UiText;
    Me.setCaption(text[132]);
    Label1.setCaption(text[133]);
    Label2.setCaption(text[134]);
    Label3.setCaption(text[115]);
    Command1.setCaption(text[71]);

    Text1.setText(g_.station.OperatorName);
    Text2.setText(g_.station.TechnicalManager);
    Text3.setText(g_.station.AgencyName);
}

void UTENTE::Command1_Click() {
    g_.station.OperatorName = Text1.text();
    g_.station.TechnicalManager = Text2.text();
    g_.station.AgencyName = Text3.text();
    SaveOperatorData(g_);
    Me.requestClose();
}

bool UTENTE::Form_QueryUnload() {
    return true;
}
