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
void LoadLanguageTexts(Globals& g, int code);
