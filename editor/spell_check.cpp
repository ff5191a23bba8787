#include "editor/spell_check.h"

#include "core/desktop_services.h"
#include "editor/speller.h"

using namespace Qt::StringLiterals;

namespace lw {

void reportAddFailure(DesktopServices& ds, const Speller& speller, const QString& error)
{
    ds.messageBox(u"The word could not be added to your word list "_s + speller.wordList() + u".  "_s +
                      error + u"\r\n\r\nIt is accepted until Listwright closes."_s,
                  MsgIcon::Exclamation, u"Listwright Spell-Check Error"_s);
}

SpellCheck::SpellCheck(Speller& speller, DesktopServices& ds, TextBoxAccess& boxes, QObject* parent)
    : QObject(parent), m_speller(speller), m_ds(ds), m_boxes(boxes)
{
}

void SpellCheck::mnuCheckSpelling_Click()
{
    if (m_running)
        return;
    for (int b = 0; b < 3; ++b)
        m_texts[b] = m_boxes.textBox(TextBox(b)).text;
    if (m_texts[0].isEmpty() && m_texts[1].isEmpty() && m_texts[2].isEmpty()) {
        m_ds.messageBox(u"There is no text to be checked for spelling errors"_s, MsgButtons::Ok);
        return;
    }
    if (!m_speller.load()) {
        m_ds.messageBox(
            u"An error has occurred while attempting to check the spelling of this ad.  Please note "
            u"that you need Microsoft Word in order to utilize the spelling check feature of this "
            u"software (version 2000 or above recommended).  The spell check has terminated."_s,
            MsgIcon::Critical, u"Error In Spell Check"_s);
        return;
    }
    m_running = true;
    m_box = 0;
    m_position = 0;
    m_changeAll.clear();
    findNext();
}

void SpellCheck::findNext()
{
    while (m_box < 3) {
        const QString& text = m_texts[m_box];
        bool found = false;
        for (const WordSpan& w : spellWords(text)) {
            if (w.start < m_position)
                continue;
            const QString word = text.mid(w.start, w.length);
            if (m_speller.isCorrect(word))
                continue;
            if (const auto it = m_changeAll.constFind(word); it != m_changeAll.cend()) {
                // The words after it have moved: look again from behind the new word.
                replace(w, *it);
                found = true;
                break;
            }
            m_position = w.start;
            m_problem = {TextBox(m_box), w, text, m_speller.suggestions(word)};
            m_boxes.setTextBox(TextBox(m_box), {text, int(w.start), int(w.length)});
            Q_EMIT problemFound();
            return;
        }
        if (found)
            continue;
        ++m_box;
        m_position = 0;
    }
    m_running = false;
    // The spelling window goes before the message comes.
    Q_EMIT finished();
    m_ds.messageBox(u"Spell Check Completed Successfully!"_s, MsgIcon::Information,
                    u"Listwright Spell Checker"_s);
}

void SpellCheck::replace(WordSpan word, const QString& replacement)
{
    QString& text = m_texts[m_box];
    text.replace(word.start, word.length, replacement);
    m_position = word.start + replacement.size();
    m_boxes.setTextBox(TextBox(m_box), {text, int(m_position), 0});
}

void SpellCheck::change(const QString& replacement)
{
    if (!m_running)
        return;
    replace(m_problem.word, replacement);
    findNext();
}

void SpellCheck::changeAll(const QString& replacement)
{
    if (!m_running)
        return;
    m_changeAll.insert(misspelt(), replacement);
    change(replacement);
}

void SpellCheck::ignore()
{
    if (!m_running)
        return;
    m_position = m_problem.word.start + m_problem.word.length;
    findNext();
}

void SpellCheck::ignoreAll()
{
    if (!m_running)
        return;
    m_speller.ignoreAll(misspelt());
    ignore();
}

void SpellCheck::add()
{
    if (!m_running)
        return;
    QString error;
    if (!m_speller.add(misspelt(), &error))
        reportAddFailure(m_ds, m_speller, error);
    ignore();
}

void SpellCheck::cancel()
{
    if (!m_running)
        return;
    m_running = false;
    Q_EMIT finished();
}

} // namespace lw
