#include "smoke/LIMITIView.h"

#include "ui/FieldSheet.h"
#include "ui/FormLaunch.h"

LIMITIView::LIMITIView(LIMITI& form, QWidget* parent)
    : ui::FormDialog(
          form.Me, [&form] { return form.Form_QueryUnload(); }, parent) {
    ui::FieldSheet sheet(this, 110);
    sheet.addTextField(form.Label1, QStringLiteral("Label1"), form.Text1, QStringLiteral("Text1"));
    sheet.addTextField(form.Label2, QStringLiteral("Label2"), form.Text2, QStringLiteral("Text2"));
    sheet.addTextField(form.Label3, QStringLiteral("Label3"), form.Text3, QStringLiteral("Text3"));
    sheet.addTextField(form.Label4, QStringLiteral("Label4"), form.Text4, QStringLiteral("Text4"));
    sheet.finish(form.CmdApl, QStringLiteral("CmdApl"), [&form] { form.CmdApl_Click(); });
}

void LIMITIView::showModal(Globals& g, ui::Dialogs& dialogs, std::function<void()> enableStart, QWidget* parent) {
    ui::showFormModal<LIMITI, LIMITIView>(parent, g, dialogs, std::move(enableStart));
}
