#include "station/DVeicoli.h"

#include "settings/ConfFile.h"
#include "shared/Globals.h"

DVeicoli::DVeicoli(Globals& g, ui::Dialogs&) : g_(g) {}

void DVeicoli::Form_Load() {
    // Another window may have changed the file since start-up.
    LoadVehicleData(g_);
    const auto& text = g_.lang.UiText;
    Me.setCaption(text[78]);
    Label1.setCaption(text[79]);
    Label2.setCaption(text[80]);
    Label3.setCaption(text[81]);
    Label4.setCaption(text[82]);
    Label5.setCaption(text[166]);
    Command1.setCaption(text[71]);

    const StationState& station = g_.station;
    Text1.setText(station.VehicleMakeType);
    Text2.setText(station.VehiclePlate);
    Text3.setText(station.VehicleChassis);
    Text4.setText(station.VehicleYear);
    Text5.setText(station.VehicleModel);
}

void DVeicoli::Command1_Click() {
    KeepVehicleData();
    Me.requestClose();
}

bool DVeicoli::Form_QueryUnload() {
    KeepVehicleData();
    return true;
}

void DVeicoli::KeepVehicleData() {
    StationState& station = g_.station;
    station.VehicleMakeType = Text1.text();
    station.VehiclePlate = Text2.text();
    station.VehicleChassis = Text3.text();
    station.VehicleYear = Text4.text();
    station.VehicleModel = Text5.text();
    SaveVehicleData(g_);
}
