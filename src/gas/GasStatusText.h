#pragma once

#include "ui/Colours.h"

#include <QString>

struct LanguageState;

// What the gas window's instruction line shows for the MCTC-NET analyser's
// error code (the "@RS" reply) while the analyser is in stand-by or zeroing.
namespace gas {

struct InstructionLine {
    QString text;
    ui::Colour backColour = ui::colour::White;
};

// Stand-by: the error in words on red, the channels at fault spelt out for a
// faulty channel; without an error the neutral phase text on white.
InstructionLine StandByInstruction(int errorCode, int faultyChannelMask, const LanguageState& lang);
// Zeroing: only the errors that spoil a zero are told.
InstructionLine ZeroingInstruction(int errorCode, const LanguageState& lang);
// The error codes that mean a reading beyond the analyser's range.
bool IsOutOfRangeError(int errorCode);

} // namespace gas
