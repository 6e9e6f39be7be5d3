#pragma once

#include <QByteArray>

#include <optional>

// Reply fields that the gas analyser and the opacimeter share in MCTC-NET.
// nullopt when the reply has no data character to read.

// "ST" / "@ST": the status 0..31 in the low five bits of the first data character.
std::optional<int> MctcStatusByte(const QByteArray& frame, int commandLength, int numberLength);
// "@RS": the error code in the first data character, bit 7 dropped.
std::optional<int> MctcErrorCode(const QByteArray& frame, int commandLength, int numberLength);
