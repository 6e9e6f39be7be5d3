#include "station/UTENTE.h"

#include "settings/ConfFile.h"
#include "shared/Globals.h"

UTENTE::UTENTE(Globals& g, ui::Dialogs&)
    : StationFieldsForm(g, {132,
                            {133, 134, 115},
                            {&StationState::OperatorName, &StationState::TechnicalManager, &StationState::AgencyName},
                            &SaveOperatorData}) {}
