#pragma once

#include "ui/FormDialog.h"

#include <functional>
#include <vector>

class QLineEdit;
class QPushButton;

// The common look of the small station data windows: one row per field with
// its caption, the text box and an optional unit, then the confirm button
// (Command1 in every one of them).
class StationDataView : public ui::FormDialog {
  public:
    // Widgets are named as their controls.
    struct Field {
        ui::Label& caption;
        QString captionName;
        ui::TextBox& box;
        QString boxName;
        ui::Label* unit = nullptr;
        QString unitName = {};
    };

    StationDataView(ui::Window& window, std::function<bool()> onCloseBox, const std::vector<Field>& fields,
                    ui::Button& confirm, std::function<void()> onConfirm, QWidget* parent);
};
