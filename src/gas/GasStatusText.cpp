#include "gas/GasStatusText.h"

#include "shared/Globals.h"

namespace gas {

namespace {

constexpr int PhaseText = 9;
constexpr int ConnectionError = 65;
constexpr int NetworkVoltageError = 159;
constexpr int FaultyChannelText = 162;

constexpr int ConnectionErrorCode = 9;
constexpr int NetworkVoltageCode = 12;
constexpr int WarmUpTimeoutCode = 33;
constexpr int ZeroingTimeoutCode = 34;
constexpr int FaultyChannelCode = 35;

InstructionLine error(const QString& text) {
    return {text, ui::colour::Red};
}

QString faultyChannels(int mask) {
    static const char* const Names[] = {" CO", " CO2", " HC", " O2"};
    QString text;
    for (int bit = 0; bit < 4; ++bit)
        if (mask & (1 << bit))
            text += QLatin1String(Names[bit]);
    return text;
}

} // namespace

bool IsOutOfRangeError(int errorCode) {
    return errorCode == 13 || errorCode == 31 || errorCode == 32;
}

InstructionLine StandByInstruction(int errorCode, int faultyChannelMask, const LanguageState& lang) {
    if (IsOutOfRangeError(errorCode))
        return error(QStringLiteral("ERRORE OUT-RANGE"));
    switch (errorCode) {
    case ConnectionErrorCode: return error(lang.UiText[ConnectionError]);
    case NetworkVoltageCode: return error(lang.UiText[NetworkVoltageError]);
    case WarmUpTimeoutCode: return error(QStringLiteral("ERRORE TIME-OUT W-U"));
    case ZeroingTimeoutCode: return error(QStringLiteral("ERRORE TIME-OUT A-Z"));
    case FaultyChannelCode: return error(lang.UiText[FaultyChannelText] + faultyChannels(faultyChannelMask));
    default: return {lang.UiText[PhaseText], ui::colour::White};
    }
}

InstructionLine ZeroingInstruction(int errorCode, const LanguageState& lang) {
    if (errorCode == NetworkVoltageCode)
        return error(lang.UiText[NetworkVoltageError]);
    if (IsOutOfRangeError(errorCode))
        return error(QStringLiteral("ERRORE OUT"));
    return {lang.UiText[PhaseText], ui::colour::White};
}

} // namespace gas
