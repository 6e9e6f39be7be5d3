#include "settings/ConfFile.h"

#include "settings/NumberText.h"
#include "settings/RCLIni.h"
#include "settings/Scramble.h"
#include "shared/Globals.h"
#include "ui/Paths.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

// Every integer key of Conf.ini holds a 16-bit number, whatever the width of the
// global it fills; anything wider is as wrong as a word.
constexpr long long IntegerKeyMin = std::numeric_limits<std::int16_t>::min();
constexpr long long IntegerKeyMax = std::numeric_limits<std::int16_t>::max();

constexpr double DefaultQuadCoeff = 1e-09;
constexpr double DefaultLinCoeff = 0.008;

// Reads keys in order with one RCLIni. Since a failed read leaves Value alone, a
// missing text key receives the text of the key read before it, unless the
// routine asked for Value to be cleared before each read.
class ConfReader {
  public:
    enum class Missing { KeepsPreviousText, IsEmpty };

    explicit ConfReader(Missing missing = Missing::KeepsPreviousText) : missing_(missing) {
        ini_.File = SettingsPath();
    }

    void section(const QString& name) { ini_.Section = name; }

    // Texts never fail: a missing one takes whatever Value holds.
    bool text(const QString& key, QString& target) {
        read(key);
        target = ini_.Value;
        return true;
    }

    // The numeric readers return false, leaving the target alone, when the key is
    // absent or its text is not a number that fits the target.
    template <typename Integer> bool integer(const QString& key, Integer& target) {
        static_assert(std::numeric_limits<Integer>::min() <= IntegerKeyMin &&
                      std::numeric_limits<Integer>::max() >= IntegerKeyMax);
        const auto value = read(key) ? settings::parseInteger(ini_.Value, IntegerKeyMin, IntegerKeyMax) : std::nullopt;
        if (!value)
            return false;
        target = static_cast<Integer>(*value);
        return true;
    }

    bool single(const QString& key, float& target) {
        const auto value = number(key);
        if (!value || std::fabs(*value) > double(std::numeric_limits<float>::max()))
            return false;
        target = static_cast<float>(*value);
        return true;
    }

    bool decimal(const QString& key, double& target) {
        const auto value = number(key);
        if (!value)
            return false;
        target = *value;
        return true;
    }

    // The unscrambled text of a protected key; empty when absent.
    QString scrambled(const QString& key) {
        read(key);
        return ScrambleSetting(ini_.Value);
    }

  private:
    bool read(const QString& key) {
        ini_.key = key;
        if (missing_ == Missing::IsEmpty)
            ini_.Value.clear();
        return ini_.GetValue();
    }

    std::optional<double> number(const QString& key) {
        return read(key) ? settings::parseNumber(ini_.Value) : std::nullopt;
    }

    RCLIni ini_;
    Missing missing_;
};

// Writes keys in order with one RCLIni. A failed write does not stop the others;
// written() tells whether all of them reached the file.
class ConfWriter {
  public:
    explicit ConfWriter(const QString& section) {
        ini_.File = SettingsPath();
        ini_.Section = section;
    }

    ConfWriter& text(const QString& key, const QString& value) {
        ini_.key = key;
        ini_.Value = value;
        allWritten_ = ini_.SetValue() && allWritten_;
        return *this;
    }
    ConfWriter& integer(const QString& key, long long value) { return text(key, settings::formatInteger(value)); }
    // Stored as the nearest whole number, though read back as a decimal.
    ConfWriter& rounded(const QString& key, double value) { return integer(key, settings::roundHalfEven(value)); }
    ConfWriter& single(const QString& key, double value) { return text(key, settings::formatSingle(value)); }
    ConfWriter& scrambled(const QString& key, const QString& plain) { return text(key, ScrambleSetting(plain)); }

    bool written() const { return allWritten_; }

  private:
    RCLIni ini_;
    bool allWritten_ = true;
};

// The option bits are stored as one digit and a fixed suffix, "5Tulo"; only the
// digit counts. Nothing stored means no options.
bool readOptionBits(ConfReader& reader, std::uint8_t& bits) {
    const QString plain = reader.scrambled(QStringLiteral("AbiM"));
    if (plain.isEmpty()) {
        bits = 0;
        return true;
    }
    const char16_t first = plain.front().unicode();
    if (first < u'0' || first > u'9')
        return false;
    bits = static_cast<std::uint8_t>(first - u'0');
    return true;
}

bool readCoefficient(ConfReader& reader, const QString& key, double fallback, double& target) {
    const QString plain = reader.scrambled(key);
    if (plain.isEmpty()) {
        target = fallback;
        return true;
    }
    // A corrupt coefficient must not leave the extended HC range computing with 0.
    const auto value = settings::parseNumber(plain);
    target = value.value_or(fallback);
    return value.has_value();
}

// COMOPA and COMKAPRO hold the same five keys that start-up needs.
bool readPortSection(ConfReader& reader, const QString& section, int& mode, int& port, int& baud, QString& make,
                     QString& approval) {
    reader.section(section);
    return reader.integer("TModCom", mode) && reader.integer("TCOM", port) && reader.integer("TBRate", baud) &&
           reader.text("Marca", make) && reader.text("NOmologa", approval);
}

} // namespace

QString SettingsPath() {
    return ui::Paths::inWorkingDirectory(QStringLiteral("Conf.ini"));
}

bool LoadLanguageChoice(Globals& g) {
    ConfReader reader;
    reader.section("LINGUA");
    return reader.integer("TLingua", g.settings.LanguageCode);
}

bool SaveLanguageChoice(const Globals& g) {
    return ConfWriter("LINGUA").integer("TLingua", g.settings.LanguageCode).written();
}

bool LoadSystemOptions(Globals& g) {
    SettingsState& s = g.settings;
    ConfReader reader(ConfReader::Missing::IsEmpty);
    reader.section("IMPOSTAZIONI");
    // Each protected option stands on its own: a corrupt one takes its default
    // and is reported, without keeping the others from loading.
    const bool bitsRead = readOptionBits(reader, s.SystemOptions);
    const bool quadRead = readCoefficient(reader, "Kquad", DefaultQuadCoeff, s.HcRangeQuadCoeff);
    const bool linRead = readCoefficient(reader, "Klin", DefaultLinCoeff, s.HcRangeLinCoeff);
    return bitsRead && quadRead && linRead;
}

bool SaveSystemOptions(std::uint8_t bits, double quad, double lin) {
    return ConfWriter("IMPOSTAZIONI")
        .scrambled("AbiM", settings::formatInteger(bits) + QStringLiteral("Tulo"))
        .scrambled("Kquad", settings::formatDouble(quad))
        .scrambled("Klin", settings::formatDouble(lin))
        .written();
}

void LoadVerificationSettings(Globals& g) {
    SettingsState& s = g.settings;
    ConfReader reader(ConfReader::Missing::IsEmpty);
    reader.section("IMPOSTAZIONI");
    const auto whole = [&reader](const QString& key, int fallback, int highest) {
        const auto value = settings::parseInteger(reader.scrambled(key), 0, highest);
        return value ? static_cast<int>(*value) : fallback;
    };
    s.VerificationValidityMonths = whole(QStringLiteral("MesiVerifica"), 12, 120);
    s.VerificationWarningDays = whole(QStringLiteral("GiorniAvviso"), 30, 365);
    s.ExpiredInstrumentAllowed = whole(QStringLiteral("ConsentiScaduti"), 0, 1) == 1;
}

bool SaveVerificationSettings(const Globals& g) {
    const SettingsState& s = g.settings;
    return ConfWriter("IMPOSTAZIONI")
        .scrambled("MesiVerifica", settings::formatInteger(s.VerificationValidityMonths))
        .scrambled("GiorniAvviso", settings::formatInteger(s.VerificationWarningDays))
        .scrambled("ConsentiScaduti", settings::formatInteger(s.ExpiredInstrumentAllowed ? 1 : 0))
        .written();
}

namespace {
const QString ArchiveSection = QStringLiteral("ARCHIVIO");
const QString ServerKind = QStringLiteral("PostgreSQL");
} // namespace

void LoadArchiveSettings(Globals& g) {
    ArchiveSettings& a = g.settings.Archive;
    ConfReader reader(ConfReader::Missing::IsEmpty);
    reader.section(ArchiveSection);
    QString kind;
    reader.text(QStringLiteral("Tipo"), kind);
    a.kind = kind.trimmed().compare(ServerKind, Qt::CaseInsensitive) == 0 ? ArchiveSettings::Kind::PostgreSQL
                                                                           : ArchiveSettings::Kind::SQLite;
    reader.text(QStringLiteral("Host"), a.host);
    QString port;
    reader.text(QStringLiteral("Porta"), port);
    a.port = static_cast<int>(settings::parseInteger(port, 1, 65535).value_or(ArchiveSettings::DefaultPort));
    reader.text(QStringLiteral("Database"), a.database);
    reader.text(QStringLiteral("Utente"), a.user);
    reader.text(QStringLiteral("Corsia"), a.lane);
    reader.text(QStringLiteral("FilePassword"), a.passwordFile);
    for (QString* text : {&a.host, &a.database, &a.user, &a.lane, &a.passwordFile})
        *text = text->trimmed();
}

bool SaveArchiveSettings(const Globals& g) {
    const ArchiveSettings& a = g.settings.Archive;
    return ConfWriter(ArchiveSection)
        .text(QStringLiteral("Tipo"), a.usesServer() ? ServerKind : QStringLiteral("SQLite"))
        .text(QStringLiteral("Host"), a.host)
        .integer(QStringLiteral("Porta"), a.port)
        .text(QStringLiteral("Database"), a.database)
        .text(QStringLiteral("Utente"), a.user)
        .text(QStringLiteral("Corsia"), a.lane)
        .text(QStringLiteral("FilePassword"), a.passwordFile)
        .written();
}

bool LoadInstrumentPorts(Globals& g) {
    SettingsState& s = g.settings;
    ConfReader reader;
    return readPortSection(reader, "COMOPA", s.OpacimeterLinkMode, s.SmokePort, s.SmokeBaudIndex, s.OpacimeterMake,
                           s.OpacimeterApproval) &&
           readPortSection(reader, "COMKAPRO", s.GasLinkMode, s.GasPort, s.GasBaudIndex, s.GasMake, s.GasApproval);
}

bool LoadInstrumentModels(Globals& g) {
    ConfReader reader;
    reader.section("MODOPA");
    if (!reader.integer("Modello", g.settings.SmokeModel))
        return false;
    reader.section("MODKAPRO");
    return reader.integer("Modello", g.settings.GasModel);
}

bool LoadOperatorData(Globals& g) {
    StationState& st = g.station;
    ConfReader reader;
    reader.section("UTENTE");
    return reader.text("Operatore", st.OperatorName) && reader.text("ResponsabileTecn", st.TechnicalManager) &&
           reader.text("Ente", st.AgencyName);
}

bool SaveOperatorData(const Globals& g) {
    const StationState& st = g.station;
    return ConfWriter("UTENTE")
        .text("Operatore", st.OperatorName)
        .text("ResponsabileTecn", st.TechnicalManager)
        .text("Ente", st.AgencyName)
        .written();
}

bool LoadAmbientData(Globals& g) {
    StationState& st = g.station;
    ConfReader reader;
    reader.section("AMBIENTE");
    return reader.text("Temperatura", st.AmbientTemperature) && reader.text("Pressione", st.AmbientPressure) &&
           reader.text(QStringLiteral(u"UmiditàRelativa"), st.AmbientHumidity);
}

bool SaveAmbientData(const Globals& g) {
    const StationState& st = g.station;
    return ConfWriter("AMBIENTE")
        .text("Temperatura", st.AmbientTemperature)
        .text("Pressione", st.AmbientPressure)
        .text(QStringLiteral(u"UmiditàRelativa"), st.AmbientHumidity)
        .written();
}

bool LoadVehicleData(Globals& g) {
    StationState& st = g.station;
    ConfReader reader(ConfReader::Missing::IsEmpty);
    reader.section("VEICOLO");
    return reader.text("FeT", st.VehicleMakeType) && reader.text("Targa", st.VehiclePlate) &&
           reader.text("Telaio", st.VehicleChassis) && reader.text("Anno", st.VehicleYear) &&
           reader.text("Mod", st.VehicleModel);
}

bool SaveVehicleData(const Globals& g) {
    const StationState& st = g.station;
    return ConfWriter("VEICOLO")
        .text("FeT", st.VehicleMakeType)
        .text("Targa", st.VehiclePlate)
        .text("Telaio", st.VehicleChassis)
        .text("Anno", st.VehicleYear)
        .text("Mod", st.VehicleModel)
        .written();
}

bool LoadRevCounterSettings(Globals& g) {
    SettingsState& s = g.settings;
    ConfReader reader;
    reader.section("RPM");
    return reader.text("Marca", s.RpmMake) && reader.text("NOmol", s.RpmApproval) &&
           reader.text("Nserie", s.RpmSerial) && reader.text("Scadenza", s.RpmExpiry) &&
           reader.integer("TCOMrpm", s.RpmPort) && reader.integer("TBRaterpm", s.RpmBaudIndex) &&
           reader.integer("NCilindriRPM", s.CylinderCount) && reader.integer("NTempiRPM", s.StrokeCount) &&
           reader.integer("ExternRPM", s.ExternalRpm) && reader.integer("ExternToil", s.ExternalOilTemp) &&
           reader.integer("SelrpmT", s.RpmCommandChoice);
}

bool SaveRevCounterSettings(const Globals& g) {
    const SettingsState& s = g.settings;
    return ConfWriter("RPM")
        .text("Marca", s.RpmMake)
        .text("NOmol", s.RpmApproval)
        .text("Nserie", s.RpmSerial)
        .text("Scadenza", s.RpmExpiry)
        .integer("TCOMrpm", s.RpmPort)
        .integer("TBRaterpm", s.RpmBaudIndex)
        .integer("NCilindriRPM", s.CylinderCount)
        .integer("NTempiRPM", s.StrokeCount)
        .integer("ExternRPM", s.ExternalRpm)
        .integer("ExternToil", s.ExternalOilTemp)
        .integer("SelrpmT", s.RpmCommandChoice)
        .written();
}

bool LoadOpacityLimits(Globals& g) {
    SettingsState& s = g.settings;
    ConfReader reader;
    reader.section("LO");
    return reader.single("RN", s.LimitRpmMin) && reader.single("MX", s.LimitRpmMax) &&
           reader.decimal("ON", s.OpacityThreshold) && reader.decimal("VK", s.OpacityLimitK);
}

bool SaveOpacityLimits(const Globals& g) {
    const SettingsState& s = g.settings;
    return ConfWriter("LO")
        .rounded("RN", s.LimitRpmMin)
        .rounded("MX", s.LimitRpmMax)
        .single("ON", s.OpacityThreshold)
        .single("VK", s.OpacityLimitK)
        .written();
}

bool LoadGasLimits(Globals& g) {
    SettingsState& s = g.settings;
    ConfReader reader;
    reader.section("IA");
    return reader.decimal("RN", s.RPMmin) && reader.decimal("CGLPP", s.RPMmaccLI) &&
           reader.decimal("GV", s.RPMmaccLS) && reader.decimal("LI", s.LambdaLI) && reader.decimal("AS", s.LambdaLS) &&
           reader.integer("AM", s.RpmCheck) && reader.decimal("LN", s.LCOcorMin) &&
           reader.decimal("RC", s.LCOcorMinacc) && reader.integer("MCS", s.TestDurationTicks);
}

bool SaveGasLimits(const Globals& g) {
    const SettingsState& s = g.settings;
    return ConfWriter("IA")
        .single("RN", s.RPMmin)
        .single("CGLPP", s.RPMmaccLI)
        .rounded("GV", s.RPMmaccLS)
        .single("LI", s.LambdaLI)
        .single("AS", s.LambdaLS)
        .integer("AM", s.RpmCheck)
        .single("LN", s.LCOcorMin)
        .single("RC", s.LCOcorMinacc)
        .integer("MCS", s.TestDurationTicks)
        .written();
}
