#pragma once

#include "editor/spell_words.h"
#include "editor/text_box.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

namespace lw {

class DesktopServices;
class Speller;

// Check Spelling: the title, the sub-title and the description, each non-empty one in turn,
// stopping at every misspelt word for the seller to decide in the spelling window. Each
// decision is a command; every change is written into its box at once, so it marks the ad
// changed by the box's own rules. The clipboard is not used.
class SpellCheck : public QObject
{
    Q_OBJECT
public:
    // A misspelt word waiting for the seller.
    struct Problem
    {
        TextBox box = TextBox::Title;
        WordSpan word;
        QString text; // the whole text of the box
        QStringList suggestions;
    };

    SpellCheck(Speller& speller, DesktopServices& ds, TextBoxAccess& boxes, QObject* parent = nullptr);

    // The menu item and the toolbar button.
    void mnuCheckSpelling_Click();
    bool isRunning() const { return m_running; }
    const Problem& problem() const { return m_problem; }
    QString misspelt() const { return m_problem.text.mid(m_problem.word.start, m_problem.word.length); }

    // The spelling window's buttons.
    void change(const QString& replacement);
    // Also every later place of the same word.
    void changeAll(const QString& replacement);
    void ignore();
    void ignoreAll();
    void add();
    // Ends the check; what was changed stays changed.
    void cancel();

Q_SIGNALS:
    void problemFound();
    void finished();

private:
    // From the current place on: the next misspelt word, else the next box, else the end.
    void findNext();
    void replace(WordSpan word, const QString& replacement);

    Speller& m_speller;
    DesktopServices& m_ds;
    TextBoxAccess& m_boxes;
    bool m_running = false;
    int m_box = 0;
    qsizetype m_position = 0;
    std::array<QString, 3> m_texts;
    QHash<QString, QString> m_changeAll;
    Problem m_problem;
};

// Add could not write the word list: the word passes until the program ends.
void reportAddFailure(DesktopServices& ds, const Speller& speller, const QString& error);

} // namespace lw
