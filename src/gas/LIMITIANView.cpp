#include "gas/LIMITIANView.h"

#include "ui/BoundWidget.h"
#include "ui/FieldSheet.h"
#include "ui/FormLaunch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

// A list whose text may also be typed: the entries are fixed, the text is the state.
QComboBox* editableList(ui::TextBox& text, const QStringList& entries, const QString& name, QWidget* parent) {
    auto* widget = new QComboBox(parent);
    widget->setObjectName(name);
    widget->setEditable(true);
    widget->setInsertPolicy(QComboBox::NoInsert);
    widget->addItems(entries);
    ui::bind(text, widget->lineEdit());
    // Picking an entry sets the text without an edit signal.
    QObject::connect(widget, &QComboBox::textActivated, widget, [&text](const QString& entry) { text.setText(entry); });
    return widget;
}

} // namespace

LIMITIANView::LIMITIANView(LIMITIAN& form, QWidget* parent)
    : ui::FormDialog(
          form.Me, [&form] { return form.Form_QueryUnload(); }, parent) {
    setObjectName(QStringLiteral("LIMITIAN"));
    ui::FieldSheet sheet(this, 120);
    sheet.addTextField(form.Label1, QStringLiteral("Label1"), form.Text1, QStringLiteral("Text1"));
    sheet.addTextField(form.Label2, QStringLiteral("Label2"), form.Text2, QStringLiteral("Text2"));
    sheet.addTextField(form.Label3, QStringLiteral("Label3"), form.Text3, QStringLiteral("Text3"));
    sheet.addTextField(form.Label4, QStringLiteral("Label4"), form.Text4, QStringLiteral("Text4"));
    sheet.addTextField(form.Label5, QStringLiteral("Label5"), form.Text5, QStringLiteral("Text5"));
    sheet.addField(form.Label6, QStringLiteral("Label6"),
                   editableList(form.CombCOcorMin, LIMITIAN::IdleCOcorrChoices, QStringLiteral("CombCOcorMin"), this));
    sheet.addField(form.Label7, QStringLiteral("Label7"),
                   editableList(form.CombCOcorMinacc, LIMITIAN::AcceleratedCOcorrChoices,
                                QStringLiteral("CombCOcorMinacc"), this));
    sheet.addTextField(form.Label8, QStringLiteral("Label8"), form.Text8, QStringLiteral("Text8"));

    auto* check = ui::boundWidget<QCheckBox>(form.Check1, QStringLiteral("Check1"), this);
    // The binding has taken the new state before the handler reads it.
    connect(check, &QCheckBox::clicked, this, [&form] { form.Check1_Click(); });
    sheet.addWide(check);
    sheet.finish(form.CmdApl, QStringLiteral("CmdApl"), [&form] { form.CmdApl_Click(); });
}

void LIMITIANView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<LIMITIAN, LIMITIANView>(parent, g, dialogs);
}
