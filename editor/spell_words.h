#pragma once

#include <QList>
#include <QStringView>

namespace lw {

// Where one word to check sits in a text.
struct WordSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const WordSpan&) const = default;
};

// The words of an ad text that the spell check looks at. HTML tags, character entities, the
// emoticon and letter codes ("[S12]", "[a]"), web and e-mail addresses and anything with a
// digit in it are no words. A tag may run on past the end of the text (the description's
// lines are checked one by one): inTag says the text starts inside one, endsInTag receives
// whether it ends inside one.
QList<WordSpan> spellWords(QStringView text, bool inTag = false, bool* endsInTag = nullptr);

// The sentence around a word, for showing it in its context: from the end of the sentence before
// to the end of its own, within a line and at most about maxChars long.
WordSpan sentenceAround(QStringView text, WordSpan word, qsizetype maxChars = 200);

} // namespace lw
