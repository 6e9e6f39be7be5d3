#include "station/DVeicoliView.h"

#include "ui/FormLaunch.h"

DVeicoliView::DVeicoliView(DVeicoli& form, QWidget* parent)
    : StationDataView(
          form.Me, [&form] { return form.Form_QueryUnload(); },
          {{form.Label1, "Label1", form.Text1, "Text1"},
           {form.Label2, "Label2", form.Text2, "Text2"},
           {form.Label3, "Label3", form.Text3, "Text3"},
           {form.Label4, "Label4", form.Text4, "Text4"},
           {form.Label5, "Label5", form.Text5, "Text5"}},
          form.Command1, [&form] { form.Command1_Click(); }, parent),
      form_(form) {}

void DVeicoliView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<DVeicoli, DVeicoliView>(parent, g, dialogs);
}

DVeicoliView* DVeicoliView::showModeless(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    return ui::showFormModeless<DVeicoli, DVeicoliView>(parent, g, dialogs);
}
