#pragma once

#include "ui/Controls.h"

#include <QString>

#include <functional>
#include <initializer_list>

class ComDeviceChooser;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QPushButton;
class QRadioButton;
class QWidget;

// Widgets the set-up and recognition views build the same way. Each is named
// as its control and bound to its state; the handler is the form's.
namespace setupview {

using Handler = std::function<void()>;

QPushButton* button(ui::Button& state, const QString& name, QWidget* parent, Handler clicked);
QCheckBox* checkBox(ui::CheckBox& state, const QString& name, QWidget* parent, Handler clicked);

// A framed group of option buttons side by side.
struct Option {
    ui::OptionButton& state;
    QString name;
    Handler clicked;
};
QGroupBox* optionFrame(ui::Frame& frame, const QString& name, QWidget* parent, std::initializer_list<Option> options);

// The COM port picker: "COM", the port number and a small vertical scroll bar.
// The number passes the focus on to the scroll bar, which tells the form when
// it gains or loses the focus.
struct PortPicker {
    ui::Label& label;
    ui::TextBox& number;
    ui::ScrollBar& scroll;
    QString labelName;
    QString numberName;
    Handler changed;
    Handler gotFocus;
    Handler lostFocus;
};
QHBoxLayout* portPicker(const PortPicker& picker, QWidget* parent);

// The device behind the COM number: the list of devices present, refresh, a
// path field with its button, and what the number stands for now.
QGroupBox* deviceChooser(ComDeviceChooser& chooser, QWidget* parent);

// Labelled text boxes, one pair a row, added to a grid from its first free row.
struct LabelledBox {
    ui::Label& label;
    ui::TextBox& box;
    QString labelName;
    QString boxName;
};
void addLabelledBoxes(QGridLayout* grid, QWidget* parent, std::initializer_list<LabelledBox> rows);

} // namespace setupview
