#pragma once

#include "ui/Controls.h"

#include <QString>

#include <functional>
#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QWidget;

namespace ui {

// The widgets the measuring windows are built of, each named as its control
// and bound to the control's state.

QLabel* boundLabel(Label& state, const QString& name, QWidget* parent);

// A reading or a result: sunken panel, figures on the right, at least
// minimumWidth wide. A pointSize of 0 keeps the window's font.
QLabel* readingPanel(Label& state, const QString& name, QWidget* parent, int pointSize, int minimumWidth,
                     int margin = 0);

// A message across the window (state, instruction, result): bold, centred,
// wrapped, in a sunken panel tall enough for `lines` lines and `padding` pixels.
QLabel* messagePanel(Label& state, const QString& name, QWidget* parent, int pointSize, int lines, int padding,
                     int margin = 0);

// One command of a window's button row: its control, its name, its handler.
struct CommandButton {
    Button& state;
    const char* name;
    std::function<void()> onClick;
};

// A measuring window's row of commands, left to right, with its exit button
// apart at the far right.
QHBoxLayout* commandRow(QWidget* parent, std::initializer_list<CommandButton> commands, const CommandButton& exit);

} // namespace ui
