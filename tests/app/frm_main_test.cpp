#include "app/program.h"
#include "app/ui/frm_main.h"
#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "editor/ui/spell_as_you_type.h"
#include "editor/ui/spell_underline.h"
#include "settings/template_commands.h"
#include "support/ui/window_places.h"
#include "tests/app/app_fixture.h"
#include "tests/testlib/test_install.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;
using T = AdRecord::Text;
using Kind = ScriptedDesktopServices::Kind;

// The window after start-up over a private installation and a scripted desktop. Controls are
// found by name, as the seller finds them by caption.
class AppWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int n = 1; n <= 3; ++n)
            install.write(u"icons/emt/s_%1.gif"_s.arg(n), install.read(u"templates/graphics/0.gif"_s));
        ds.setTempFolder(install.path() + u"/"_s);
        window.Form_Load({});
        window.show();
    }
    static std::string id(QStringView name) { return name.toString().toStdString(); }
    template <typename W = QWidget> W* find(QStringView n) { return window.findChild<W*>(n.toString()); }
    void click(QStringView name)
    {
        if (auto* action = find<QAction>(name))
            return action->trigger();
        if (auto* link = find<QLabel>(name))
            return Q_EMIT link->linkActivated(u"#"_s);
        QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton);
    }
    // What a command showed since the last call: prompt texts, message titles, dialogs, the last
    // part of each page opened and the windows it brought up (hidden again).
    QString shown()
    {
        QStringList trace;
        for (const auto& r : ds.records())
            trace << (r.kind == Kind::Prompt ? r.text : r.kind == Kind::MessageBox ? r.title : u"dialog"_s);
        for (const QString& page : ds.shellOpened().mid(std::exchange(m_pages, ds.shellOpened().size())))
            trace << page.section(u'/', -1);
        for (QWidget* other : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (other->isWindow() && other->isVisible()) {
                auto* tabs = other->findChild<QTabWidget*>();
                trace << other->objectName() + (tabs ? QString::number(tabs->currentIndex()) : QString());
                other->hide();
            }
        ds.clearRecords();
        return trace.join(u'|');
    }

    test::TestInstall install;
    ScriptedDesktopServices ds;
    SharedState state;
    Program program{state, ds};
    frmMain window{program, ds};
    qsizetype m_pages = 0;
};

TEST_F(AppWindow, MenusToolbarAndButtonsReachTheirCommandsMindingTheFocus)
{
    // Each row: what is shown, then the controls that show it. Pages go by the last part of their address
    // (the maker's site ends in "lwr"); a closing with changes is answered Cancel.
    const QList<QStringList> cases = {
        {u"dialog"_s, u"mnuFileOpen tlbMain_OpenFile mnuFileSave tlbMain_SaveFile mnuFileSaveAs"_s},
        {u"dialog"_s, u"cmdTitleColor cmdSubTitleColor cmdDescriptionColor CmdOptionalColor"_s},
        {u"Your Ad Has Been Generated!"_s, u"mnuOptionsGenerate tlbMain_GenerateAd"_s},
        {u"AdPreview.html"_s, u"mnuOptionsPreview tlbMain_PreviewAd"_s},
        {u"index.html"_s, u"mnuHelpHelpTopics"_s},
        {u"tutorials.html"_s, u"mnuHelpTutorials"_s},
        {u"emoticons.html"_s, u"lblViewEmoticons"_s},
        {u"lwr"_s, u"mnuHelpWebsite Label5"_s},
        {EditorCommands::hyperlinkAddressMessage() + u'|' + EditorCommands::hyperlinkTextMessage(),
         u"Command2"_s},
        {EditorCommands::imageMessage(), u"cmdPicInsert"_s},
        {EditorCommands::animatedTextMessage(), u"cmdAnimatedText mnuEffectsAnimatedText"_s},
        {EditorCommands::musicMessage(), u"mnuTextDocumentMusic"_s},
        {u"frmPreferences0"_s, u"tlbMain_AdPreferences cmdPreferences mnuOptionsPreferences"_s},
        {u"frmPreferences1"_s, u"tlbMain_LoadTemplate"_s},
        {u"frmImgs"_s, u"cmdPictures mnuOptionsAddPictures tlbMain_InsertPictures"_s},
        {u"frmCustomizeTemplate"_s,
         u"cmdCustomizeTemplate mnuOptionsCustomizeTemplate tlbMain_CustomizeTemplate"_s},
        {u"Listwright"_s, u"mnuCheckSpelling tlbMain_CheckSpelling"_s}, // nothing to check yet
        {u"frmAbout"_s, u"mnuHelpAbout"_s},
        {u"Save Changes?"_s, u"mnuFileExit"_s}};
    for (const QStringList& c : cases)
        for (const QString& control : c.last().split(u' ')) {
            state.ad.setAdChanged(control == u"mnuFileExit");
            click(control);
            EXPECT_EQ(shown(), c.first()) << id(control);
        }

    // The edit commands act on the box with the focus; the bold button on the description wherever it is.
    for (TextBox box : {TextBox::Title, TextBox::Description})
        for (const QString& edit : {u"CmdBold"_s, u"mnuEditCopy"_s, u"tlbMain_Copy"_s, u"mnuEditCut"_s,
                                    u"tlbMain_Cut"_s, u"mnuEditPaste"_s, u"tlbMain_Paste"_s}) {
            window.setTextBox(box, {u"abc"_s, 1, 1});
            state.ad.setAdChanged(false);
            ds.setClipboardText(u"x"_s);
            click(edit);
            EXPECT_EQ(ds.clipboardText(), edit.contains(u"Copy") || edit.contains(u"Cut") ? u"b" : u"x");
            EXPECT_EQ(state.ad.adChanged(), !edit.contains(u"Copy")) << id(edit);
        }

    // Open moves the focus only after the seller has had the changes saved.
    for (const QString& command : {u"tlbMain_NewFile"_s, u"mnuFileOpen"_s, u"mnuFileNew"_s}) {
        window.setTextBox(TextBox::Description, {});
        state.ad.setAdChanged(command != u"mnuFileNew");
        ds.queueMessageAnswer(MsgResult::Yes);
        ds.queueSaveFile(install.file(command + u".zad"_s));
        click(command);
        EXPECT_EQ(window.focusWidget(), find(u"txtTitle")) << id(command);
    }
}

// Every line of the ad file, changed through the command a seller would use: closing then asks, and
// Yes saves the change. Lines 25 and 36 (the page's colour and texture switch) have no command; they
// only travel with the file.
TEST_F(AppWindow, EveryChangeOfWhatTheAdFileKeepsAsksBeforeClosing)
{
    // Template 15: ten pictures, four tables. The calculator is on, so the weight can be typed.
    state.prefs.setFlag(Preferences::Field::ShowCalc, true);
    state.prefs.setText(Preferences::Field::ZipCode, u"12345"_s);
    state.templates.setSelectedIndex(14);
    DefaultColors(state, ds);
    ds.queueSaveFile(install.file(u"base.zad"_s));
    click(u"mnuFileSaveAs");
    const QStringList base = install.readLines(u"base.zad"_s);
    ASSERT_EQ(base.size(), 55);

    auto type = [this](QStringView name, const QString& text) {
        auto* box = find<QLineEdit>(name);
        if (!box)
            box = find<QComboBox>(name)->lineEdit();
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    };
    auto inWindow = [this](QStringView button, QStringView window,
                           const std::function<void(QWidget*)>& edit) {
        click(button);
        QWidget* w = find(window);
        edit(w);
        QTest::mouseClick(
            w->findChild<QAbstractButton*>(window == u"frmImgs" ? u"cmdPrefOK"_s : u"cmdCustomizeOK"_s),
            Qt::LeftButton);
    };
    auto typeIn = [](QWidget* w, const QString& name, const QString& text) {
        auto* box = w->findChild<QLineEdit*>(name);
        box->selectAll();
        QTest::keyClicks(box, text);
    };
    auto clickIn = [](QWidget* w, const QString& name) {
        QTest::mouseClick(w->findChild<QAbstractButton*>(name), Qt::LeftButton);
    };
    auto pick = [this](QStringView list) { QTest::keyClick(find(list), Qt::Key_Down); };

    std::vector<std::pair<int, std::function<void()>>> changes = {
        {1, [&] { type(u"txtTitle", u"Lamp"_s); }},
        {2, [&] { type(u"txtSubTitle", u"Brass"_s); }},
        // After a generation too: the markup buttons and the emoticon are edits like typing.
        {3,
         [&] {
             click(u"mnuOptionsGenerate");
             click(u"CmdBold");
         }},
        {3,
         [&] {
             click(u"mnuOptionsGenerate");
             QTest::mouseClick(find<QPlainTextEdit>(u"txtDescription")->viewport(), Qt::LeftButton);
             click(u"cmdEmoticon");
         }},
        {4,
         [&] {
             ds.queueColor(0xFF);
             click(u"cmdTitleColor");
         }},
        {5,
         [&] {
             ds.queueColor(0xFF);
             click(u"cmdSubTitleColor");
         }},
        {6,
         [&] {
             ds.queueColor(0xFF);
             click(u"cmdDescriptionColor");
         }},
        {7, [&] { pick(u"cboTitleSize"); }}, // picked from the list
        {8, [&] { type(u"cboSubTitleSize", u"2"_s); }},
        {9, [&] { type(u"cboDescriptionSize", u"1"_s); }},
        {10, [&] { type(u"txtCondition", u"Good"_s); }},
        {11, [&] { type(u"txtAge", u"40"_s); }},
        {12, [&] { type(u"txtComments", u"Rare"_s); }},
        {13, [&] { type(u"txtShipCost", u"5.00"_s); }},
        {14, [&] { click(u"chkIncludeOptional"); }},
        {26,
         [&] {
             inWindow(u"cmdCustomizeTemplate", u"frmCustomizeTemplate", [&](QWidget* w) {
                 ds.queueColor(1);
                 clickIn(w, u"cmdTableBackground_1"_s);
             });
         }},
        {27,
         [&] {
             inWindow(u"cmdCustomizeTemplate", u"frmCustomizeTemplate", [&](QWidget* w) {
                 ds.queueColor(2);
                 clickIn(w, u"cmdTableBackground_2"_s);
             });
         }},
        {28,
         [&] {
             inWindow(u"cmdCustomizeTemplate", u"frmCustomizeTemplate", [&](QWidget* w) {
                 ds.queueColor(3);
                 clickIn(w, u"cmdTableBackground_3"_s);
             });
         }},
        {29,
         [&] {
             inWindow(u"cmdCustomizeTemplate", u"frmCustomizeTemplate", [&](QWidget* w) {
                 ds.queueColor(4);
                 clickIn(w, u"cmdTableBackground_4"_s);
             });
         }},
        {30,
         [&] {
             ds.queueColor(0xFF);
             click(u"CmdOptionalColor");
         }},
        {31,
         [&] {
             inWindow(u"cmdCustomizeTemplate", u"frmCustomizeTemplate",
                      [&](QWidget* w) { typeIn(w, u"txtTableTexture_0"_s, u"page.jpg"_s); });
         }},
        {41,
         [&] {
             click(u"cmdPreferences");
             find<QListWidget>(u"lstTemplates")->setCurrentRow(2);
             click(u"cmdPrefOK");
         }},
        {42, [&] { click(u"mnuTextTitleScrollL"); }},
        {43, [&] { click(u"mnuTextTitleScrollR"); }},
        {44, [&] { click(u"mnuTextTitleScrollB"); }},
        {45, [&] { click(u"mnuTextSubTitleScrollL"); }},
        {46, [&] { click(u"mnuTextSubTitleScrollR"); }},
        {47, [&] { click(u"mnuTextSubTitleScrollB"); }},
        {48, [&] { click(u"mnuTextDocumentNoRightClick"); }},
        {49, [&] { click(u"mnuTextDocumentMusic"); }},
        {50,
         [&] {
             ds.queuePromptAnswer(u"bg.mid"_s);
             click(u"mnuTextDocumentMusic");
         }},
        {51, [&] { pick(u"cboAnimatedText"); }},
        {52,
         [&] { inWindow(u"cmdPictures", u"frmImgs", [&](QWidget* w) { clickIn(w, u"cmdChangeOr"_s); }); }},
        {53,
         [&] {
             inWindow(u"cmdPictures", u"frmImgs", [&](QWidget* w) {
                 ds.queuePromptAnswer(u"200"_s);
                 ds.queuePromptAnswer(u"100"_s);
                 clickIn(w, u"cmdCustomSize"_s);
             });
         }},
        {54, [&] { type(u"txtPounds", u"2"_s); }},
        {55, [&] { type(u"txtOunces", u"3"_s); }},
    };
    for (int slot = 0; slot < 10; ++slot)
        changes.push_back({15 + slot, [&, slot] {
                               inWindow(u"cmdPictures", u"frmImgs", [&](QWidget* w) {
                                   typeIn(w, u"txtImage_%1"_s.arg(slot), u"p.jpg"_s);
                               });
                           }});
    for (int table = 1; table <= 4; ++table) {
        const auto texture = [&, table](QWidget* w) {
            clickIn(w, u"chkUseTexture_%1"_s.arg(table));
            typeIn(w, u"txtTableTexture_%1"_s.arg(table), u"wood.jpg"_s);
        };
        changes.push_back({31 + table, [&, texture] {
                               inWindow(u"cmdCustomizeTemplate", u"frmCustomizeTemplate", texture);
                           }});
        changes.push_back({36 + table, [&, table] {
                               inWindow(u"cmdCustomizeTemplate", u"frmCustomizeTemplate",
                                        [&](QWidget* w) { clickIn(w, u"chkUseTexture_%1"_s.arg(table)); });
                           }});
    }

    QSet<int> lines;
    for (const auto& [line, change] : changes) {
        const QString name = u"line%1.zad"_s.arg(line);
        install.writeLines(name, base);
        ds.queueOpenFile(install.file(name));
        click(u"mnuFileOpen");
        ASSERT_EQ(state.file.currentAdPath, install.file(name));
        change();
        ds.clearRecords();
        ds.queueMessageAnswer(MsgResult::Yes);
        QCloseEvent close;
        QApplication::sendEvent(&window, &close);
        EXPECT_TRUE(close.isAccepted()) << line;
        EXPECT_EQ(ds.messageTitles().value(0), u"Save Changes?") << line;
        EXPECT_NE(install.readLines(name).value(line - 1), base.value(line - 1)) << line;
        lines.insert(line);
    }
    EXPECT_EQ(lines.size(), 53);
}

// Closing while pictures upload asks first: No keeps the program and the upload; Yes stops the upload,
// as Abort does but without its message, and goes on with the usual closing question.
TEST_F(AppWindow, ClosingWhilePicturesUploadAsksWhetherToStopThem)
{
    auto* upload = new test::FakeUpload;
    program.setPictureUpload(std::unique_ptr<PictureUpload>(upload));
    Preferences& p = state.prefs;
    p.setFlag(Preferences::Field::FtpAccess, true);
    p.setText(Preferences::Field::FtpServer, u"ftp.example"_s);
    p.copyFtpAccount();
    state.pictures.setText(0, u"/home/seller/lamp.jpg"_s);
    const QString question = u"Pictures are still being uploaded. Stop the upload and quit?"_s;
    const struct
    {
        MsgResult stop, save;
        bool closes;
        QStringList asked;
    } cases[] = {
        {MsgResult::No, MsgResult::Cancel, false, {u"Listwright"_s}},
        {MsgResult::Yes, MsgResult::Cancel, false, {u"Listwright"_s, u"Save Changes?"_s}},
        {MsgResult::Yes, MsgResult::No, true, {u"Listwright"_s, u"Save Changes?"_s}},
    };
    for (const auto& c : cases) {
        click(u"mnuOptionsGenerate");
        ASSERT_TRUE(program.isUploading());
        const int aborts = upload->aborts;
        ds.clearRecords();
        ds.queueMessageAnswer(c.stop);
        ds.queueMessageAnswer(c.save);
        QCloseEvent close;
        QApplication::sendEvent(&window, &close);
        EXPECT_EQ(close.isAccepted(), c.closes);
        EXPECT_EQ(ds.messageTitles(), c.asked);
        EXPECT_EQ(ds.messages().value(0).text, question);
        EXPECT_EQ(program.isUploading(), c.stop == MsgResult::No);
        EXPECT_EQ(upload->aborts, aborts + (c.stop == MsgResult::Yes));
        if (program.isUploading())
            Q_EMIT upload->finished(true, {}, {});
    }
}

// The editing area: its buttons write where the seller clicked, its controls and the ad follow each other
// and it follows the window's edges.
TEST_F(AppWindow, EditorButtonsAndControlsFollowTheAdAndTheWindowsEdges)
{
    // Without a selection each formatting button wraps at the caret, between the tags of the one before.
    for (const WrapButton& b : wrapButtons()) {
        click(b.name);
        EXPECT_TRUE(state.ad.text(T::Description).contains(QStringView(b.open) + b.close)) << id(b.name);
    }
    // Each quick colour wraps the selection in its word, a line break counting twice both ways.
    for (int i = 0; i < 12; ++i) {
        window.setTextBox(TextBox::Description, {u"ab\r\ncd"_s, 4, 2});
        click(u"cmdQuickColor_%1"_s.arg(i));
        EXPECT_TRUE(state.ad.text(T::Description).contains(u"\"%1\">cd<"_s.arg(quickColors()[i].word))) << i;
    }
    // Emoticons go into the box clicked last; paging back and forth ends on the second picture.
    QTest::mouseClick(find<QPlainTextEdit>(u"txtDescription")->viewport(), Qt::LeftButton);
    for (const char16_t* b : {u"cmdNextEmoticon", u"cmdPreviousEmoticon", u"cmdNextEmoticon", u"cmdEmoticon"})
        click(b);
    EXPECT_TRUE(state.ad.text(T::Description).contains(u"[S2]"_s));

    // Each box is named after its field; the weight boxes serve the calculator.
    state.prefs.setFlag(Preferences::Field::ShowCalc, true);
    for (T field : {T::Title, T::SubTitle, T::Condition, T::Age, T::Comments, T::ShipCost, T::Pounds,
                    T::Ounces, T::TitleSize, T::SubTitleSize, T::DescriptionSize}) {
        const QString key = QString::fromLatin1(QMetaEnum::fromType<T>().valueToKey(int(field)));
        auto* list = find<QComboBox>(QString(u"cbo"_s + key));
        QLineEdit* box = list ? list->lineEdit() : find<QLineEdit>(QString(u"txt"_s + key));
        state.ad.setText(field, u"2"_s);
        EXPECT_EQ(box->text(), u"2") << id(key);
        box->end(false);
        QTest::keyClicks(box, u"9\r"_s);
        EXPECT_EQ(state.ad.text(field), u"29") << id(key);
        EXPECT_TRUE(!list || list->count() == 7) << id(key); // a typed size is no entry of its list
    }

    const QStringList items = u"mnuTextTitleScrollL mnuTextTitleScrollR mnuTextTitleScrollB "
                              u"mnuTextSubTitleScrollL mnuTextSubTitleScrollR mnuTextSubTitleScrollB "
                              u"mnuTextDocumentNoRightClick mnuTextDocumentMusic"_s.split(u' ');
    for (const QString& item : items) {
        click(item);
        for (int j = 0; j < 8; ++j)
            EXPECT_EQ(find<QAction>(items[j])->isChecked(), state.ad.effect(AdRecord::Effect(j))) << id(item);
    }

    // Each swatch shows its own colour.
    for (int i = 0; const char16_t* swatch :
                    {u"shpTitleColor", u"ShpSubTitleColor", u"shpDescriptionColor", u"ShpOptionalColor"}) {
        state.ad.setColor(AdRecord::Color(i), ColorPair::fromValue(i + 1));
        EXPECT_TRUE(find(swatch)->styleSheet().contains(ColorPair::fromValue(++i).text)) << id(swatch);
    }

    // The form's resize tags are followed: the description follows both edges.
    const QSize text = find(u"txtDescription")->size();
    window.resize(window.width() + 150, window.height() + 90);
    QTRY_COMPARE(find(u"txtDescription")->size(), text + QSize(150, 90));
}

TEST_F(AppWindow, SpellingIsCheckedInItsWindowAndUnderlinedAsTheSellerTypes)
{
    // The check asks about the title's word in its window; Change takes the first suggestion.
    state.ad.setText(T::Title, u"Teh lamp"_s);
    auto* title = find<QLineEdit>(u"txtTitle");
    auto* underline = title->findChild<SpellUnderline*>();
    QTRY_COMPARE(underline->misspelt().size(), 1);
    state.ad.setAdChanged(false);
    click(u"mnuCheckSpelling");
    auto* dialog = find<QDialog>(u"frmSpellCheck");
    ASSERT_TRUE(dialog && dialog->isVisible());
    const QString first = dialog->findChild<QListWidget*>(u"lstSuggestions"_s)->item(0)->text();
    EXPECT_EQ(dialog->findChild<QLineEdit*>(u"txtChangeTo"_s)->text(), first);
    QTest::mouseClick(dialog->findChild<QPushButton*>(u"cmdChange"_s), Qt::LeftButton);
    EXPECT_EQ(state.ad.text(T::Title), first + u" lamp");
    EXPECT_TRUE(state.ad.adChanged());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(shown(), u"Listwright Spell Checker");
    EXPECT_TRUE(underline->misspelt().isEmpty());

    // A misspelt word at the end of a long description is underlined without typing waiting for it.
    QString description;
    while (description.size() < 30000)
        description += u"A brass lamp in fine working order, with its original shade.\r\n"_s;
    state.ad.setText(T::Description, description + u"Wrnog"_s);
    auto* box = find<QPlainTextEdit>(u"txtDescription");
    const QTextBlock last = box->document()->lastBlock();
    QTRY_VERIFY(!last.layout()->formats().isEmpty());
    EXPECT_EQ(last.layout()->formats().value(0).format.underlineStyle(), QTextCharFormat::WaveUnderline);
    EXPECT_EQ(box->document()->blockCount(), last.blockNumber() + 1);

    // The title underlines as typed; its menu puts the suggestions and Add to Dictionary first.
    title->end(false);
    QTest::keyClicks(title, u" wrnog"_s);
    QTRY_COMPARE(underline->misspelt().size(), 1);
    const std::unique_ptr<QMenu> menu = window.spelling().contextMenu(title, int(title->text().size()) - 2);
    QStringList entries;
    for (QAction* a : menu->actions())
        entries << a->text();
    EXPECT_EQ(entries.indexOf(u"Add to Dictionary"_s), entries.indexOf(QString()) - 1);
    state.ad.setAdChanged(false);
    menu->actions().value(0)->trigger();
    EXPECT_EQ(state.ad.text(T::Title), first + u" lamp "_s + entries[0]);
    EXPECT_TRUE(state.ad.adChanged());
    // A word added from the menu is underlined nowhere any more.
    QTest::keyClicks(title, u" Zorbly"_s);
    QTRY_COMPARE(underline->misspelt().size(), 1);
    const std::unique_ptr<QMenu> adding = window.spelling().contextMenu(title, int(title->text().size()));
    for (QAction* a : adding->actions())
        if (a->text() == u"Add to Dictionary")
            a->trigger();
    EXPECT_TRUE(title->text().endsWith(u"Zorbly"));
    QTRY_VERIFY(underline->misspelt().isEmpty());
}

TEST_F(AppWindow, ColourButtonsShowTheAdsColoursAfterOpenAndAfterDefaultColors)
{
    const char16_t* buttons[] = {u"cmdTitleColor", u"cmdSubTitleColor", u"cmdDescriptionColor",
                                 u"CmdOptionalColor"};
    // The middle of a button's face, as the seller sees it.
    auto face = [this](const char16_t* name) {
        QWidget* button = find(name);
        return button->grab().toImage().pixelColor(button->width() / 2, button->height() / 2).name();
    };
    const QString file = install.path() + u"/colours.zad"_s;
    auto colour = [](int i) { return ColorPair::fromValue(0x1F3F5F + 0x301000 * i); };
    for (int i = 0; i < 4; ++i)
        state.ad.setColor(AdRecord::Color(i), colour(i));
    state.ad.setText(T::SubTitle, QString(200, u'x'));
    ds.queueSaveFile(file);
    click(u"mnuFileSaveAs");

    click(u"cmdDefaultColors"); // template 01: black throughout
    for (const char16_t* b : buttons)
        EXPECT_EQ(face(b), u"#000000") << id(b);
    ds.queueMessageAnswer(MsgResult::No); // the reset colours are a change of the ad
    ds.queueOpenFile(file);
    click(u"mnuFileOpen");
    for (int i = 0; const char16_t* b : buttons)
        EXPECT_EQ(face(b).toUpper(), colour(i++).text) << id(b);
    EXPECT_EQ(find<QLineEdit>(u"txtSubTitle")->cursorPosition(), 0); // shows where the text begins
    // The face is no obstacle: a click on it reaches the button.
    ds.clearRecords();
    QTest::mouseClick(find(u"shpTitleColor"), Qt::LeftButton);
    EXPECT_EQ(shown(), u"dialog");
}

TEST_F(AppWindow, AWideWindowSharesItsWidthWithTheOptionalBoxes)
{
    window.showNormal();
    const QRect description = find(u"txtDescription")->geometry(),
                condition = find(u"txtCondition")->geometry();
    const int normal = window.width();
    for (const int width : {normal + 150, 1400, 1101, normal}) {
        window.resize(width, window.height());
        QTRY_COMPARE(window.width(), width);
        // Up to 960 px the description takes all the room; beyond, the optional boxes take half.
        const int taken = 2 * (qMax(0, width - 960) / 4);
        const QRect text = find(u"txtDescription")->geometry();
        EXPECT_EQ(text.width(), description.width() + width - normal - taken) << width;
        EXPECT_EQ(find(u"txtCondition")->width(), condition.width() + taken) << width;
        EXPECT_LT(text.right(), find(u"fraOptional")->x()) << width;
    }
    EXPECT_EQ(find(u"txtCondition")->geometry(), condition);
}

TEST_F(AppWindow, WindowPlacesComeBackFromTheStateFileAndGoBackWhenTheProgramEnds)
{
    // A place on no screen any more is ignored: that window shows centred over the main window.
    const QString path = install.file(u"window-state.ini"_s);
    install.write(u"window-state.ini"_s,
                  "[frmMain]\ngeometry=30,40,700,480\n[frmPreferences]\nposition=60,50\n"
                  "[frmAbout]\nposition=9000,9000\n[frmCheckRules]\nposition=80,90\nsize=640,420\n"
                  "[Folders]\nads=" +
                      install.path().toUtf8() + "\n");
    WindowPlaces places(path);
    places.read();
    window.usePlaces(places);
    EXPECT_EQ(window.geometry(), QRect(30, 40, 700, 480));
    // The file dialogs' folders come back with the places and go back with them.
    EXPECT_EQ(state.folders.startFolder(FileKind::Ad), install.path());
    state.folders.remember(FileKind::Picture, install.file(u"help/index.html"_s));
    click(u"cmdPreferences");
    // Places are of the window's inside: a frame still unknown before it is first shown cannot shift it.
    QWidget* preferences = find(u"frmPreferences");
    EXPECT_EQ(preferences->geometry().topLeft(), QPoint(60, 50));
    preferences->setGeometry(QRect(QPoint(70, 55), preferences->size()));
    click(u"mnuHelpAbout");
    EXPECT_EQ(find(u"frmAbout")->frameGeometry().center(), window.frameGeometry().center());
    // A window the seller can resize keeps its size too, and its normal size when maximised.
    window.findChild<QAction*>(u"mnuOptionsCheckRules"_s)->trigger();
    QWidget* rules = find(u"frmCheckRules");
    EXPECT_EQ(rules->geometry(), QRect(80, 90, 640, 420));
    rules->resize(700, 500);
    rules->showMaximized();

    ASSERT_TRUE(window.close());
    WindowPlaces written(path);
    written.read();
    EXPECT_EQ(written.position(u"frmPreferences"_s), QPoint(70, 55));
    EXPECT_EQ(written.position(u"frmAbout"_s), find(u"frmAbout")->geometry().topLeft());
    EXPECT_EQ(written.position(u"frmCheckRules"_s), QPoint(80, 90));
    EXPECT_TRUE(written.maximized(u"frmCheckRules"_s));
    EXPECT_EQ(written.folders(),
              (QMap<QString, QString>{{u"ads"_s, install.path()}, {u"pictures"_s, install.file(u"help"_s)}}));
    QWidget rulesNext;
    rulesNext.setObjectName(u"frmCheckRules"_s);
    written.restoreSize(&rulesNext);
    EXPECT_EQ(rulesNext.size(), QSize(700, 500));
    QWidget next;
    written.restoreMain(&next);
    EXPECT_EQ(next.geometry(), QRect(30, 40, 700, 480));
}
