#include "settings/Scramble.h"
#include "settings/Win1252.h"

#include <gtest/gtest.h>

namespace {

TEST(ScrambleSetting, MasksEveryCodePageByte) {
    EXPECT_EQ(settings::toWin1252(ScrambleSetting("5Tulo")), QByteArray("\x6F\x0E\x2F\x36\x35"));
    EXPECT_EQ(settings::toWin1252(ScrambleSetting(QStringLiteral(u"à€"))), QByteArray("\xBA\xDA"));
    EXPECT_EQ(ScrambleSetting(QString()), QString());
}

TEST(ScrambleSetting, IsItsOwnInverseAndKeepsTheLength) {
    QString everyByte;
    for (int code = 0; code < 256; ++code)
        everyByte += settings::fromWin1252(QByteArray(1, char(code)));
    const QString texts[] = {"0Tulo", "1E-09", "0,008", QStringLiteral(u"Umidità € Ÿ æ"), everyByte};
    for (const QString& text : texts) {
        const QString hidden = ScrambleSetting(text);
        EXPECT_EQ(hidden.size(), text.size());
        EXPECT_NE(hidden, text);
        EXPECT_EQ(ScrambleSetting(hidden), text);
    }
}

} // namespace
