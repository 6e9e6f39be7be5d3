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
    // The file is read once. A missing or empty key shows the text of the key
    // before it, as reading key by key with one reader always did.
    RCLIni ini;
    ini.File = LanguagePath();
    ini.Section = LanguageSection(code);
    QHash<QString, QString> texts = ini.SectionValues();
    QString text;
    for (int position = 0; position < UiTextCount; ++position) {
        const QString found = texts.value(UiTextKey(position).toLower());
        if (!found.isEmpty())
            text = found;
        g.lang.UiText[position] = text;
    }
    for (int position = 0; position < UiTextCount; ++position)
        texts.remove(UiTextKey(position).toLower());
    g.lang.NamedTexts = std::move(texts);
}

QString NamedText(const Globals& g, QStringView key) {
    const QString text = g.lang.NamedTexts.value(key.toString().toLower());
    return text.isEmpty() ? key.toString() : text;
}
