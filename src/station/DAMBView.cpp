#include "station/DAMBView.h"

#include "ui/FormLaunch.h"

DAMBView::DAMBView(DAMB& form, QWidget* parent)
    : StationDataView(
          form.Me, [&form] { return form.Form_QueryUnload(); },
          {{form.Label1, "Label1", form.Text1, "Text1", &form.Label4, "Label4"},
           {form.Label2, "Label2", form.Text2, "Text2", &form.Label5, "Label5"},
           {form.Label3, "Label3", form.Text3, "Text3", &form.Label6, "Label6"}},
          form.Command1, [&form] { form.Command1_Click(); }, parent) {}

void DAMBView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<DAMB, DAMBView>(parent, g, dialogs);
}
