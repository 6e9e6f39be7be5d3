#pragma once

#include "ui/Controls.h"

#include <QByteArray>

#include <array>
#include <optional>

class ReceiveBuffer;
class SerialPort;

// Pieces the instrument set-up windows have in common.

// The COM port picker: a scroll bar over the ports 1..16 and the number shown
// beside it, which cannot be typed into.
void PreparePortPicker(ui::ScrollBar& scroll, ui::TextBox& number);
// Shows a stored port; 0 (never set) and anything outside 1..16 show as the
// nearest port. Returns the port shown.
int ShowPort(ui::ScrollBar& scroll, ui::TextBox& number, int port);
// The number is light yellow while the scroll bar has the focus.
void ShowPortFocus(ui::TextBox& number, bool scrollHasFocus);

// The four baud choices 1200, 9600, 19200 and 38400 (choice 1..4): only the
// stored one is selected; none for a choice outside 1..4.
using BaudOptions = std::array<ui::OptionButton*, 4>;
void ShowBaudChoice(const BaudOptions& options, int baudIndex);

// An ON/OFF check box: "ON" on green when on, "OFF" on red when off.
void ShowOnOff(ui::CheckBox& box, bool on);

// The receive discipline of the set-up and recognition windows: appends what
// arrived and, once it ends with ETX, hands back the whole frame and empties
// the buffer. A stray first byte is kept and spoils the frame it precedes.
std::optional<QByteArray> TakeCompleteMctcFrame(ReceiveBuffer& buffer, SerialPort& port);
