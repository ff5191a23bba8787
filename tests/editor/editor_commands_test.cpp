#include "editor/editor_commands.h"

#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "tests/testlib/test_install.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

using E = AdRecord::Effect;

namespace {

// The fixture stands in for the three text boxes and remembers which one had the focus last.
class Editor : public ::testing::Test, public TextBoxAccess
{
protected:
    TextBoxState textBox(TextBox box) const override { return boxes.at(int(box)); }
    void setTextBox(TextBox box, const TextBoxState& s) override
    {
        boxes.at(int(box)) = s;
        focused = box;
    }
    std::array<TextBoxState, 3> boxes;
    std::optional<TextBox> focused;
    test::TestInstall install{false};
    SharedState state;
    ScriptedDesktopServices ds;
    EditorCommands cmd{state, ds, *this};
};

TEST_F(Editor, InsertsIntoTheTargetBoxAroundOrBeforeTheSelection)
{
    const auto T = TextBox::Title, S = TextBox::SubTitle, D = TextBox::Description;
    // Each command must use its own target.
    state.emoticonTarget = T;
    state.letterTarget = S;
    const std::function<void()> link = [&] { cmd.Command2_Click(); };
    const std::function<void()> letters = [&] { cmd.cmdAnimatedText_Click(); };
    const auto emoticon = [this](int number) {
        state.emoticonNumber = number;
        cmd.cmdEmoticon_Click();
    };
    // The command, the prompt answers, the box with its text and selection, the result and the
    // caret (-1: at the end).
    const std::tuple<std::function<void()>, QStringList, TextBox, QString, int, int, QString, int> cases[] = {
        {[&] { cmd.wrap(0); }, {}, D, u"xabcy"_s, 1, 3, u"x<B>abc</B>y"_s, 11},
        // Without a selection the caret goes between the tags; a stale selection is clamped.
        {[&] { cmd.wrap(1); }, {}, D, u"ab"_s, 10, 5, u"ab<I></I>"_s, 5},
        {[&] { cmd.wrap(2); }, {}, D, u"ab"_s, -3, 1, u"<U>a</U>b"_s, 8},
        {[&] { cmd.cmdQuickColor_Click(9); }, {}, D, {}, 0, 0, u"<FONT COLOR = \"navy\"></FONT COLOR>"_s, 21},
        // A blank link text takes the address; a cancelled address still asks for the text.
        {link, {u"p"_s, {}}, D, u"xyz"_s, 0, 0, u"<A HREF = \"p\">p</a> xyz"_s, -1},
        {link, {u"p"_s, u"go"_s}, D, u"a SEL b"_s, 2, 3, u"a <A HREF = \"p\">go</a> SEL b"_s, -1},
        {link, {}, D, u"keep me"_s, 1, 2, u"keep me"_s, -1},
        {[&] { cmd.cmdPicInsert_Click(); }, {u"p.jpg"_s}, D, u"ab"_s, 1, 1, u"a<IMG SRC = \"p.jpg\">b"_s, -1},
        {[&] { cmd.cmdPicInsert_Click(); }, {}, D, u"ab"_s, 0, 0, u"ab"_s, -1},
        // The caret follows the selection; emoticon 22 has no code, yet the box is rewritten so.
        {[&] { emoticon(21); }, {}, T, u"xSELy"_s, 1, 3, u"x[S21]SELy"_s, 9},
        {[&] { emoticon(22); }, {}, T, u"abc"_s, 1, 1, u"abc"_s, 2},
        {letters, {u"Hi \U0001F600"_s}, S, {}, 0, 0, u"[H][i]&nbsp;&nbsp; [\U0001F600]"_s, -1},
        {letters, {}, S, u"t"_s, 0, 1, u"t"_s, 1}};
    for (const auto& [click, answers, box, text, start, length, result, caret] : cases) {
        for (const QString& answer : answers)
            ds.queuePromptAnswer(answer);
        boxes.at(int(box)) = {text, start, length};
        click();
        // The box holds the result with the caret in place, nothing selected, and has the focus.
        const TextBoxState& s = boxes.at(int(box));
        EXPECT_EQ(std::tuple(s.text, s.selStart, s.selLength, focused),
                  std::tuple(result, caret < 0 ? int(result.size()) : caret, 0, std::optional(box)))
            << s.text.toStdString() << " with the caret at " << s.selStart;
    }
    // Two questions for each hyperlink, one for an image or a text.
    EXPECT_EQ(ds.records().size(), 10);
}

TEST(EditorPositions, LineBreaksCountTwiceInTheModelOnly)
{
    const QString model = u"a\r\nb\r\nc"_s;
    const int expected[] = {0, 1, 3, 4, 6, 7};
    for (int w = 0; w < 6; ++w) {
        EXPECT_EQ(widgetToModelPosition(model, w), expected[w]) << w;
        EXPECT_EQ(modelToWidgetPosition(model, expected[w]), w) << w;
    }
    // Between CR and LF is before the break; out-of-range positions are clamped; a lone CR or LF is one
    // character.
    EXPECT_EQ(modelToWidgetPosition(model, 2), 1);
    EXPECT_EQ(modelToWidgetPosition(model, 99), 5);
    EXPECT_EQ(widgetToModelPosition(model, 99), 7);
    EXPECT_EQ(widgetToModelPosition(u"a\rb\nc"_s, 4), 4);
}

TEST_F(Editor, EmoticonsPageForwardToOneAndBackToEighteen)
{
    for (int n = 1; n <= 24; ++n)
        install.write(u"icons/emt/s_%1.gif"_s.arg(n), "GIF89a");
    EXPECT_EQ(cmd.emoticonPath(123), install.path() + u"/icons/emt/s_23.gif"_s);
    const auto go = [this](int from, bool next) {
        state.emoticonNumber = from;
        next ? cmd.cmdNextEmoticon_Click() : cmd.cmdPreviousEmoticon_Click();
        return state.emoticonNumber;
    };
    EXPECT_EQ((QList{go(23, true), go(24, true), go(1, false), go(18, false)}), (QList{24, 1, 18, 17}));
    // Without the picture to fall back on, the number stays.
    QFile::remove(install.file(u"icons/emt/s_1.gif"_s));
    QFile::remove(install.file(u"icons/emt/s_18.gif"_s));
    EXPECT_EQ((QList{go(24, true), go(2, false)}), (QList{24, 2}));
}

TEST_F(Editor, EffectSwitchesMusicAndColourPickers)
{
    int rebuilds = 0;
    const auto rebuild = [&] { ++rebuilds; };

    // Scroll directions exclude each other within their group only; unchecking touches nothing else.
    cmd.toggleScroll(E::TitleScrollL);
    cmd.toggleScroll(E::SubTitleScrollB);
    cmd.toggleScroll(E::TitleScrollR);
    EXPECT_EQ(state.ad.values().effects, (std::array{false, true, false, false, false, true, false, false}));
    state.ad.setEffect(E::TitleScrollL, true); // an ad file may hold two
    cmd.toggleScroll(E::TitleScrollR);
    cmd.mnuTextDocumentNoRightClick_Click();
    EXPECT_EQ(state.ad.values().effects, (std::array{true, false, false, false, false, true, true, false}));

    // Music asks for an address only when switched on; switching off keeps it, a cancelled question
    // leaves none.
    ds.queuePromptAnswer(u"a.mid"_s);
    cmd.mnuTextDocumentMusic_Click(rebuild);
    cmd.mnuTextDocumentMusic_Click(rebuild);
    EXPECT_EQ(state.ad.text(AdRecord::Text::MusicUrl), u"a.mid"_s);
    cmd.mnuTextDocumentMusic_Click(rebuild);
    EXPECT_TRUE(state.ad.effect(E::Music) && state.ad.text(AdRecord::Text::MusicUrl).isEmpty());
    // Two questions, two rebuilt page fragments.
    EXPECT_EQ(std::tuple(ds.records().size(), rebuilds), std::tuple(2, 2));

    // A colour picker marks the ad before it opens, on the current colour; Cancel keeps the colour.
    state.ad.setAdChanged(false);
    state.ad.setColor(AdRecord::Color::SubTitle, ColorPair::fromValue(0x0000FF));
    cmd.pickColor(AdRecord::Color::SubTitle);
    EXPECT_TRUE(state.ad.adChanged());
    EXPECT_EQ(state.ad.color(AdRecord::Color::SubTitle).value, 0x0000FF);
    EXPECT_EQ(ds.records().last().text, u"255"_s);
    ds.queueColor(0x00FF8000);
    cmd.pickColor(AdRecord::Color::Optional);
    EXPECT_EQ(state.ad.color(AdRecord::Color::Optional), ColorPair::fromValue(0x00FF8000));
}

} // namespace
