#include "editor/ui/spell_highlighter.h"

#include "editor/spell_cache.h"
#include "editor/spell_words.h"

#include <QTextDocument>

namespace lw {

namespace {
// Block state: the line ends inside an HTML tag, so the next one starts in it.
constexpr int InTag = 1;
} // namespace

SpellHighlighter::SpellHighlighter(QTextDocument* document, SpellCache& cache)
    : QSyntaxHighlighter(document), m_cache(cache)
{
    connect(&cache, &SpellCache::learned, this, &SpellHighlighter::rehighlightWaiting);
    connect(&cache, &SpellCache::forgotten, this, &SpellHighlighter::rehighlight);
}

void SpellHighlighter::highlightBlock(const QString& text)
{
    bool endsInTag = false;
    const QList<WordSpan> words = spellWords(text, previousBlockState() == InTag, &endsInTag);
    setCurrentBlockState(endsInTag ? InTag : 0);
    QTextCharFormat misspelt;
    // Wavy as in the line boxes, whatever the style's own spelling underline is.
    misspelt.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    misspelt.setUnderlineColor(Qt::red);
    for (const WordSpan& w : words) {
        const std::optional<bool> correct = m_cache.isCorrect(text.mid(w.start, w.length));
        if (!correct)
            m_waiting.insert(currentBlock().blockNumber());
        else if (!*correct)
            setFormat(int(w.start), int(w.length), misspelt);
    }
}

void SpellHighlighter::rehighlightWaiting()
{
    const QSet<int> waiting = std::exchange(m_waiting, {});
    for (int number : waiting) {
        const QTextBlock block = document()->findBlockByNumber(number);
        if (block.isValid())
            rehighlightBlock(block);
    }
}

} // namespace lw
