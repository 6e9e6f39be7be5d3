#include "smoke/LIMITIView.h"

#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LIMITIView::LIMITIView(LIMITI& form, QWidget* parent)
    : ui::FormDialog(
          form.Me, [&form] { return form.Form_QueryUnload(); }, parent) {
    struct Row {
        ui::Label& caption;
        const char* captionName;
        ui::TextBox& box;
        const char* boxName;
    };
    const Row rows[] = {{form.Label1, "Label1", form.Text1, "Text1"},
                        {form.Label2, "Label2", form.Text2, "Text2"},
                        {form.Label3, "Label3", form.Text3, "Text3"},
                        {form.Label4, "Label4", form.Text4, "Text4"}};
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(1, 110);
    int line = 0;
    for (const Row& row : rows) {
        auto* caption = ui::boundWidget<QLabel>(row.caption, row.captionName, this);
        auto* box = ui::boundWidget<QLineEdit>(row.box, row.boxName, this);
        caption->setBuddy(box);
        grid->addWidget(caption, line, 0);
        grid->addWidget(box, line, 1);
        ++line;
    }

    auto* apply = ui::boundWidget<QPushButton>(form.CmdApl, "CmdApl", this);
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

void LIMITIView::showModal(Globals& g, ui::Dialogs& dialogs, std::function<void()> enableStart, QWidget* parent) {
    ui::showFormModal<LIMITI, LIMITIView>(parent, g, dialogs, std::move(enableStart));
}
