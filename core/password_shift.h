#pragma once

#include <QString>

namespace lw {

// The keyless shift of stored passwords: every Windows-1252 code raised by 15,
// then a fixed 9-character marker that carries nothing.
QString scramblePassword(const QString& plain, const QString& marker);
// All but the last 9 characters, lowered by 15; 9 characters or fewer give "".
QString unscramblePassword(const QString& stored);
// Characters the shift can store and give back.
bool passwordCharAllowed(QChar c);

} // namespace lw
