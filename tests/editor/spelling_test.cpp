#include "core/scripted_desktop_services.h"
#include "editor/spell_check.h"
#include "editor/speller.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

TEST(SpellWords, AreTheTextBetweenTagsCodesEntitiesAndAddresses)
{
    // Text, whether it starts inside a tag, the words found, whether it ends inside a tag.
    const std::tuple<QString, bool, QString, bool> cases[] = {
        {u"Brass <b>lamp</b>[S12][a]x&amp;y [S]"_s, false, u"Brass|lamp|x|y"_s, false},
        {u"bob@exmaple.com (www.exmaple.com) http://x.example/wrnog it's"_s, false, u"it's"_s, false},
        {u"2nd MP3 ’twas don’t well-known"_s, false, u"twas|don’t|well|known"_s, false},
        {u"5 < 6 and [ab] <a href=\"x"_s, false, u"and|ab"_s, true},
        {u"title=\"y\">word"_s, true, u"word"_s, false},
        {u"no end"_s, true, u""_s, true},
    };
    for (const auto& [text, inTag, words, endsInTag] : cases) {
        bool ends = !endsInTag;
        QStringList found;
        for (const WordSpan& w : spellWords(text, inTag, &ends))
            found << text.mid(w.start, w.length);
        EXPECT_EQ(found.join(u'|'), words) << text.toStdString();
        EXPECT_EQ(ends, endsInTag) << text.toStdString();
    }
    const QString text = u"One. Two wrnog three!  Four\r\nfive"_s;
    const WordSpan sentence = sentenceAround(text, {9, 5});
    EXPECT_EQ(text.mid(sentence.start, sentence.length), u"Two wrnog three!");
}

// The three boxes, the real American English dictionary and a word list of the test's own.
class Spelling : public ::testing::Test, public TextBoxAccess
{
protected:
    TextBoxState textBox(TextBox box) const override { return boxes.at(int(box)); }
    void setTextBox(TextBox box, const TextBoxState& s) override { boxes.at(int(box)) = s; }

    QTemporaryDir folder;
    QString wordList = folder.filePath(u"words/list.txt"_s);
    std::array<TextBoxState, 3> boxes;
    ScriptedDesktopServices ds;
    Speller speller{Speller::defaultDictionaryFolders(), wordList};
    SpellCheck check{speller, ds, *this};
};

TEST_F(Spelling, WalksTitleSubTitleAndDescriptionWithTheSellersDecisions)
{
    QStringList met;
    QObject::connect(&check, &SpellCheck::problemFound, [&] { met << check.misspelt(); });
    ds.setClipboardText(u"mine"_s);
    // The boxes, the decisions (c: Change, a: Change All, i: Ignore, I: Ignore All, +: Add, x: Cancel),
    // the words the seller was asked about, the boxes afterwards and the message titles.
    const std::tuple<QStringList, QStringList, QString, QString, QString> cases[] = {
        {{{}, {}, {}}, {}, {}, u"||"_s, u"Listwright"_s},
        {{{}, {}, u"I recieve teh lamp.\r\nTeh box, teh cord"_s},
         {u"c:receive"_s, u"a:the"_s, u"c:The"_s},
         u"recieve|teh|Teh"_s,
         u"||I receive the lamp.\r\nThe box, the cord"_s,
         u"Listwright Spell Checker"_s},
        {{u"Qwzx lamp [S12]"_s, u"<b>brass</b> [a][b]"_s, u"Qwzx, see www.exampel.com <i>wrnog</i>"_s},
         {u"I"_s, u"i"_s},
         u"Qwzx|wrnog"_s,
         u"Qwzx lamp [S12]|<b>brass</b> [a][b]|Qwzx, see www.exampel.com <i>wrnog</i>"_s,
         u"Listwright Spell Checker"_s},
        {{u"Teh lamp"_s, {}, u"wrnog"_s}, {u"x"_s}, u"Teh"_s, u"Teh lamp||wrnog"_s, {}},
        {{u"Zorbly lamp"_s, {}, u"A Zorbly"_s},
         {u"+"_s},
         u"Zorbly"_s,
         u"Zorbly lamp||A Zorbly"_s,
         u"Listwright Spell Checker"_s},
    };
    for (const auto& [texts, decisions, asked, after, titles] : cases) {
        met.clear();
        ds.clearRecords();
        for (int b = 0; b < 3; ++b)
            boxes[b] = {texts[b]};
        check.mnuCheckSpelling_Click();
        for (const QString& d : decisions) {
            ASSERT_TRUE(check.isRunning()) << d.toStdString();
            const QString to = d.mid(2);
            const std::map<QChar, std::function<void()>> commands = {
                {u'c', [&] { check.change(to); }}, {u'a', [&] { check.changeAll(to); }},
                {u'i', [&] { check.ignore(); }},   {u'I', [&] { check.ignoreAll(); }},
                {u'+', [&] { check.add(); }},      {u'x', [&] { check.cancel(); }}};
            commands.at(d[0])();
        }
        EXPECT_FALSE(check.isRunning());
        EXPECT_EQ(met.join(u'|'), asked);
        EXPECT_EQ(boxes[0].text + u'|' + boxes[1].text + u'|' + boxes[2].text, after);
        EXPECT_EQ(ds.messageTitles().join(u'|'), titles) << asked.toStdString();
    }
    EXPECT_EQ(ds.clipboardText(), u"mine");
    EXPECT_EQ(ds.clipboardClears(), 0);

    // A capitalised word is offered the ordinary word first.
    for (const auto& [typed, first] : {std::pair{u"Teh"_s, u"The"_s}, {u"Recieve"_s, u"Receive"_s}})
        EXPECT_EQ(speller.suggestions(typed).value(0), first);
    // The added word is still known after a restart; without a dictionary nothing is checked.
    EXPECT_TRUE(Speller(Speller::defaultDictionaryFolders(), wordList).isCorrect(u"Zorbly"_s));
    Speller none({folder.path()}, wordList);
    SpellCheck without{none, ds, *this};
    ds.clearRecords();
    without.mnuCheckSpelling_Click();
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Error In Spell Check"_s});
    EXPECT_FALSE(without.isRunning());
}
