#pragma once

#include "ui/Dialogs.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <functional>

class FakeSerialPort;

namespace fuzz {

// Message boxes answered at once with the first button, so nothing waits.
class SilentDialogs : public ui::Dialogs {
  public:
    ui::Answer message(const QString&, const QString&, ui::Icon, ui::Buttons buttons) override {
        return buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok;
    }
    void beep() override {}
};

// Makes the process's working and program directories (once; a temporary
// folder removed at exit) and writes Conf.ini there.
void InstallStation(const QByteArray& confIni);

// The fuzz input split into what the line delivers. Each chunk starts with one
// header byte: its low six bits are the number of bytes that follow and arrive
// at once, its top two bits the number of scheduler ticks after them. A short
// last chunk delivers what is left.
class ChunkedInput {
  public:
    static constexpr int LengthBits = 0x3F;
    static constexpr int TickShift = 6;

    ChunkedInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // Delivers every chunk on the port, ticking after each as its header says.
    void play(FakeSerialPort& port, const std::function<void()>& tick);
    // Takes one byte off the front for the target's own choices (0 when empty).
    std::uint8_t takeByte();

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// Encodes received byte groups in the chunk format, one tick after each group.
QByteArray EncodeChunks(const QList<QByteArray>& groups);

} // namespace fuzz
