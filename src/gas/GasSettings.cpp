#include "gas/GasSettings.h"

#include "settings/ConfFile.h"
#include "settings/NumberText.h"
#include "settings/RCLIni.h"
#include "shared/Globals.h"

#include <cstdint>
#include <limits>

namespace gas {

namespace {

QString readText(const QString& section, const QString& key) {
    RCLIni ini;
    ini.File = SettingsPath();
    ini.Section = section;
    ini.key = key;
    return ini.GetValue() ? ini.Value : QString();
}

// Integer keys hold 16-bit numbers, as everywhere in Conf.ini.
void readInteger(const QString& section, const QString& key, int& target) {
    constexpr long long Min = std::numeric_limits<std::int16_t>::min();
    constexpr long long Max = std::numeric_limits<std::int16_t>::max();
    if (const auto value = settings::parseInteger(readText(section, key), Min, Max))
        target = static_cast<int>(*value);
}

} // namespace

void LoadGasAnalyserSettings(Globals& g) {
    SettingsState& s = g.settings;
    readInteger(QStringLiteral("MODKAPRO"), QStringLiteral("Modello"), s.GasModel);
    readInteger(QStringLiteral("COMKAPRO"), QStringLiteral("TModCom"), s.GasLinkMode);
    readInteger(QStringLiteral("COMKAPRO"), QStringLiteral("TCOM"), s.GasPort);
    readInteger(QStringLiteral("COMKAPRO"), QStringLiteral("TBRate"), s.GasBaudIndex);
}

AnalyserLabels ReadAnalyserLabels() {
    return {readText(QStringLiteral("COMKAPRO"), QStringLiteral("Modello")),
            readText(QStringLiteral("COMKAPRO"), QStringLiteral("Nserie"))};
}

} // namespace gas
