#include "link/SetupChecksum.h"

#include "link/ReplyText.h"
#include "settings/NumberText.h"

namespace {

constexpr std::uint32_t ReflectedPolynomial = 0xEDB88320u;
constexpr int ParameterWidth = 6;
constexpr double SixteenBits = 65536.0;

} // namespace

std::array<std::uint32_t, 256> InitCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < table.size(); ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1u) ? ReflectedPolynomial ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

std::int32_t CRC32_3(const QByteArray& text) {
    const std::array<std::uint32_t, 256> table = InitCrcTable();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : text)
        crc = table[(crc ^ static_cast<std::uint8_t>(c)) & 0xFFu] ^ (crc >> 8);
    return static_cast<std::int32_t>(~crc);
}

QByteArray ParameterHexText(const QByteArray& dataField) {
    double value = LeadingNumber(dataField.left(ParameterWidth));
    if (value < 0)
        value += SixteenBits;
    // Six characters hold at most 999999, so the number always fits; a value
    // still negative (below -65536) shows as its 32-bit two's complement.
    const auto whole = static_cast<std::uint32_t>(settings::roundHalfEven(value));
    return QByteArray::number(whole, 16).toUpper().rightJustified(4, '0');
}

QString ChecksumText(std::int32_t crc) {
    return QString::number(static_cast<std::uint32_t>(crc), 16).toUpper();
}
