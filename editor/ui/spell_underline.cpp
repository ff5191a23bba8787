#include "editor/ui/spell_underline.h"

#include "editor/spell_cache.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

namespace lw {

SpellUnderline::SpellUnderline(QLineEdit* box, SpellCache& cache) : QWidget(box), m_box(box), m_cache(cache)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(box->rect());
    box->installEventFilter(this);
    // The text scrolls with the caret in a box too narrow for it. A text the window puts in
    // with the box's signals blocked shows in the box's own repaint, which paints this too.
    connect(box, &QLineEdit::textChanged, this, qOverload<>(&QWidget::update));
    connect(box, &QLineEdit::cursorPositionChanged, this, qOverload<>(&QWidget::update));
    auto stale = [this] {
        m_stale = true;
        update();
    };
    connect(&cache, &SpellCache::learned, this, stale);
    connect(&cache, &SpellCache::forgotten, this, stale);
}

bool SpellUnderline::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::Resize)
        setGeometry(m_box->rect());
    return false;
}

const QList<WordSpan>& SpellUnderline::misspelt()
{
    refresh();
    return m_misspelt;
}

void SpellUnderline::refresh()
{
    const QString text = m_box->text();
    if (!m_stale && text == m_checked)
        return;
    m_stale = false;
    m_checked = text;
    m_misspelt.clear();
    for (const WordSpan& w : spellWords(text))
        if (m_cache.isCorrect(text.mid(w.start, w.length)) == false)
            m_misspelt.append(w);
}

void SpellUnderline::paintEvent(QPaintEvent*)
{
    refresh();
    if (m_misspelt.isEmpty() || m_box->echoMode() != QLineEdit::Normal)
        return;
    // The box tells where its caret is drawn (a rectangle five pixels either side of it); every
    // other place follows from the widths of the characters between.
    const QRect caret = m_box->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QString text = m_box->text();
    const QFontMetricsF metrics(m_box->font());
    const int cursor = m_box->cursorPosition();
    qreal x = caret.left() + 5 - metrics.horizontalAdvance(text.left(cursor));
    qsizetype at = 0;
    auto advanceTo = [&](qsizetype position) {
        x += metrics.horizontalAdvance(text.mid(at, position - at));
        at = position;
        return x;
    };
    const qreal y = caret.bottom() - 1.5;
    QPainter painter(this);
    painter.setClipRect(m_box->rect().adjusted(2, 0, -2, 0));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::red, 1));
    for (const WordSpan& w : m_misspelt) {
        const qreal left = advanceTo(w.start);
        const qreal right = advanceTo(w.start + w.length);
        if (left > width())
            break;
        if (right < 0)
            continue;
        QPainterPath wave(QPointF(left, y));
        for (qreal wx = left + 2, up = -1; wx <= right + 1; wx += 2, up = -up)
            wave.lineTo(wx, y + up * 1.5);
        painter.drawPath(wave);
    }
}

} // namespace lw
