#pragma once

// The control characters that frame both kinds of instrument frames.
namespace FrameByte {
constexpr char Stx = 2;
constexpr char Etx = 3;
constexpr char Ack = 6;
constexpr char Etb = 23; // field separator of MCTC-NET frames
} // namespace FrameByte
