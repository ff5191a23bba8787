#pragma once

#include <QSet>
#include <QSyntaxHighlighter>

namespace lw {

class SpellCache;

// Underlines the misspelt words of the description. Qt hands it only the lines that
// changed; words the cache does not know yet are underlined when their answers come.
class SpellHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    SpellHighlighter(QTextDocument* document, SpellCache& cache);

protected:
    void highlightBlock(const QString& text) override;

private:
    void rehighlightWaiting();

    SpellCache& m_cache;
    // Lines (block numbers) with words the cache had no answer for.
    QSet<int> m_waiting;
};

} // namespace lw
