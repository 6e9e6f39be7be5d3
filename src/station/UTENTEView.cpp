#include "station/UTENTEView.h"

#include "ui/FormLaunch.h"

UTENTEView::UTENTEView(UTENTE& form, QWidget* parent)
    : StationDataView(
          form.Me, [&form] { return form.Form_QueryUnload(); },
          {{form.Label1, "Label1", form.Text1, "Text1"},
           {form.Label2, "Label2", form.Text2, "Text2"},
           {form.Label3, "Label3", form.Text3, "Text3"}},
          form.Command1, [&form] { form.Command1_Click(); }, parent) {}

void UTENTEView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<UTENTE, UTENTEView>(parent, g, dialogs);
}
