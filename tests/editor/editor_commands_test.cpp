#include "editor/editor_commands.h"

#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "tests/testlib/test_install.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

using E = AdRecord::Effect;

namespace {

// The desktop stand-in does not keep a prompt's default answer; the hyperlink's "http://" matters.
// Only the colour test opens anything but prompts, so records() are the prompts elsewhere.
class RecordingDesktop : public ScriptedDesktopServices
{
public:
    QStringList defaults;
    QString prompt(const QString& message, const QString& title, const QString& defaultAnswer) override
    {
        defaults.append(defaultAnswer);
        return ScriptedDesktopServices::prompt(message, title, defaultAnswer);
    }
};

// Three text boxes that write the model back as the main window does.
class FakeBoxes : public TextBoxAccess
{
public:
    explicit FakeBoxes(SharedState& state) : m_state(state) {}
    TextBoxState textBox(int field) const override { return boxes.at(field - 1); }
    void setTextBox(int field, const TextBoxState& s) override
    {
        boxes.at(field - 1) = s;
        focused = field;
        ++writes;
        static const AdRecord::Text fields[] = {AdRecord::Text::Title, AdRecord::Text::SubTitle,
                                                AdRecord::Text::Description};
        m_state.ad.setText(fields[field - 1], s.text);
    }
    // Loads a box without counting it as a command's write.
    void load(int field, const QString& text, int start = 0, int length = 0)
    {
        boxes.at(field - 1) = {text, start, length};
    }
    std::array<TextBoxState, 3> boxes;
    int focused = 0;
    int writes = 0;

private:
    SharedState& m_state;
};

class Editor : public ::testing::Test
{
protected:
    Editor()
    {
        for (int n = 1; n <= 24; ++n)
            install.write(u"icons/emt/s_%1.gif"_s.arg(n), "GIF89a");
    }
    const TextBoxState& box(int field) const { return boxes.boxes.at(field - 1); }
    // The box holds text with the caret at caret, nothing selected, and has the focus.
    void expectBox(int field, const QString& text, qsizetype caret) const
    {
        EXPECT_EQ(box(field).text, text);
        EXPECT_EQ(box(field).selStart, caret);
        EXPECT_EQ(box(field).selLength, 0);
        EXPECT_EQ(boxes.focused, field);
    }

    TestInstall install{false};
    SharedState state;
    RecordingDesktop ds;
    FakeBoxes boxes{state};
    EditorCommands cmd{state, ds, boxes};
};

using EditorWrap = Editor;
using EditorLinks = Editor;
using EditorColors = Editor;
using EditorEmoticons = Editor;
using EditorEffects = Editor;

TEST_F(EditorWrap, SelectionIsWrappedAndCaretGoesPastTheClosingTag)
{
    boxes.load(3, u"xabcy"_s, 1, 3);
    cmd.wrap(0);
    expectBox(3, u"x<B>abc</B>y"_s, 11);
    EXPECT_EQ(state.ad.text(AdRecord::Text::Description), u"x<B>abc</B>y"_s);
    EXPECT_TRUE(state.ad.adChanged());
}

TEST_F(EditorWrap, QuickColourWrapsWholeTextWithItsWord)
{
    boxes.load(3, u"old\r\ntext"_s, 0, 9);
    cmd.cmdQuickColor_Click(3);
    const QString expected = u"<FONT COLOR = \"#00FF00\">old\r\ntext</FONT COLOR>"_s;
    expectBox(3, expected, expected.size());
    cmd.cmdQuickColor_Click(10);
    EXPECT_TRUE(box(3).text.endsWith(u"<FONT COLOR = \"Darkred\"></FONT COLOR>"_s));
}

TEST_F(EditorWrap, WithoutSelectionCaretSitsBetweenTheTagsStaleSelectionIsClamped)
{
    cmd.wrap(7);
    expectBox(3, u"<CENTER></CENTER>"_s, 8);
    EXPECT_TRUE(box(1).text.isEmpty()) << "only the description is wrapped";
    boxes.load(3, u"ab"_s, 10, 5);
    cmd.wrap(1);
    expectBox(3, u"ab<I></I>"_s, 5);
    boxes.load(3, u"ab"_s, -3, 1);
    cmd.wrap(2);
    expectBox(3, u"<U>a</U>b"_s, 8);
}

TEST_F(EditorWrap, TableOfButtonsAndColours)
{
    const QStringList opens{u"<B>"_s,   u"<I>"_s,   u"<U>"_s,      u"<S>"_s,    u"<PRE>"_s,
                            u"<SUP>"_s, u"<SUB>"_s, u"<CENTER>"_s, u"<LEFT>"_s, u"<RIGHT>"_s};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(QStringView(wrapButtons()[i].open) + QStringView(wrapButtons()[i].close),
                  opens[i] + u"</" + opens[i].mid(1));
    EXPECT_EQ(QStringView(wrapButtons()[3].tooltip), u"Strike-Through"_s);
    EXPECT_EQ(QStringView(wrapButtons()[0].name), u"CmdBold"_s);
    EXPECT_EQ(QStringView(quickColors()[6].word), u"Fuchsia"_s);
    EXPECT_EQ(QStringView(quickColors()[7].tooltip), u"Light Grey"_s);
    EXPECT_EQ(QStringView(quickColors()[11].swatch), u"#808080"_s);
    EXPECT_EQ(letterStyleName(0), u"Jobbernole Red"_s);
    EXPECT_EQ(letterStyleName(8), u"GraphicLight Blue"_s);
    EXPECT_TRUE(letterStyleName(9).isEmpty());
}

TEST_F(EditorWrap, NoSavingKeepsTheAdUnchanged)
{
    state.ad.setNoSaving(true);
    boxes.load(3, u"abc"_s, 0, 3);
    cmd.wrap(0);
    EXPECT_EQ(state.ad.text(AdRecord::Text::Description), u"<B>abc</B>"_s);
    EXPECT_FALSE(state.ad.adChanged());
}

TEST(EditorPositions, LineBreaksCountTwiceInTheModelOnly)
{
    const QString model = u"a\r\nb\r\nc"_s;
    const int expected[] = {0, 1, 3, 4, 6, 7};
    for (int w = 0; w < 6; ++w) {
        EXPECT_EQ(widgetToModelPosition(model, w), expected[w]) << w;
        EXPECT_EQ(modelToWidgetPosition(model, expected[w]), w) << w;
    }
    EXPECT_EQ(modelToWidgetPosition(model, 2), 1) << "between CR and LF: before the break";
    EXPECT_EQ(modelToWidgetPosition(model, 5), 3);
    EXPECT_EQ(widgetToModelPosition(model, 99), 7);
    EXPECT_EQ(modelToWidgetPosition(model, 99), 5);
    EXPECT_EQ(modelToWidgetPosition(model, -1), 0);
    EXPECT_EQ(widgetToModelPosition(u"a\rb\nc"_s, 4), 4) << "a lone CR or LF is one character";
    EXPECT_EQ(widgetToModelPosition(u"\r\n\r\n"_s, 1), 2);
}

TEST_F(EditorLinks, LinkInFrontOfSelectionWithAddressAsBlankText)
{
    boxes.load(3, u"xyz"_s);
    ds.queuePromptAnswer(u"page.htm"_s);
    ds.queuePromptAnswer(QString());
    cmd.Command2_Click();
    expectBox(3, u"<A HREF = \"page.htm\">page.htm</a> xyz"_s, 37);
    const auto& prompts = ds.records();
    ASSERT_EQ(prompts.size(), 2);
    EXPECT_EQ(prompts[0].text,
              u"Please enter the URL (web address) of the location you wish to create a hyperlink to.\r\n\r\n"
              "Example: http://www.example.com/page.htm\r\n"_s);
    EXPECT_TRUE(prompts[0].title.isEmpty());
    EXPECT_EQ(ds.defaults, (QStringList{u"http://"_s, QString()}));
    EXPECT_TRUE(
        prompts[1].text.startsWith(u"Please enter the text you wish to display, which can be clicked to take "
                                   "the user to the web address "_s));
    EXPECT_TRUE(prompts[1].text.contains(
        u" previously.  You may leave this field blank and select OK to use the actual "
        "address entered as the hyperlinked text.\r\n"_s));
    EXPECT_TRUE(
        prompts[1].text.endsWith(u"\r\n\r\nExample: Click here to visit Quenmere Software's site!\r\n"_s));

    // The link goes in front of a selection, which stays.
    boxes.load(3, u"a SEL b"_s, 2, 3);
    ds.queuePromptAnswer(u"http://x.example"_s);
    ds.queuePromptAnswer(u"go"_s);
    cmd.Command2_Click();
    expectBox(3, u"a <A HREF = \"http://x.example\">go</a> SEL b"_s, box(3).text.size());
}

TEST_F(EditorLinks, CancelledAddressStillAsksForTextAndMovesCaretToEnd)
{
    boxes.load(3, u"keep me"_s, 1, 2);
    cmd.Command2_Click();
    EXPECT_EQ(ds.records().size(), 2);
    expectBox(3, u"keep me"_s, 7);
}

TEST_F(EditorLinks, ImageInFrontOfSelectionOrJustCaretToEnd)
{
    boxes.load(3, u"ab"_s, 1, 1);
    ds.queuePromptAnswer(u"p.jpg"_s);
    cmd.cmdPicInsert_Click();
    expectBox(3, u"a<IMG SRC = \"p.jpg\">b"_s, box(3).text.size());
    ASSERT_EQ(ds.records().size(), 1);
    EXPECT_TRUE(ds.records()[0].title.isEmpty());
    EXPECT_TRUE(
        ds.records()[0].text.endsWith(u"Example: http://www.yourhost.example/pictures/yourimage.jpg\r\n"_s));
    boxes.load(3, u"ab"_s, 0, 0);
    cmd.cmdPicInsert_Click();
    expectBox(3, u"ab"_s, 2);
}

TEST_F(EditorColors, CancelledPickerMarksTheAdChangedChosenOneIsStored)
{
    state.ad.setColor(AdRecord::Color::SubTitle, ColorPair::fromValue(0x0000FF));
    state.ad.setAdChanged(false);
    cmd.pickColor(AdRecord::Color::SubTitle);
    EXPECT_TRUE(state.ad.adChanged());
    EXPECT_EQ(state.ad.color(AdRecord::Color::SubTitle).value, 0x0000FF);
    ASSERT_EQ(ds.records().size(), 1);
    EXPECT_EQ(ds.records()[0].text, u"255"_s) << "the dialog opens on the current colour";
    ds.queueColor(0x00FF8000);
    cmd.pickColor(AdRecord::Color::Optional);
    EXPECT_EQ(state.ad.color(AdRecord::Color::Optional), ColorPair::fromValue(0x00FF8000));
    EXPECT_EQ(state.ad.color(AdRecord::Color::Title).value, 0);
}

TEST_F(EditorEmoticons, PagingWrapsForwardToOneAndBackToEighteen)
{
    EXPECT_EQ(cmd.emoticonPath(5), install.path() + u"/icons/emt/s_5.gif"_s);
    EXPECT_EQ(cmd.emoticonPath(123), install.path() + u"/icons/emt/s_23.gif"_s);
    EXPECT_EQ(emoticonCode(1), u"[S1]"_s);
    EXPECT_EQ(emoticonCode(21), u"[S21]"_s);
    EXPECT_TRUE(emoticonCode(22).isEmpty());
    EXPECT_TRUE(emoticonCode(0).isEmpty());

    state.emoticonNumber = 23;
    cmd.cmdNextEmoticon_Click();
    EXPECT_EQ(state.emoticonNumber, 24);
    cmd.cmdNextEmoticon_Click();
    EXPECT_EQ(state.emoticonNumber, 1);
    cmd.cmdPreviousEmoticon_Click();
    EXPECT_EQ(state.emoticonNumber, 18);
    cmd.cmdPreviousEmoticon_Click();
    EXPECT_EQ(state.emoticonNumber, 17);
    EXPECT_EQ(cmd.currentEmoticonPath(), cmd.emoticonPath(17));
}

TEST_F(EditorEmoticons, MissingFallbackPictureKeepsTheNumber)
{
    QFile::remove(install.file(u"icons/emt/s_1.gif"_s));
    QFile::remove(install.file(u"icons/emt/s_18.gif"_s));
    state.emoticonNumber = 24;
    cmd.cmdNextEmoticon_Click();
    EXPECT_EQ(state.emoticonNumber, 24);
    state.emoticonNumber = 2;
    cmd.cmdPreviousEmoticon_Click();
    EXPECT_EQ(state.emoticonNumber, 2);
}

TEST_F(EditorEmoticons, GoesIntoTheTitleOfAFreshState)
{
    // The fixture's state is as new: no target was chosen yet.
    boxes.load(1, u"ab"_s, 1, 0);
    state.emoticonNumber = 7;
    cmd.cmdEmoticon_Click();
    expectBox(1, u"a[S7]b"_s, 5);
    EXPECT_EQ(state.ad.text(AdRecord::Text::Title), u"a[S7]b"_s);
}

TEST_F(EditorEmoticons, CodeGoesInFrontOfTheSelectionAndTwentyTwoHasNone)
{
    state.emoticonTarget = 2;
    state.emoticonNumber = 12;
    boxes.load(2, u"xSELy"_s, 1, 3);
    cmd.cmdEmoticon_Click();
    expectBox(2, u"x[S12]SELy"_s, 9);

    // 22 has no code, yet the box is still rewritten with the caret after the selection.
    state.emoticonTarget = 1;
    state.emoticonNumber = 22;
    boxes.load(1, u"abc"_s, 1, 1);
    cmd.cmdEmoticon_Click();
    expectBox(1, u"abc"_s, 2);
    state.emoticonTarget = 4;
    const int writes = boxes.writes;
    cmd.cmdEmoticon_Click();
    EXPECT_EQ(boxes.writes, writes) << "no box outside 1..3";
}

TEST_F(EditorEmoticons, AnimatedTextTurnsBlanksIntoHardSpaces)
{
    state.letterTarget = 3;
    ds.queuePromptAnswer(u"Hi yo"_s);
    cmd.cmdAnimatedText_Click();
    expectBox(3, u"[H][i]&nbsp;&nbsp; [y][o]"_s, 25);
    ASSERT_EQ(ds.records().size(), 1);
    EXPECT_TRUE(ds.records()[0].title.isEmpty());
    const QStringList lines = ds.records()[0].text.split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], u"Please enter the text you wish to make animated."_s);
    EXPECT_EQ(lines[4], u"`  ~  #  ^  *  (  )  _  -  +  =  [  ]  {  }  \\  |  ;  :  '  \"  <  >  /"_s);
    EXPECT_EQ(lines[8], u"@  %"_s);
    EXPECT_EQ(animatedTextCode(u"  "_s), u"&nbsp;&nbsp; &nbsp;&nbsp; "_s);
    EXPECT_EQ(animatedTextCode(u"a\U0001F600"_s), u"[a][\U0001F600]"_s);
    // A cancelled question still gives the box the focus.
    boxes.load(1, u"t"_s, 0, 1);
    state.letterTarget = 1;
    cmd.cmdAnimatedText_Click();
    expectBox(1, u"t"_s, 1);
}

TEST_F(EditorEffects, ScrollItemsExcludeEachOtherWithinTheirGroupOnly)
{
    cmd.scrollSwitch_Click(E::TitleScrollL);
    cmd.scrollSwitch_Click(E::SubTitleScrollB);
    cmd.scrollSwitch_Click(E::TitleScrollR);
    EXPECT_FALSE(state.ad.effect(E::TitleScrollL));
    EXPECT_TRUE(state.ad.effect(E::TitleScrollR));
    EXPECT_TRUE(state.ad.effect(E::SubTitleScrollB));
    cmd.scrollSwitch_Click(E::SubTitleScrollL);
    EXPECT_FALSE(state.ad.effect(E::SubTitleScrollB));
    EXPECT_TRUE(state.ad.effect(E::TitleScrollR)) << "the title group is left alone";
    // An ad file may hold two directions of one group; unchecking one keeps the other.
    state.ad.setEffect(E::TitleScrollL, true);
    cmd.scrollSwitch_Click(E::TitleScrollR);
    EXPECT_FALSE(state.ad.effect(E::TitleScrollR));
    EXPECT_TRUE(state.ad.effect(E::TitleScrollL)) << "unchecking touches nothing else";
    EXPECT_TRUE(state.ad.effect(E::SubTitleScrollL));
}

TEST_F(EditorEffects, EffectsNeverChangeTheUnsavedFlag)
{
    int flips = 0;
    QObject::connect(&state.ad, &AdRecord::adChangedChanged, [&] { ++flips; });
    cmd.scrollSwitch_Click(E::TitleScrollB);
    cmd.mnuTextDocumentNoRightClick_Click();
    EXPECT_TRUE(state.ad.effect(E::NoRightClick));
    EXPECT_FALSE(state.ad.adChanged());
    EXPECT_EQ(flips, 0);
    state.ad.setAdChanged(true);
    cmd.scrollSwitch_Click(E::TitleScrollB);
    cmd.mnuTextDocumentNoRightClick_Click();
    EXPECT_FALSE(state.ad.effect(E::NoRightClick));
    EXPECT_TRUE(state.ad.adChanged());
}

TEST_F(EditorEffects, MusicAsksForAnAddressOnlyWhenSwitchedOn)
{
    int rebuilds = 0;
    state.ad.setText(AdRecord::Text::MusicUrl, u"old.mid"_s);
    cmd.mnuTextDocumentMusic_Click([&] { ++rebuilds; });
    EXPECT_TRUE(state.ad.effect(E::Music));
    EXPECT_TRUE(state.ad.text(AdRecord::Text::MusicUrl).isEmpty());
    EXPECT_EQ(rebuilds, 1);
    ASSERT_EQ(ds.records().size(), 1);
    EXPECT_EQ(ds.records()[0].title, u"Music File Selector"_s);
    EXPECT_EQ(ds.records()[0].text, u"Please enter the url of the music file you wish to play below.\r\n\r\n"
                                    "Example: http://www.yoursite.example/music/bg.mid"_s);
    EXPECT_TRUE(ds.defaults[0].isEmpty());
    EXPECT_FALSE(state.ad.adChanged());

    cmd.mnuTextDocumentMusic_Click([&] { ++rebuilds; });
    ds.queuePromptAnswer(u"http://m.example/a.mid"_s);
    cmd.mnuTextDocumentMusic_Click([&] { ++rebuilds; });
    EXPECT_EQ(state.ad.text(AdRecord::Text::MusicUrl), u"http://m.example/a.mid"_s);
    EXPECT_FALSE(state.ad.adChanged()) << "the address does not mark the ad";
    cmd.mnuTextDocumentMusic_Click([&] { ++rebuilds; });
    EXPECT_FALSE(state.ad.effect(E::Music));
    EXPECT_EQ(state.ad.text(AdRecord::Text::MusicUrl), u"http://m.example/a.mid"_s);
    EXPECT_EQ(rebuilds, 2);
    EXPECT_EQ(ds.records().size(), 2);
}

} // namespace
