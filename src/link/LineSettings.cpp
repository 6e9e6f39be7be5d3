#include "link/LineSettings.h"

#include <QStringList>

#include <array>

namespace {

constexpr std::array<int, 12> SupportedBauds = {110,  300,   600,   1200,  2400,  4800,
                                                9600, 14400, 19200, 38400, 57600, 115200};

bool isSupportedBaud(int baud) {
    for (int supported : SupportedBauds)
        if (baud == supported)
            return true;
    return false;
}

} // namespace

std::optional<LineSettings> ParseLineSettings(const QString& settings) {
    const QStringList parts = settings.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    LineSettings result;
    bool ok = false;
    result.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || !isSupportedBaud(result.baud))
        return std::nullopt;
    const QString parity = parts[1].trimmed().toLower();
    if (parity.size() != 1 || !QStringLiteral("neoms").contains(parity))
        return std::nullopt;
    result.parity = parity.at(0).toLatin1();
    result.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || result.dataBits < 5 || result.dataBits > 8)
        return std::nullopt;
    result.stopBits = parts[3].trimmed().toInt(&ok);
    if (!ok || (result.stopBits != 1 && result.stopBits != 2))
        return std::nullopt;
    return result;
}

QString BaudSettings(int baudIndex) {
    switch (baudIndex) {
    case 1: return QStringLiteral("1200,n,8,1");
    case 3: return QStringLiteral("19200,n,8,1");
    case 4: return QStringLiteral("38400,n,8,1");
    default: return QStringLiteral("9600,n,8,1");
    }
}

QString IdentificationBaudSettings(int baudIndex) {
    return baudIndex == 1 ? QStringLiteral("1200,n,8,1") : QStringLiteral("9600,n,8,1");
}
