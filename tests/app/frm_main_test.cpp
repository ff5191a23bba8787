#include "adfile/ad_file.h"
#include "app/program.h"
#include "app/ui/frm_main.h"
#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "core/text_file.h"
#include "tests/testlib/test_install.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

using T = AdRecord::Text;
using E = AdRecord::Effect;

namespace {

class AppWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int n = 1; n <= 24; ++n)
            install.write(u"icons/emt/s_%1.gif"_s.arg(n), install.read(u"templates/graphics/0.gif"_s));
        ds.setTempFolder(install.path() + u"/"_s);
        window.Form_Load({});
        window.show();
        ds.clearRecords();
    }

    template <typename W = QWidget> W* find(const QString& name)
    {
        W* w = window.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void click(const QString& name)
    {
        if (auto* action = window.findChild<QAction*>(name)) {
            ASSERT_TRUE(action->isEnabled()) << name.toStdString();
            action->trigger();
            return;
        }
        auto* button = find<QAbstractButton>(name);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QPlainTextEdit* description() { return find<QPlainTextEdit>(u"txtDescription"_s); }
    // Types into the description as the seller would, then selects model positions.
    void setDescription(const QString& text, int start, int length)
    {
        state.ad.setText(T::Description, text);
        window.setTextBox(3, {text, start, length});
    }

    TestInstall install;
    ScriptedDesktopServices ds;
    SharedState state;
    Program program{state, ds};
    frmMain window{program, ds};
};

} // namespace

TEST_F(AppWindow, CarriesTheNamedControlsMenusAndToolbar)
{
    for (const char16_t* name : {u"txtTitle",
                                 u"txtSubTitle",
                                 u"cboTitleSize",
                                 u"cboSubTitleSize",
                                 u"cboDescriptionSize",
                                 u"shpTitleColor",
                                 u"ShpSubTitleColor",
                                 u"shpDescriptionColor",
                                 u"ShpOptionalColor",
                                 u"chkIncludeOptional",
                                 u"txtCondition",
                                 u"txtAge",
                                 u"txtComments",
                                 u"txtShipCost",
                                 u"txtPounds",
                                 u"txtOunces",
                                 u"cmdEmoticon",
                                 u"cmdNextEmoticon",
                                 u"cmdPreviousEmoticon",
                                 u"lblViewEmoticons",
                                 u"cmdAnimatedText",
                                 u"cboAnimatedText",
                                 u"CmdBold",
                                 u"cmdAlignRight",
                                 u"cmdQuickColor_11",
                                 u"Command2",
                                 u"cmdPicInsert",
                                 u"cmdTitleColor",
                                 u"CmdOptionalColor",
                                 u"cmdPictures",
                                 u"cmdDefaultColors",
                                 u"Label5"})
        EXPECT_NE(window.findChild<QWidget*>(QString::fromUtf16(name)), nullptr)
            << QString::fromUtf16(name).toStdString();

    QStringList menus;
    for (QAction* a : window.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{u"&File"_s, u"&Edit"_s, u"&Options"_s, u"Effects"_s, u"&Help"_s}));
    QStringList file;
    for (QAction* a : find<QMenu>(u"mnuFile"_s)->actions())
        if (!a->isSeparator())
            file << a->text();
    EXPECT_EQ(file, (QStringList{u"&New"_s, u"&Open..."_s, u"&Save"_s, u"Save &As..."_s,
                                 u"Save &Template Settings"_s, u"E&xit"_s}));
    EXPECT_EQ(find<QAction>(u"mnuOptionsGenerate"_s)->shortcut(), QKeySequence(u"F12"_s));
    EXPECT_EQ(find<QAction>(u"mnuTextSubTitleScrollB"_s)->shortcut(), QKeySequence(u"Shift+Ctrl+F6"_s));

    // Fourteen keyed buttons in five groups; those opening later windows are visibly unavailable.
    const QList<QAction*> tools = find<QToolBar>(u"tlbMain"_s)->actions();
    EXPECT_EQ(std::count_if(tools.begin(), tools.end(), [](QAction* a) { return a->isSeparator(); }), 4);
    EXPECT_EQ(
        std::count_if(tools.begin(), tools.end(), [](QAction* a) { return !a->property("key").isNull(); }),
        14);
    EXPECT_FALSE(find<QAction>(u"tlbMain_SubmitAd"_s)->isEnabled());
    EXPECT_FALSE(find<QAction>(u"mnuCheckSpelling"_s)->isEnabled());
    EXPECT_EQ(window.windowTitle(), u"Listwright - [New File]");
    EXPECT_EQ(window.minimumSize(), QSize(651, 447));
}

TEST_F(AppWindow, WrappingCountsLineBreaksAsTwoCharacters)
{
    setDescription(u"xabcy"_s, 1, 3);
    click(u"CmdBold"_s);
    EXPECT_EQ(state.ad.text(T::Description), u"x<B>abc</B>y");
    EXPECT_EQ(window.textBox(3).selStart, 11);
    EXPECT_EQ(window.textBox(3).selLength, 0);

    setDescription(u"ab\r\ncd"_s, 4, 2);
    click(u"cmdQuickColor_3"_s);
    EXPECT_EQ(state.ad.text(T::Description), u"ab\r\n<FONT COLOR = \"#00FF00\">cd</FONT COLOR>");
    EXPECT_EQ(window.textBox(3).selStart, state.ad.text(T::Description).size());
    EXPECT_EQ(description()->toPlainText(), u"ab\n<FONT COLOR = \"#00FF00\">cd</FONT COLOR>");

    setDescription({}, 0, 0);
    click(u"cmdAlignCenter"_s);
    EXPECT_EQ(state.ad.text(T::Description), u"<CENTER></CENTER>");
    EXPECT_EQ(window.textBox(3).selStart, 8);
}

TEST_F(AppWindow, PromptsColoursAndTheirCancels)
{
    setDescription(u"xyz"_s, 0, 0);
    click(u"Command2"_s); // both prompts unanswered
    EXPECT_EQ(ds.records().size(), 2);
    EXPECT_EQ(state.ad.text(T::Description), u"xyz");
    EXPECT_EQ(window.textBox(3).selStart, 3);

    state.ad.setAdChanged(false);
    const QString before = find<QWidget>(u"shpTitleColor"_s)->styleSheet();
    click(u"cmdTitleColor"_s);
    EXPECT_TRUE(state.ad.adChanged());
    EXPECT_EQ(find<QWidget>(u"shpTitleColor"_s)->styleSheet(), before);
    ds.queueColor(255);
    click(u"cmdTitleColor"_s);
    EXPECT_EQ(state.ad.color(AdRecord::Color::Title).text, u"#FF0000");
    EXPECT_TRUE(find<QWidget>(u"shpTitleColor"_s)->styleSheet().contains(u"#FF0000"_s));

    click(u"mnuTextDocumentMusic"_s); // prompt cancelled
    EXPECT_TRUE(state.ad.effect(E::Music));
    EXPECT_TRUE(find<QAction>(u"mnuTextDocumentMusic"_s)->isChecked());
    EXPECT_TRUE(state.ad.text(T::MusicUrl).isEmpty());
}

TEST_F(AppWindow, EmoticonsAndLetterImagesGoWhereTheSellerClicked)
{
    click(u"cmdPreviousEmoticon"_s);
    EXPECT_EQ(state.emoticonNumber, 18);
    for (int i = 0; i < 6; ++i)
        click(u"cmdNextEmoticon"_s);
    EXPECT_EQ(state.emoticonNumber, 24);
    click(u"cmdNextEmoticon"_s);
    EXPECT_EQ(state.emoticonNumber, 1);

    // After start-up both targets are the title.
    click(u"cmdEmoticon"_s);
    EXPECT_EQ(state.ad.text(T::Title), u"[S1]");

    QTest::mouseClick(description()->viewport(), Qt::LeftButton);
    ds.queuePromptAnswer(u"Hi yo"_s);
    click(u"cmdAnimatedText"_s);
    EXPECT_EQ(state.ad.text(T::Description), u"[H][i]&nbsp;&nbsp; [y][o]");
    EXPECT_EQ(window.textBox(3).selStart, 25);

    find<QComboBox>(u"cboAnimatedText"_s)->setCurrentIndex(4);
    EXPECT_EQ(state.ad.letterStyle(), 4);
}

TEST_F(AppWindow, ScrollSwitchesAreGroupedPerText)
{
    click(u"mnuTextTitleScrollL"_s);
    click(u"mnuTextTitleScrollB"_s);
    click(u"mnuTextSubTitleScrollR"_s);
    EXPECT_FALSE(find<QAction>(u"mnuTextTitleScrollL"_s)->isChecked());
    EXPECT_TRUE(find<QAction>(u"mnuTextTitleScrollB"_s)->isChecked());
    EXPECT_TRUE(state.ad.effect(E::SubTitleScrollR));
    click(u"mnuTextTitleScrollB"_s);
    EXPECT_FALSE(state.ad.effect(E::TitleScrollB));
    EXPECT_FALSE(state.ad.effect(E::TitleScrollL));
    EXPECT_FALSE(state.ad.adChanged());
}

TEST_F(AppWindow, EditCommandsWorkOnTheFocusedBox)
{
    auto* title = find<QLineEdit>(u"txtTitle"_s);
    title->setText(u"abcd"_s);
    title->setFocus();
    title->setSelection(1, 2);
    window.mnuEditCut_Click();
    EXPECT_EQ(ds.clipboardText(), u"bc");
    EXPECT_EQ(state.ad.text(T::Title), u"ad");

    title->setSelection(0, 1);
    ds.clearClipboard(); // a picture on the clipboard: no text
    window.mnuEditPaste_Click();
    EXPECT_EQ(state.ad.text(T::Title), u"d");

    find<QWidget>(u"cmdDefaultColors"_s)->setFocus();
    ds.setClipboardText(u"kept"_s);
    window.mnuEditCut_Click();
    window.mnuEditPaste_Click();
    EXPECT_EQ(ds.clipboardText(), u"kept");
    EXPECT_TRUE(ds.messages().isEmpty());
}

TEST_F(AppWindow, GenerateThenEditorCommandsDoNotMarkTheAd)
{
    click(u"mnuOptionsGenerate"_s);
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Your Ad Has Been Generated!"_s});
    EXPECT_FALSE(state.ad.adChanged());
    click(u"CmdBold"_s);
    EXPECT_FALSE(state.ad.adChanged());
    description()->setFocus();
    QTest::keyClick(description(), Qt::Key_X);
    EXPECT_TRUE(state.ad.adChanged());

    // Typing in the shipping cost alone is no change worth asking about.
    state.ad.setAdChanged(false);
    QTest::keyClicks(find<QLineEdit>(u"txtShipCost"_s), u"4.50"_s);
    EXPECT_FALSE(state.ad.adChanged());
    QTest::keyClicks(find<QLineEdit>(u"txtAge"_s), u"5"_s);
    EXPECT_TRUE(state.ad.adChanged());
}

TEST_F(AppWindow, ClosingAsksAndHonoursTheAnswer)
{
    QTest::keyClicks(find<QLineEdit>(u"txtTitle"_s), u"Lamp"_s);
    ds.queueMessageAnswer(MsgResult::Cancel);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    ds.queueMessageAnswer(MsgResult::Yes);
    ds.queueSaveFile(install.file(u"lamp.zad"_s));
    EXPECT_TRUE(window.close());
    EXPECT_EQ(readAdFile(install.file(u"lamp.zad"_s)).data->title, u"Lamp");
}

TEST_F(AppWindow, OpensTheCommandLineAdAndGrowsWithTheWindow)
{
    AdFileData d;
    d.title = u"Brass lamp"_s;
    d.description = u"one<BR>two"_s;
    d.titleSize = d.subTitleSize = d.descriptionSize = u"4"_s;
    for (QString& v : d.tableColorValues)
        v = u"0"_s;
    ASSERT_TRUE(writeTextLines(install.file(u"cli.zad"_s), d.toLines()));

    SharedState other;
    Program second(other, ds);
    frmMain opened(second, ds);
    opened.Form_Load(install.file(u"cli.zad"_s));
    opened.show();
    EXPECT_EQ(opened.findChild<QLineEdit*>(u"txtTitle"_s)->text(), u"Brass lamp");
    EXPECT_EQ(opened.findChild<QPlainTextEdit*>(u"txtDescription"_s)->toPlainText(), u"one\ntwo");
    EXPECT_EQ(opened.windowTitle(), u"Listwright - [cli.zad]");
    EXPECT_EQ(opened.findChild<QComboBox*>(u"cboTitleSize"_s)->currentText(), u"4");

    auto* text = opened.findChild<QPlainTextEdit*>(u"txtDescription"_s);
    auto* button = opened.findChild<QWidget*>(u"cmdPictures"_s);
    const QRect textBefore = text->geometry();
    const int buttonBefore = button->x();
    opened.resize(opened.width() + 150, opened.height() + 90);
    QTRY_VERIFY(text->width() > textBefore.width());
    EXPECT_GT(text->height(), textBefore.height());
    EXPECT_GT(button->x(), buttonBefore);
    EXPECT_EQ(button->width(), 112);
}

TEST_F(AppWindow, SaveAsOntoAnExistingFileAnsweredNoAndClosingWithoutSaving)
{
    install.write(u"taken.zad"_s, "keep me");
    QTest::keyClicks(find<QLineEdit>(u"txtTitle"_s), u"Lamp"_s);
    ds.queueSaveFile(install.file(u"taken.zad"_s));
    ds.queueMessageAnswer(MsgResult::No);
    click(u"mnuFileSaveAs"_s);
    EXPECT_EQ(ds.messageTitles(), QStringList{u"File Already Exists"_s});
    EXPECT_EQ(install.read(u"taken.zad"_s), "keep me");
    EXPECT_EQ(window.windowTitle(), u"Listwright - [New File]");

    ds.queueMessageAnswer(MsgResult::No);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(install.read(u"taken.zad"_s), "keep me");
}

TEST_F(AppWindow, OpensTheOtherWindowsWithoutBlocking)
{
    click(u"cmdPreferences"_s);
    auto* preferences = window.findChild<QWidget*>(u"frmPreferences"_s);
    ASSERT_NE(preferences, nullptr);
    EXPECT_TRUE(preferences->isVisible());
    auto* tabs = preferences->findChild<QTabWidget*>(u"tabPreferences"_s);
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->currentIndex(), 0);
    // Pick Template shows the templates tab even when the window is open on another.
    click(u"tlbMain_LoadTemplate"_s);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(window.findChildren<QWidget*>(u"frmPreferences"_s).size(), 1);

    click(u"mnuOptionsAddPictures"_s);
    auto* pictures = window.findChild<QWidget*>(u"frmImgs"_s);
    ASSERT_NE(pictures, nullptr);
    EXPECT_TRUE(pictures->isVisible());
    click(u"tlbMain_CustomizeTemplate"_s);
    auto* customize = window.findChild<QWidget*>(u"frmCustomizeTemplate"_s);
    ASSERT_NE(customize, nullptr);
    EXPECT_TRUE(customize->isVisible());
    EXPECT_TRUE(window.isEnabled());
}

TEST_F(AppWindow, NewAndOpenGiveTheTitleTheFocus)
{
    // Open moves the focus only after the seller has had the changes saved.
    const struct
    {
        const char16_t* command;
        bool changed;
    } cases[] = {{u"mnuFileNew", false}, {u"tlbMain_OpenFile", true}};
    for (const auto& c : cases) {
        description()->setFocus();
        state.ad.setAdChanged(c.changed);
        if (c.changed) {
            ds.queueMessageAnswer(MsgResult::Yes);
            ds.queueSaveFile(install.file(u"focus.zad"_s));
        }
        click(QString::fromUtf16(c.command));
        EXPECT_EQ(window.focusWidget(), find<QLineEdit>(u"txtTitle"_s))
            << QString::fromUtf16(c.command).toStdString();
    }
}

TEST_F(AppWindow, CutAndPasteInTheDescriptionCountAfterGenerate)
{
    for (const char16_t* command : {u"mnuEditCut", u"tlbMain_Cut", u"mnuEditPaste", u"tlbMain_Paste"}) {
        setDescription(u"abc"_s, 1, 1);
        state.ad.setNoSaving(true); // as Generate leaves it
        state.ad.setAdChanged(false);
        ds.setClipboardText(u"x"_s);
        click(QString::fromUtf16(command));
        EXPECT_TRUE(state.ad.adChanged()) << QString::fromUtf16(command).toStdString();
    }
}

TEST_F(AppWindow, TypedSizesAreNotAddedToTheLists)
{
    const std::pair<const char16_t*, T> lists[] = {{u"cboTitleSize", T::TitleSize},
                                                   {u"cboSubTitleSize", T::SubTitleSize},
                                                   {u"cboDescriptionSize", T::DescriptionSize}};
    for (const auto& [name, field] : lists) {
        QLineEdit* box = find<QComboBox>(QString::fromUtf16(name))->lineEdit();
        box->selectAll();
        QTest::keyClicks(box, u"9"_s);
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(find<QComboBox>(QString::fromUtf16(name))->count(), 7)
            << QString::fromUtf16(name).toStdString();
        EXPECT_EQ(box->text(), u"9");
        EXPECT_EQ(state.ad.text(field), u"9");
    }
}
