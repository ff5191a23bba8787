#pragma once

#include <QString>

namespace lw {

// Alternative texts of the pictures the page shows: a screen reader speaks them in place of the
// picture, and a picture link is named by its picture's text. Each is ready to stand inside a
// double-quoted attribute.

// What emoticon [S1] to [S24] shows ("smile", "wink"); empty for any other number.
QString emoticonWord(int number);
// The text made safe inside a double-quoted attribute: quotes and angle brackets as references, "&"
// too unless it starts a character reference the seller wrote; braces and square brackets as numeric
// references, so that no placeholder or optional-section mark forms inside the attribute.
QString attributeText(const QString& text);
// The title as a reader hears it: tags and emoticon codes gone, letter codes read as their letters,
// blanks collapsed.
QString titleReading(const QString& title);
// "TITLE – picture N" for the picture of slot k (N = k + 1); "Picture N" when the title reads as
// nothing.
QString pictureAltText(const QString& title, int slot);

} // namespace lw
