#pragma once

#include <QString>

struct Globals;

// Lingua.ini lives beside Conf.ini, in the current working directory.
QString LanguagePath();

// The Lingua.ini section of a language code: 2 English, 3 Spanish; 0, 1 and
// any code the program does not know read Italian, the station's own language.
QString LanguageSection(int code);

// Fills every position of g.lang.UiText from the section of the language code.
// A key missing from the file takes the text of the nearest earlier key that
// was found (empty when none was), and a missing file or section leaves every
// text empty; nothing is reported, so the program always starts.
// Also keeps every other key of the section for NamedText.
void LoadLanguageTexts(Globals& g, int code);

// The text of a key beyond the fixed table (the windows added since), from the
// section last loaded. A key missing from the station's Lingua.ini shows as the
// key itself, so an older file never leaves a caption blank.
QString NamedText(const Globals& g, QStringView key);
