#pragma once

#include "editor/spell_words.h"

#include <QList>
#include <QWidget>

class QLineEdit;

namespace lw {

class SpellCache;

// Underlines the misspelt words of a one-line box. A line box has no character formats, so
// this sheet lies over it, lets every click through and paints the wavy lines.
class SpellUnderline : public QWidget
{
    Q_OBJECT
public:
    SpellUnderline(QLineEdit* box, SpellCache& cache);

    // The misspelt words as the box shows them now.
    const QList<WordSpan>& misspelt();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Looks at the words again when the text changed or the cache learned something.
    void refresh();

    QLineEdit* m_box;
    SpellCache& m_cache;
    QString m_checked;
    bool m_stale = true;
    QList<WordSpan> m_misspelt;
};

} // namespace lw
