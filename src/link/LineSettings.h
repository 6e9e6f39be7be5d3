#pragma once

#include <QString>

#include <optional>

// A settings string such as "9600,n,8,1" taken apart.
struct LineSettings {
    int baud = 9600;
    char parity = 'n'; // n, e, o, m or s
    int dataBits = 8;  // 5..8
    int stopBits = 1;  // 1 or 2
};

// The pieces of "baud,parity,data bits,stop bits"; nullopt when any piece is
// missing or not one the line can use.
std::optional<LineSettings> ParseLineSettings(const QString& settings);

// The settings string of a baud choice as the measuring windows use it:
// 1 "1200,n,8,1", 2 "9600,n,8,1", 3 "19200,n,8,1", 4 "38400,n,8,1". Any other
// choice keeps the port's own default, 9600 baud.
QString BaudSettings(int baudIndex);
// Identification requests use only 1200 (choice 1) or 9600 baud (any other).
QString IdentificationBaudSettings(int baudIndex);
