#pragma once

#include "shared/Globals.h"

#include <QString>

// The Lingua.ini key behind each position of the language table. Windows
// address their texts by position, so the order below never changes.
constexpr int UiTextCount = LanguageState::TextCount;

// Key of position 0..UiTextCount-1; empty for any other position.
QString UiTextKey(int position);
