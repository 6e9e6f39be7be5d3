#include "ConfFixture.h"

#include "shared/Globals.h"

#include <QFile>

#include <functional>
#include <optional>
#include <type_traits>
#include <vector>

// Every Load…/Save… pair, driven by one table per routine: which keys it reads,
// in which order, into which global.
namespace {

using Show = std::function<QString(const Globals&)>;

template <typename T> QString show(const T& value) {
    if constexpr (std::is_same_v<T, QString>)
        return value;
    else if constexpr (std::is_floating_point_v<T>)
        return QString::number(double(value), 'g', 10);
    else
        return QString::number(qlonglong(value));
}

template <typename T> Show setting(T SettingsState::*member) {
    return [member](const Globals& g) { return show(g.settings.*member); };
}
template <typename T> Show station(T StationState::*member) {
    return [member](const Globals& g) { return show(g.station.*member); };
}

enum class Kind { Text, Integer, Single, Double };

struct Key {
    QString section;
    QString name;
    Kind kind;
    QString oldText; // loaded first, so a failing load can be told apart
    QString newText; // also the exact text the save routine writes back
    Show value;
};

struct Routine {
    const char* name;
    bool (*load)(Globals&);
    bool (*save)(const Globals&);
    std::vector<Key> keys;
};

std::vector<Routine> routines() {
    using S = SettingsState;
    using T = StationState;
    return {
        {"LanguageChoice",
         LoadLanguageChoice,
         SaveLanguageChoice,
         {{"LINGUA", "TLingua", Kind::Integer, "1", "3", setting(&S::LanguageCode)}}},
        {"InstrumentPorts",
         LoadInstrumentPorts,
         nullptr,
         {{"COMOPA", "TModCom", Kind::Integer, "1", "2", setting(&S::OpacimeterLinkMode)},
          {"COMOPA", "TCOM", Kind::Integer, "3", "13", setting(&S::SmokePort)},
          {"COMOPA", "TBRate", Kind::Integer, "4", "14", setting(&S::SmokeBaudIndex)},
          {"COMOPA", "Marca", Kind::Text, "OldOpaMake", "Opa Maker", setting(&S::OpacimeterMake)},
          {"COMOPA", "NOmologa", Kind::Text, "OldOpaApp", "OM-123", setting(&S::OpacimeterApproval)},
          {"COMKAPRO", "TModCom", Kind::Integer, "5", "15", setting(&S::GasLinkMode)},
          {"COMKAPRO", "TCOM", Kind::Integer, "6", "16", setting(&S::GasPort)},
          {"COMKAPRO", "TBRate", Kind::Integer, "7", "17", setting(&S::GasBaudIndex)},
          {"COMKAPRO", "Marca", Kind::Text, "OldGasMake", "Gas Maker", setting(&S::GasMake)},
          {"COMKAPRO", "NOmologa", Kind::Text, "OldGasApp", "GA-456", setting(&S::GasApproval)}}},
        {"InstrumentModels",
         LoadInstrumentModels,
         nullptr,
         {{"MODOPA", "Modello", Kind::Integer, "1", "21", setting(&S::SmokeModel)},
          {"MODKAPRO", "Modello", Kind::Integer, "2", "22", setting(&S::GasModel)}}},
        {"OperatorData",
         LoadOperatorData,
         SaveOperatorData,
         {{"UTENTE", "Operatore", Kind::Text, "OldOp", "Mario Rossi", station(&T::OperatorName)},
          {"UTENTE", "ResponsabileTecn", Kind::Text, "OldTm", "Anna Bianchi", station(&T::TechnicalManager)},
          {"UTENTE", "Ente", Kind::Text, "OldAg", QStringLiteral(u"Officina Né"), station(&T::AgencyName)}}},
        {"AmbientData",
         LoadAmbientData,
         SaveAmbientData,
         {{"AMBIENTE", "Temperatura", Kind::Text, "10", "21,5", station(&T::AmbientTemperature)},
          {"AMBIENTE", "Pressione", Kind::Text, "990", "1013", station(&T::AmbientPressure)},
          {"AMBIENTE", QStringLiteral(u"UmiditàRelativa"), Kind::Text, "30", "55", station(&T::AmbientHumidity)}}},
        {"VehicleData",
         LoadVehicleData,
         SaveVehicleData,
         {{"VEICOLO", "FeT", Kind::Text, "OldFeT", "Fiat Punto", station(&T::VehicleMakeType)},
          {"VEICOLO", "Targa", Kind::Text, "OldPlate", "AB123CD", station(&T::VehiclePlate)},
          {"VEICOLO", "Telaio", Kind::Text, "OldChassis", "ZFA1990000", station(&T::VehicleChassis)},
          {"VEICOLO", "Anno", Kind::Text, "1990", "2004", station(&T::VehicleYear)},
          {"VEICOLO", "Mod", Kind::Text, "OldModel", "1.2 8V", station(&T::VehicleModel)}}},
        {"RevCounterSettings",
         LoadRevCounterSettings,
         SaveRevCounterSettings,
         {{"RPM", "Marca", Kind::Text, "OldRpmMake", "Giri Srl", setting(&S::RpmMake)},
          {"RPM", "NOmol", Kind::Text, "OldRpmApp", "RPM-7", setting(&S::RpmApproval)},
          {"RPM", "Nserie", Kind::Text, "OldSerial", "SN0042", setting(&S::RpmSerial)},
          {"RPM", "Scadenza", Kind::Text, "OldExpiry", "31/12/2030", setting(&S::RpmExpiry)},
          {"RPM", "TCOMrpm", Kind::Integer, "1", "5", setting(&S::RpmPort)},
          {"RPM", "TBRaterpm", Kind::Integer, "2", "3", setting(&S::RpmBaudIndex)},
          {"RPM", "NCilindriRPM", Kind::Integer, "3", "6", setting(&S::CylinderCount)},
          {"RPM", "NTempiRPM", Kind::Integer, "4", "2", setting(&S::StrokeCount)},
          {"RPM", "ExternRPM", Kind::Integer, "0", "1", setting(&S::ExternalRpm)},
          {"RPM", "ExternToil", Kind::Integer, "1", "-1", setting(&S::ExternalOilTemp)},
          {"RPM", "SelrpmT", Kind::Integer, "0", "2", setting(&S::RpmCommandChoice)}}},
        {"OpacityLimits",
         LoadOpacityLimits,
         SaveOpacityLimits,
         {{"LO", "RN", Kind::Single, "700", "850", setting(&S::LimitRpmMin)},
          {"LO", "MX", Kind::Single, "4000", "4500", setting(&S::LimitRpmMax)},
          {"LO", "ON", Kind::Double, "1.25", "2.5", setting(&S::OpacityThreshold)},
          {"LO", "VK", Kind::Double, "2.75", "1.5", setting(&S::OpacityLimitK)}}},
        {"GasLimits",
         LoadGasLimits,
         SaveGasLimits,
         {{"IA", "RN", Kind::Double, "900", "1000", setting(&S::RPMmin)},
          {"IA", "CGLPP", Kind::Double, "1900", "2000", setting(&S::RPMmaccLI)},
          {"IA", "GV", Kind::Double, "2400", "2500", setting(&S::RPMmaccLS)},
          {"IA", "LI", Kind::Double, "0.9", "0.97", setting(&S::LambdaLI)},
          {"IA", "AS", Kind::Double, "1.1", "1.03", setting(&S::LambdaLS)},
          {"IA", "AM", Kind::Integer, "0", "1", setting(&S::RpmCheck)},
          {"IA", "LN", Kind::Double, "3.5", "4.5", setting(&S::LCOcorMin)},
          {"IA", "RC", Kind::Double, "0.2", "0.3", setting(&S::LCOcorMinacc)},
          {"IA", "MCS", Kind::Integer, "4000", "5800", setting(&S::TestDurationTicks)}}},
    };
}

// Texts that no numeric key may accept: std::nullopt leaves the key out.
std::vector<std::optional<QString>> badTexts(Kind kind) {
    std::vector<std::optional<QString>> texts = {std::nullopt, QString(), "abc", "12abc", "1.234,5"};
    switch (kind) {
    case Kind::Integer: texts.push_back("99999"); break;
    case Kind::Single: texts.push_back("1E+39"); break;
    case Kind::Double: texts.push_back("1E+400"); break;
    case Kind::Text: break;
    }
    return texts;
}

class ConfRoutinesTest : public ConfFileTest {
  protected:
    // The routine's keys as Conf.ini lines, each section header before its first key.
    // `replaced` swaps one key's text (nullopt drops the key).
    QStringList linesOf(const Routine& routine, bool useNew, qsizetype replacedIndex = -1,
                        const std::optional<QString>& replaced = std::nullopt) const {
        QStringList lines;
        QString section;
        for (qsizetype i = 0; i < qsizetype(routine.keys.size()); ++i) {
            const Key& key = routine.keys[i];
            if (key.section != section) {
                section = key.section;
                lines << "[" + section + "]";
            }
            if (i != replacedIndex)
                lines << key.name + "=" + (useNew ? key.newText : key.oldText);
            else if (replaced)
                lines << key.name + "=" + *replaced;
        }
        return lines;
    }

    void loadOldValues(const Routine& routine, Globals& g) const {
        writeConf(linesOf(routine, false));
        ASSERT_TRUE(routine.load(g));
        for (const Key& key : routine.keys)
            ASSERT_EQ(key.value(g), key.oldText) << key.name.toStdString();
    }
};

TEST_F(ConfRoutinesTest, CompleteSectionsFillEveryGlobalFromItsOwnKey) {
    for (const Routine& routine : routines()) {
        SCOPED_TRACE(routine.name);
        Globals g;
        loadOldValues(routine, g);
        writeConf(linesOf(routine, true));
        EXPECT_TRUE(routine.load(g));
        for (const Key& key : routine.keys)
            EXPECT_EQ(key.value(g), key.newText) << key.name.toStdString();
    }
}

TEST_F(ConfRoutinesTest, LoadStopsAtTheFirstNumericKeyThatFails) {
    for (const Routine& routine : routines()) {
        for (qsizetype failing = 0; failing < qsizetype(routine.keys.size()); ++failing) {
            const Key& bad = routine.keys[failing];
            if (bad.kind == Kind::Text)
                continue;
            for (const auto& text : badTexts(bad.kind)) {
                SCOPED_TRACE(
                    QString("%1 %2=%3").arg(routine.name, bad.name, text ? *text : QString("(absent)")).toStdString());
                Globals g;
                loadOldValues(routine, g);
                writeConf(linesOf(routine, true, failing, text));
                EXPECT_FALSE(routine.load(g));
                for (qsizetype i = 0; i < qsizetype(routine.keys.size()); ++i) {
                    const Key& key = routine.keys[i];
                    EXPECT_EQ(key.value(g), i < failing ? key.newText : key.oldText) << key.name.toStdString();
                }
            }
        }
    }
}

TEST_F(ConfRoutinesTest, SaveWritesEveryKeyInOrderAsTheLoaderReadsIt) {
    for (const Routine& routine : routines()) {
        if (!routine.save)
            continue;
        SCOPED_TRACE(routine.name);
        writeConf(linesOf(routine, true));
        const QByteArray written = confBytes();
        Globals g;
        ASSERT_TRUE(routine.load(g));
        ASSERT_TRUE(QFile::remove(confPath()));
        EXPECT_TRUE(routine.save(g));
        EXPECT_EQ(confBytes(), written);
    }
}

struct CarryCase {
    const char* what;
    bool (*load)(Globals&);
    QStringList lines;
    Show value;
    QString expected;
};

TEST_F(ConfRoutinesTest, MissingTextTakesThePreviousKeysTextExceptForTheVehicle) {
    const CarryCase cases[] = {
        {"first operator key",
         LoadOperatorData,
         {"[UTENTE]", "ResponsabileTecn=Bianchi"},
         station(&StationState::OperatorName),
         ""},
        {"technical manager",
         LoadOperatorData,
         {"[UTENTE]", "Operatore=Rossi", "Ente=ACI"},
         station(&StationState::TechnicalManager),
         "Rossi"},
        {"agency after a carried key",
         LoadOperatorData,
         {"[UTENTE]", "Operatore=Rossi"},
         station(&StationState::AgencyName),
         "Rossi"},
        {"pressure", LoadAmbientData, {"[AMBIENTE]", "Temperatura=21"}, station(&StationState::AmbientPressure), "21"},
        {"rev counter approval",
         LoadRevCounterSettings,
         {"[RPM]", "Marca=Giri", "TCOMrpm=1"},
         setting(&SettingsState::RpmApproval),
         "Giri"},
        {"opacimeter make after the baud code",
         LoadInstrumentPorts,
         {"[COMOPA]", "TModCom=2", "TCOM=3", "TBRate=4"},
         setting(&SettingsState::OpacimeterMake),
         "4"},
        {"gas approval after the gas make",
         LoadInstrumentPorts,
         {"[COMOPA]", "TModCom=2", "TCOM=3", "TBRate=4", "[COMKAPRO]", "TModCom=1", "TCOM=2", "TBRate=2", "Marca=K"},
         setting(&SettingsState::GasApproval),
         "K"},
        {"vehicle plate",
         LoadVehicleData,
         {"[VEICOLO]", "FeT=Fiat", "Telaio=ZFA"},
         station(&StationState::VehiclePlate),
         ""},
        {"vehicle year",
         LoadVehicleData,
         {"[VEICOLO]", "FeT=Fiat", "Telaio=ZFA"},
         station(&StationState::VehicleYear),
         ""},
    };
    for (const CarryCase& c : cases) {
        SCOPED_TRACE(c.what);
        writeConf(c.lines);
        Globals g;
        g.station.OperatorName = g.station.VehiclePlate = g.station.VehicleYear = "stale";
        c.load(g);
        EXPECT_EQ(c.value(g), c.expected);
    }
}

TEST_F(ConfRoutinesTest, WithoutConfIniTextsAreEmptyAndNumbersUntouched) {
    Globals g;
    g.station.VehiclePlate = g.station.OperatorName = g.station.AmbientHumidity = "stale";
    g.settings.GasPort = 4;
    g.settings.LanguageCode = 2;
    EXPECT_TRUE(LoadVehicleData(g));
    EXPECT_TRUE(LoadOperatorData(g));
    EXPECT_TRUE(LoadAmbientData(g));
    EXPECT_EQ(g.station.VehiclePlate, "");
    EXPECT_EQ(g.station.OperatorName, "");
    EXPECT_EQ(g.station.AmbientHumidity, "");
    EXPECT_FALSE(LoadInstrumentPorts(g));
    EXPECT_FALSE(LoadLanguageChoice(g));
    EXPECT_EQ(g.settings.GasPort, 4);
    EXPECT_EQ(g.settings.LanguageCode, 2);
    EXPECT_FALSE(QFile::exists(confPath()));
}

TEST_F(ConfRoutinesTest, SettingsPathIsInTheWorkingDirectory) {
    EXPECT_EQ(SettingsPath(), workFile("Conf.ini"));
    Globals g;
    g.settings.LanguageCode = 2;
    SaveLanguageChoice(g);
    EXPECT_TRUE(QFile::exists(workFile("Conf.ini")));
    EXPECT_FALSE(QFile::exists(programFile("Conf.ini")));
}

} // namespace
