#include "settings/Scramble.h"

#include "settings/Win1252.h"

QString ScrambleSetting(const QString& text) {
    QByteArray bytes = settings::toWin1252(text);
    for (char& byte : bytes)
        byte = static_cast<char>(static_cast<unsigned char>(byte) ^ 0x5A);
    return settings::fromWin1252(bytes);
}
