#include "editor/ui/spell_as_you_type.h"

#include "core/desktop_services.h"
#include "editor/spell_check.h"
#include "editor/speller.h"
#include "editor/ui/spell_highlighter.h"
#include "editor/ui/spell_underline.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>

using namespace Qt::StringLiterals;

namespace lw {

namespace {
constexpr int MenuSuggestions = 5;
} // namespace

SpellAsYouType::SpellAsYouType(Speller& speller, DesktopServices& ds, QLineEdit* title, QLineEdit* subTitle,
                               QPlainTextEdit* description, QObject* parent)
    : QObject(parent), m_speller(speller), m_ds(ds), m_cache(speller),
      m_highlighter(new SpellHighlighter(description->document(), m_cache))
{
    for (int i = 0; QLineEdit * box : {title, subTitle}) {
        m_underlines[i++] = new SpellUnderline(box, m_cache);
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, this,
                [this, box](QPoint at) { showMenu(box, box->mapToGlobal(at), box->cursorPositionAt(at)); });
    }
    description->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(description, &QWidget::customContextMenuRequested, this, [this, description](QPoint at) {
        showMenu(description, description->viewport()->mapToGlobal(at),
                 description->cursorForPosition(at).position());
    });
}

SpellAsYouType::~SpellAsYouType()
{
    delete m_highlighter.data();
    for (const QPointer<SpellUnderline>& underline : m_underlines)
        delete underline.data();
}

void SpellAsYouType::showMenu(QWidget* box, QPoint at, int position)
{
    const std::unique_ptr<QMenu> menu = contextMenu(box, position);
    menu->exec(at);
}

std::unique_ptr<QMenu> SpellAsYouType::contextMenu(QWidget* box, int position)
{
    auto* line = qobject_cast<QLineEdit*>(box);
    auto* plain = qobject_cast<QPlainTextEdit*>(box);
    std::unique_ptr<QMenu> menu(line ? line->createStandardContextMenu()
                                     : plain->createStandardContextMenu());

    // The word at the position, within its line for the description.
    QString text = line ? line->text() : QString();
    int offset = 0;
    bool inTag = false;
    if (plain) {
        const QTextBlock block = plain->document()->findBlock(position);
        text = block.text();
        offset = block.position();
        inTag = block.previous().isValid() && block.previous().userState() == 1;
    }
    const int at = position - offset;
    std::optional<WordSpan> hit;
    for (const WordSpan& w : spellWords(text, inTag))
        if (at >= w.start && at <= w.start + w.length)
            hit = w;
    if (!hit)
        return menu;
    const QString word = text.mid(hit->start, hit->length);
    if (m_speller.isCorrect(word))
        return menu;

    const int start = offset + int(hit->start), length = int(hit->length);
    auto replaceWith = [line, plain, start, length](const QString& replacement) {
        // Through the box's own editing, so its change rules and its undo apply.
        if (line) {
            line->setSelection(start, length);
            line->insert(replacement);
        } else {
            QTextCursor cursor(plain->document());
            cursor.setPosition(start);
            cursor.setPosition(start + length, QTextCursor::KeepAnchor);
            cursor.insertText(replacement);
        }
    };
    QAction* first = menu->actions().value(0);
    const QStringList suggestions = m_speller.suggestions(word, MenuSuggestions);
    for (const QString& s : suggestions) {
        QAction* action = new QAction(s, menu.get());
        connect(action, &QAction::triggered, this, [replaceWith, s] { replaceWith(s); });
        menu->insertAction(first, action);
    }
    if (suggestions.isEmpty()) {
        QAction* none = new QAction(u"(no spelling suggestions)"_s, menu.get());
        none->setEnabled(false);
        menu->insertAction(first, none);
    }
    QAction* add = new QAction(u"Add to Dictionary"_s, menu.get());
    connect(add, &QAction::triggered, this, [this, word] {
        QString error;
        if (!m_speller.add(word, &error))
            reportAddFailure(m_ds, m_speller, error);
    });
    menu->insertAction(first, add);
    menu->insertSeparator(first);
    return menu;
}

} // namespace lw
