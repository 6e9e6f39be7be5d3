#include "link/SetupChecksum.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

quint32 zlibCrc(const QByteArray& text) {
    return static_cast<quint32>(
        crc32(0L, reinterpret_cast<const Bytef*>(text.constData()), static_cast<uInt>(text.size())));
}

} // namespace

TEST(SetupChecksum, Crc32AgreesWithZlib) {
    QByteArray everyByte;
    for (int c = 0; c < 256; ++c)
        everyByte.append(static_cast<char>(c));
    for (const QByteArray& text : {QByteArray(), QByteArray("0000"), QByteArray("FFFF"), QByteArray("123456789"),
                                   QByteArray("CFC7"), everyByte}) {
        EXPECT_EQ(static_cast<quint32>(CRC32_3(text)), zlibCrc(text)) << text.toHex().constData();
    }
    EXPECT_EQ(static_cast<quint32>(CRC32_3("123456789")), 0xCBF43926u);
}

TEST(SetupChecksum, ParameterIsWrittenAsSixteenBitHexadecimal) {
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"0", "0000"},
        {"-1", "FFFF"},
        {"-12345", "CFC7"},
        {"255", "00FF"},
        {"65535", "FFFF"},
        {"999999", "F423F"},
        {"", "0000"},
        {"abc", "0000"},
        {" 42", "002A"},
        {"1234567", "1E240"}, // only the first six characters count
        {"12\x17"
         "193",
         "000C"},
        {"-99999", "FFFF7961"}, // below -65536: the 32-bit two's complement
    };
    for (const auto& [field, hex] : cases)
        EXPECT_EQ(ParameterHexText(field), hex) << field.constData();
}

TEST(SetupChecksum, ShownWithoutLeadingZeros) {
    EXPECT_EQ(ChecksumText(0x0000ABCD), "ABCD");
    EXPECT_EQ(ChecksumText(0), "0");
    EXPECT_EQ(ChecksumText(-1), "FFFFFFFF");
    EXPECT_EQ(ChecksumText(static_cast<std::int32_t>(0x80000000u)), "80000000");
}
