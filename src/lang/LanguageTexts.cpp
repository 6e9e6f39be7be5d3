#include "lang/LanguageTexts.h"

#include "lang/UiTextKeys.h"
#include "settings/RCLIni.h"
#include "shared/Globals.h"
#include "ui/Paths.h"

QString LanguagePath() {
    return ui::Paths::inWorkingDirectory("Lingua.ini");
}

QString LanguageSection(int code) {
    switch (code) {
    case 2: return QStringLiteral("INGLESE");
    case 3: return QStringLiteral("SPAGNOLO");
    default: return QStringLiteral("ITALIANO");
    }
}

void LoadLanguageTexts(Globals& g, int code) {
    // One reader for the whole table: a failed read leaves the previous key's
    // text in Value, which is what a missing key shows.
    RCLIni ini;
    ini.File = LanguagePath();
    ini.Section = LanguageSection(code);
    for (int position = 0; position < UiTextCount; ++position) {
        ini.key = UiTextKey(position);
        ini.GetValue();
        g.lang.UiText[position] = ini.Value;
    }
}
