#pragma once

#include "core/models/preferences.h"

#include <QString>

namespace lw {

// The preferences settings.txt has no line for live in "listwright.ini" beside it, so that
// settings.txt keeps its 40 lines for older copies of the program. An INI file:
//   [Pictures]
//   prepareForWeb=true
//   longestSide=1600
// Lines the program does not know (a later version's) are kept as they are when it is written.

// Our values from the text; the others keep what they hold. Bad values are left alone.
void parseOwnSettings(const QString& text, PreferenceValues& values);
// `text` (the file as it is) with our values put in.
QString ownSettingsText(const QString& text, const PreferenceValues& values);

void readOwnSettings(PreferenceValues& values);
bool writeOwnSettings(const PreferenceValues& values, QString* error = nullptr);

} // namespace lw
