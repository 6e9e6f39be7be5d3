#include "gas/LIMITIANView.h"

#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(1, 120);
    int line = 0;
    const auto addRow = [this, grid, &line](ui::Label& caption, const char* captionName, QWidget* field) {
        auto* label = ui::boundWidget<QLabel>(caption, QString::fromLatin1(captionName), this);
        label->setBuddy(field);
        grid->addWidget(label, line, 0);
        grid->addWidget(field, line, 1);
        ++line;
    };
    struct BoxRow {
        ui::Label& caption;
        const char* captionName;
        ui::TextBox& box;
        const char* boxName;
    };
    const BoxRow boxes[] = {{form.Label1, "Label1", form.Text1, "Text1"},
                            {form.Label2, "Label2", form.Text2, "Text2"},
                            {form.Label3, "Label3", form.Text3, "Text3"},
                            {form.Label4, "Label4", form.Text4, "Text4"},
                            {form.Label5, "Label5", form.Text5, "Text5"}};
    for (const BoxRow& row : boxes)
        addRow(row.caption, row.captionName,
               ui::boundWidget<QLineEdit>(row.box, QString::fromLatin1(row.boxName), this));
    addRow(form.Label6, "Label6",
           editableList(form.CombCOcorMin, LIMITIAN::IdleCOcorrChoices, QStringLiteral("CombCOcorMin"), this));
    addRow(form.Label7, "Label7",
           editableList(form.CombCOcorMinacc, LIMITIAN::AcceleratedCOcorrChoices, QStringLiteral("CombCOcorMinacc"),
                        this));
    addRow(form.Label8, "Label8", ui::boundWidget<QLineEdit>(form.Text8, QStringLiteral("Text8"), this));

    auto* check = ui::boundWidget<QCheckBox>(form.Check1, QStringLiteral("Check1"), this);
    // The binding has taken the new state before the handler reads it.
    connect(check, &QCheckBox::clicked, this, [&form] { form.Check1_Click(); });
    grid->addWidget(check, line, 0, 1, 2);

    auto* apply = ui::boundWidget<QPushButton>(form.CmdApl, QStringLiteral("CmdApl"), this);
    apply->setDefault(true);
    connect(apply, &QPushButton::clicked, this, [&form] { form.CmdApl_Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void LIMITIANView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<LIMITIAN, LIMITIANView>(parent, g, dialogs);
}
