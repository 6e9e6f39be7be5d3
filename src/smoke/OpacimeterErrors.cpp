#include "smoke/OpacimeterErrors.h"

namespace {

struct ErrorMessage {
    const char* code;
    const char* title;
    const char* italian;
    const char* english;
};

// Codes that only acknowledge have no title.
constexpr ErrorMessage Messages[] = {
    {"001", nullptr, nullptr, nullptr},
    {"002", "ERROR 2", "SPENGERE OPACIMETRO E PULIRE PARTI OTTICHE", "TURN OF SMOKE METER AND CLEAN OPTICAL PATH"},
    {"003", "ERROR 3", "SPENGERE OPACIMETRO", "TURN OF SMOKE METER"},
    {"004", "ERROR 4", "EMETTITORE NON OPERATIVO, SPENGERE OPACIMETRO",
     "LIGHT EMITTER NOT OPERATING, TURN OFF SMOKE METER"},
    {"005", nullptr, nullptr, nullptr},
    {"006", "ERROR 6", "OPERAZIONE NON CONSENTITA", "NOT VALID OPERATION"},
    {"007", "ERROR 7", "TEMPERATURA TROPPO ALTA, SPENGERE OPACIMETRO", "TEMPERATURE TOO HIGHT, TURN OFF SMOKE METER"},
    {"010", "ERROR 10", nullptr, nullptr},
};

constexpr int English = 2;

} // namespace

OpacimeterErrorOutcome EvaluateOpacimeterError(const QByteArray& code, int languageCode,
                                               const QString& cellTooColdText) {
    for (const ErrorMessage& m : Messages) {
        if (code != m.code)
            continue;
        OpacimeterErrorOutcome outcome;
        outcome.known = true;
        if (!m.title)
            return outcome;
        outcome.title = QString::fromLatin1(m.title);
        if (!m.italian)
            outcome.text = cellTooColdText;
        else
            outcome.text = QString::fromLatin1(languageCode == English ? m.english : m.italian);
        return outcome;
    }
    return {};
}

std::optional<QString> SmokePortHint(int languageCode) {
    switch (languageCode) {
    case 1:
        return QStringLiteral("SCEGLIERE LA PORTA DI COMUNICAZIONE NELLA FINESTRA SET-UP") +
               QStringLiteral(" OPACIMETRO, DOPODICHE' SCEGLIERE LO STRUMENTO NELLA FINESTRA ANALISI FUMO");
    case English:
        return QStringLiteral("CHOOSE THE CORRECT COMUNICATION PORT INTO SMOKE-METER SET-UP") +
               QStringLiteral(" WINDOW, AFTER CHOOSE THE INSTRUMENT INTO SMOKE ANALYSIS WINDOW ");
    default: return std::nullopt;
    }
}
