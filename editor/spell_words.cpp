#include "editor/spell_words.h"

using namespace Qt::StringLiterals;

namespace lw {

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == u'\u2019';
}

// The characters a letter-image code may hold: "[a]", "[7]", "[!]".
bool isCodeChar(QChar c)
{
    return (c.unicode() < 128 && c.isLetterOrNumber()) || QStringView(u"!.,%?@$&").contains(c);
}

// The length of the code at i ("[a]", "[S12]"); 0 when there is none.
qsizetype codeLength(QStringView t, qsizetype i)
{
    if (t[i] != u'[')
        return 0;
    if (i + 2 < t.size() && t[i + 2] == u']' && isCodeChar(t[i + 1]))
        return 3;
    if (i + 1 < t.size() && t[i + 1] == u'S') {
        qsizetype j = i + 2;
        while (j < t.size() && j - i < 5 && t[j].isDigit())
            ++j;
        if (j > i + 2 && j < t.size() && t[j] == u']')
            return j - i + 1;
    }
    return 0;
}

// The length of the character entity at i ("&amp;", "&#160;"); 0 when there is none.
qsizetype entityLength(QStringView t, qsizetype i)
{
    if (t[i] != u'&')
        return 0;
    qsizetype j = i + 1;
    if (j < t.size() && t[j] == u'#')
        ++j;
    const qsizetype first = j;
    while (j < t.size() && j - first < 12 && t[j].unicode() < 128 && t[j].isLetterOrNumber())
        ++j;
    return j > first && j < t.size() && t[j] == u';' ? j - i + 1 : 0;
}

bool opensTag(QStringView t, qsizetype i)
{
    if (t[i] != u'<' || i + 1 >= t.size())
        return false;
    const QChar next = t[i + 1];
    return next.isLetter() || next == u'/' || next == u'!' || next == u'?';
}

// A run of characters up to the next blank or tag that names a web or e-mail address.
bool isAddress(QStringView chunk)
{
    return chunk.contains(u"://"_s) || chunk.contains(u'@') || chunk.contains(u"www."_s, Qt::CaseInsensitive);
}

} // namespace

QList<WordSpan> spellWords(QStringView text, bool inTag, bool* endsInTag)
{
    QList<WordSpan> words;
    const qsizetype n = text.size();
    qsizetype i = 0;
    bool tagOpen = false;
    if (inTag) {
        const qsizetype close = text.indexOf(u'>');
        tagOpen = close < 0;
        i = tagOpen ? n : close + 1;
    }
    bool chunkStart = true;
    while (i < n) {
        const QChar c = text[i];
        if (c.isSpace()) {
            chunkStart = true;
            ++i;
            continue;
        }
        if (opensTag(text, i)) {
            const qsizetype close = text.indexOf(u'>', i);
            if (close < 0) {
                tagOpen = true;
                break;
            }
            i = close + 1;
            chunkStart = true;
            continue;
        }
        if (const qsizetype skip = codeLength(text, i) + entityLength(text, i)) {
            i += skip;
            continue;
        }
        if (chunkStart) {
            chunkStart = false;
            qsizetype end = i;
            while (end < n && !text[end].isSpace() && text[end] != u'<')
                ++end;
            if (isAddress(text.sliced(i, end - i))) {
                i = end;
                continue;
            }
        }
        if (!isWordChar(c)) {
            ++i;
            continue;
        }
        qsizetype j = i;
        bool digit = false;
        while (j < n) {
            if (isWordChar(text[j])) {
                digit = digit || text[j].isNumber();
                ++j;
            } else if (isApostrophe(text[j]) && j + 1 < n && isWordChar(text[j + 1])) {
                ++j;
            } else {
                break;
            }
        }
        if (!digit)
            words.append({i, j - i});
        i = j;
    }
    if (endsInTag)
        *endsInTag = tagOpen;
    return words;
}

WordSpan sentenceAround(QStringView text, WordSpan word, qsizetype maxChars)
{
    const qsizetype half = maxChars / 2;
    auto endsSentence = [](QChar c) { return c == u'.' || c == u'!' || c == u'?'; };
    auto isBreak = [](QChar c) { return c == u'\r' || c == u'\n'; };
    qsizetype from = word.start;
    while (from > 0 && word.start - from < half && !isBreak(text[from - 1]) &&
           !(endsSentence(text[from - 1]) && text[from].isSpace()))
        --from;
    while (from < word.start && text[from].isSpace())
        ++from;
    const qsizetype wordEnd = word.start + word.length;
    qsizetype to = wordEnd;
    while (to < text.size() && to - wordEnd < half && !isBreak(text[to])) {
        ++to;
        if (endsSentence(text[to - 1]) && (to == text.size() || text[to].isSpace()))
            break;
    }
    return {from, to - from};
}

} // namespace lw
