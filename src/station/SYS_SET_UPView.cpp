#include "station/SYS_SET_UPView.h"

#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SYS_SET_UPView::SYS_SET_UPView(SYS_SET_UP& form, QWidget* parent)
    : FormDialog(
          form.Me, [&form] { return form.Form_QueryUnload(); }, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ui::boundWidget<QCheckBox>(form.CkAbilOpa, "CkAbilOpa", this));
    layout->addWidget(ui::boundWidget<QCheckBox>(form.CkAbilKapro, "CkAbilKapro", this));
    layout->addWidget(ui::boundWidget<QCheckBox>(form.CkAbilTt, "CkAbilTt", this));

    auto* coefficients = new QGridLayout;
    coefficients->setColumnMinimumWidth(1, 160);
    auto* quad = ui::boundWidget<QLineEdit>(form.TKquad, "TKquad", this);
    auto* lin = ui::boundWidget<QLineEdit>(form.TKlin, "TKlin", this);
    auto* quadLabel = ui::boundWidget<QLabel>(form.Label1, "Label1", this);
    auto* linLabel = ui::boundWidget<QLabel>(form.Label2, "Label2", this);
    quadLabel->setBuddy(quad);
    linLabel->setBuddy(lin);
    coefficients->addWidget(quadLabel, 0, 0);
    coefficients->addWidget(quad, 0, 1);
    coefficients->addWidget(linLabel, 1, 0);
    coefficients->addWidget(lin, 1, 1);
    layout->addSpacing(8);
    layout->addLayout(coefficients);

    auto* verification = new QGridLayout;
    verification->setColumnMinimumWidth(1, 80);
    auto* months = ui::boundWidget<QLineEdit>(form.TMesi, "TMesi", this);
    auto* days = ui::boundWidget<QLineEdit>(form.TGiorni, "TGiorni", this);
    auto* monthsLabel = ui::boundWidget<QLabel>(form.Label3, "Label3", this);
    auto* daysLabel = ui::boundWidget<QLabel>(form.Label4, "Label4", this);
    monthsLabel->setBuddy(months);
    daysLabel->setBuddy(days);
    verification->addWidget(monthsLabel, 0, 0);
    verification->addWidget(months, 0, 1);
    verification->addWidget(daysLabel, 1, 0);
    verification->addWidget(days, 1, 1);
    layout->addSpacing(8);
    layout->addLayout(verification);
    layout->addWidget(ui::boundWidget<QCheckBox>(form.CkScaduti, "CkScaduti", this));

    auto* save = ui::boundWidget<QPushButton>(form.CSalva, "CSalva", this);
    auto* cancel = ui::boundWidget<QPushButton>(form.CAnnulla, "CAnnulla", this);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, [&form] { form.CSalva_Click(); });
    connect(cancel, &QPushButton::clicked, this, [&form] { form.CAnnulla_Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SYS_SET_UPView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<SYS_SET_UP, SYS_SET_UPView>(parent, g, dialogs);
}
