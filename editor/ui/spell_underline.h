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
    const QList<WordSpan>& misspelt() const { return m_misspelt; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void recheck();

    QLineEdit* m_box;
    SpellCache& m_cache;
    QList<WordSpan> m_misspelt;
};

} // namespace lw
