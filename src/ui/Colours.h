#pragma once

#include <cstdint>

namespace ui {

// Colours are kept as the station's historical integers, blue-green-red order,
// so forms and tests compare plain numbers; only views turn them into QColor.
using Colour = std::uint32_t;

namespace colour {
constexpr Colour Red = 255;
constexpr Colour Green = 65280;
constexpr Colour Yellow = 0x00FFFF;
constexpr Colour White = 0xFFFFFF;
constexpr Colour Black = 0x000000;
constexpr Colour LightYellow = 0x80FFFF;
constexpr Colour Orange = 33023;
constexpr Colour Pink = 0xFF80FF;
constexpr Colour LightBlue = 0xFF8080;
constexpr Colour Cyan = 0xFFFF00;
constexpr Colour LightGrey = 0xD3D3D3;
// The platform's own face colour for a control: views leave the widget's palette alone.
constexpr Colour SystemFace = 0x8000000F;
constexpr Colour SystemText = 0x80000012;
// The platform's colour for the inside of a text box.
constexpr Colour SystemWindow = 0x80000005;
} // namespace colour

} // namespace ui
