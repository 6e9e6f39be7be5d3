#include "link/SetupControls.h"

#include "link/ComPortMap.h"
#include "link/ReceiveBuffer.h"

#include <algorithm>

namespace {

constexpr int LowestComPort = 1;

} // namespace

void PreparePortPicker(ui::ScrollBar& scroll, ui::TextBox& number) {
    scroll.setMin(LowestComPort);
    scroll.setMax(HighestComPort);
    number.setLocked(true);
}

int ShowPort(ui::ScrollBar& scroll, ui::TextBox& number, int port) {
    const int shown = std::clamp(port, LowestComPort, HighestComPort);
    scroll.setValue(shown);
    number.setText(QString::number(shown));
    return shown;
}

void ShowPortFocus(ui::TextBox& number, bool scrollHasFocus) {
    number.setBackColor(scrollHasFocus ? ui::colour::LightYellow : ui::colour::SystemWindow);
}

void ShowBaudChoice(const BaudOptions& options, int baudIndex) {
    for (int choice = 1; choice <= static_cast<int>(options.size()); ++choice)
        options[choice - 1]->setValue(choice == baudIndex);
}

void ShowOnOff(ui::CheckBox& box, bool on) {
    box.setValue(on ? ui::CheckState::Checked : ui::CheckState::Unchecked);
    box.setCaption(on ? QStringLiteral("ON") : QStringLiteral("OFF"));
    box.setBackColor(on ? ui::colour::Green : ui::colour::Red);
}

std::optional<QByteArray> TakeCompleteMctcFrame(ReceiveBuffer& buffer, SerialPort& port) {
    if (!buffer.takeInput(port, ReceiveBuffer::FirstByte::Keep) || !buffer.endsWithEtx())
        return std::nullopt;
    QByteArray frame = buffer.bytes();
    buffer.clear();
    return frame;
}
