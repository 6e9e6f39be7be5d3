#include "station/DAMB.h"

#include "settings/ConfFile.h"
#include "shared/Globals.h"

DAMB::DAMB(Globals& g, ui::Dialogs&)
    : StationFieldsForm(
          g, {74,
              {75, 76, 77},
              {&StationState::AmbientTemperature, &StationState::AmbientPressure, &StationState::AmbientHumidity},
              &SaveAmbientData}) {}
