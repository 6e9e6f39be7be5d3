#pragma once

#include "ui/Controls.h"

#include <QString>

#include <functional>

class QGridLayout;
class QLineEdit;
class QWidget;

namespace ui {

// The layout of the small settings windows: captioned fields under each other
// (each caption the buddy of its field) above a right-aligned default button.
class FieldSheet {
  public:
    FieldSheet(QWidget* owner, int fieldMinimumWidth);

    void addField(Label& caption, const QString& captionName, QWidget* field);
    QLineEdit* addTextField(Label& caption, const QString& captionName, TextBox& box, const QString& boxName);
    // A widget across both columns, such as a check box.
    void addWide(QWidget* widget);
    // Lays the fields out in the owner above the button, which runs onApply;
    // the window keeps the size its contents want.
    void finish(Button& apply, const QString& applyName, std::function<void()> onApply);

  private:
    QWidget* owner_;
    QGridLayout* grid_;
    int rows_ = 0;
};

} // namespace ui
