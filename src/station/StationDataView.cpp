#include "station/StationDataView.h"

#include "ui/BoundWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

StationDataView::StationDataView(ui::Window& window, std::function<bool()> onCloseBox, const std::vector<Field>& fields,
                                 ui::Button& confirm, std::function<void()> onConfirm, QWidget* parent)
    : FormDialog(window, std::move(onCloseBox), parent) {
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(1, 260);
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (const Field& field : fields) {
        auto* caption = ui::boundWidget<QLabel>(field.caption, field.captionName, this);
        auto* box = ui::boundWidget<QLineEdit>(field.box, field.boxName, this);
        caption->setBuddy(box);
        grid->addWidget(caption, row, 0);
        grid->addWidget(box, row, 1);
        if (field.unit)
            grid->addWidget(ui::boundWidget<QLabel>(*field.unit, field.unitName, this), row, 2);
        ++row;
    }

    auto* button = ui::boundWidget<QPushButton>(confirm, "Command1", this);
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, [onConfirm = std::move(onConfirm)] { onConfirm(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
