#include "ui/FieldSheet.h"

#include "ui/BoundWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

FieldSheet::FieldSheet(QWidget* owner, int fieldMinimumWidth) : owner_(owner), grid_(new QGridLayout) {
    grid_->setColumnMinimumWidth(1, fieldMinimumWidth);
}

void FieldSheet::addField(Label& caption, const QString& captionName, QWidget* field) {
    auto* label = boundWidget<QLabel>(caption, captionName, owner_);
    label->setBuddy(field);
    grid_->addWidget(label, rows_, 0);
    grid_->addWidget(field, rows_, 1);
    ++rows_;
}

QLineEdit* FieldSheet::addTextField(Label& caption, const QString& captionName, TextBox& box, const QString& boxName) {
    auto* field = boundWidget<QLineEdit>(box, boxName, owner_);
    addField(caption, captionName, field);
    return field;
}

void FieldSheet::addWide(QWidget* widget) {
    grid_->addWidget(widget, rows_++, 0, 1, 2);
}

void FieldSheet::finish(Button& apply, const QString& applyName, std::function<void()> onApply) {
    auto* button = boundWidget<QPushButton>(apply, applyName, owner_);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, owner_, std::move(onApply));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button);

    auto* layout = new QVBoxLayout(owner_);
    layout->addLayout(grid_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace ui
