#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

// The gas set-up window's checksum: a CRC-32 over the analyser's parameter 193,
// written the way the analyser's maker prints it.

// The table of the reflected IEEE 802.3 polynomial 0xEDB88320.
std::array<std::uint32_t, 256> InitCrcTable();
// The standard CRC-32 (initial value all ones, final complement) of the
// character codes of the text, kept as a signed 32-bit number.
std::int32_t CRC32_3(const QByteArray& text);

// The parameter as the checksum is taken over: the number at the start of the
// first six characters of the reply's data field (0 when there is none), a
// negative one taken as its 16-bit two's complement, in upper-case
// hexadecimal with at least four digits.
QByteArray ParameterHexText(const QByteArray& dataField);
// A checksum as shown: upper-case hexadecimal without leading zeros.
QString ChecksumText(std::int32_t crc);
