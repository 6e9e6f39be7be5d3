#include "station/StationFieldsForm.h"

#include "shared/Globals.h"

void StationFieldsForm::Form_Load() {
    const auto& text = g_.lang.UiText;
    Me.setCaption(text[fields_.captionText]);
    Command1.setCaption(text[71]);
    for (std::size_t i = 0; i < 3; ++i) {
        labels()[i]->setCaption(text[fields_.labelTexts[i]]);
        boxes()[i]->setText(g_.station.*fields_.values[i]);
    }
}

void StationFieldsForm::Command1_Click() {
    for (std::size_t i = 0; i < 3; ++i)
        g_.station.*fields_.values[i] = boxes()[i]->text();
    fields_.save(g_);
    Me.requestClose();
}
