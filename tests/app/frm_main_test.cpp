#include "app/ui/frm_main.h"
#include "editor/ui/spell_as_you_type.h"
#include "editor/ui/spell_underline.h"
#include "settings/template_commands.h"
#include "sitecheck/ui/frm_check_rules.h"
#include "support/ui/window_places.h"
#include "tests/app/app_fixture.h"

#include <QTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;
using namespace lw;
using T = AdRecord::Text;
using Kind = ScriptedDesktopServices::Kind;

// The window after start-up over a private installation and a scripted desktop. Controls are
// found by name, as the seller finds them by caption.
class AppWindow : public test::AppProgram
{
protected:
    void SetUp() override
    {
        AppProgram::SetUp();
        for (int n = 1; n <= 3; ++n)
            install.write(u"icons/emt/s_%1.gif"_s.arg(n), install.read(u"templates/graphics/0.gif"_s));
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

// Every line of the ad file, changed through the controls a seller would use: closing then asks, and
// Yes saves the change. Lines 25 and 36 (the page's colour and texture switch) have no control. Each
// step is a control ("window/control" inside another window): "box=text" types the text, a list takes
// its next entry, anything else a click; "?answer" answers the next prompt, the colour dialog red.
TEST_F(AppWindow, EveryChangeOfWhatTheAdFileKeepsAsksBeforeClosing)
{
    // Template 15: ten pictures, four tables. With the calculator on the weight can be typed.
    state.prefs.setText(Preferences::Field::ZipCode, u"12345"_s);
    state.prefs.setFlag(Preferences::Field::ShowCalc, true);
    state.templates.setSelectedIndex(14);
    DefaultColors(state, ds);
    ds.queueSaveFile(install.file(u"base.zad"_s));
    click(u"mnuFileSaveAs");
    const QStringList base = install.readLines(u"base.zad"_s);
    QList<std::pair<int, QString>> changes = {
        {1, u"txtTitle=Lamp"_s},
        {2, u"txtSubTitle=Brass"_s},
        // After a generation too.
        {3, u"mnuOptionsGenerate CmdBold"_s},
        {3, u"mnuOptionsGenerate txtDescription cmdEmoticon"_s},
        {4, u"cmdTitleColor"_s},
        {5, u"cmdSubTitleColor"_s},
        {6, u"cmdDescriptionColor"_s},
        {7, u"cboTitleSize"_s},
        {8, u"cboSubTitleSize=2"_s},
        {9, u"cboDescriptionSize=1"_s},
        {10, u"txtCondition=Good"_s},
        {11, u"txtAge=40"_s},
        {12, u"txtComments=Rare"_s},
        {13, u"txtShipCost=5.00"_s},
        {14, u"chkIncludeOptional"_s},
        {30, u"CmdOptionalColor"_s},
        {31, u"cmdCustomizeTemplate txtTableTexture_0=page.jpg cmdCustomizeOK"_s},
        {41, u"cmdPreferences lstTemplates frmPreferences/cmdPrefOK"_s},
        {42, u"mnuTextTitleScrollL"_s},
        {43, u"mnuTextTitleScrollR"_s},
        {44, u"mnuTextTitleScrollB"_s},
        {45, u"mnuTextSubTitleScrollL"_s},
        {46, u"mnuTextSubTitleScrollR"_s},
        {47, u"mnuTextSubTitleScrollB"_s},
        {48, u"mnuTextDocumentNoRightClick"_s},
        {49, u"mnuTextDocumentMusic"_s},
        {50, u"?bg.mid mnuTextDocumentMusic"_s},
        {51, u"cboAnimatedText"_s},
        {52, u"cmdPictures cmdChangeOr frmImgs/cmdPrefOK"_s},
        {53, u"?300 ?200 cmdPictures cmdCustomSize frmImgs/cmdPrefOK"_s},
        {54, u"txtPounds=2"_s},
        {55, u"txtOunces=3"_s}};
    for (int i = 0; i < 10; ++i)
        changes.append({15 + i, u"cmdPictures txtImage_%1=p.jpg frmImgs/cmdPrefOK"_s.arg(i)});
    for (int i = 1; i <= 4; ++i) {
        const QString open = u"cmdCustomizeTemplate "_s, ok = u" cmdCustomizeOK"_s;
        changes.append({25 + i, open + u"cmdTableBackground_%1"_s.arg(i) + ok});
        changes.append({30 + i + 1, open + u"chkUseTexture_%1 txtTableTexture_%1=wood.jpg"_s.arg(i) + ok});
        changes.append({35 + i + 1, open + u"chkUseTexture_%1"_s.arg(i) + ok});
    }
    QSet<int> lines;
    for (const auto& [line, steps] : changes) {
        const QString name = u"line%1.zad"_s.arg(line);
        install.writeLines(name, base);
        ds.queueOpenFile(install.file(name));
        click(u"mnuFileOpen");
        if (steps.contains(u"Color") || steps.contains(u"Background"))
            ds.queueColor(0xFF);
        for (const QString& step : steps.split(u' ')) {
            const QString control = step.section(u'=', 0, 0), text = step.section(u'=', 1);
            QObject* o = window.findChild<QObject*>(control.section(u'/', -1));
            if (control.contains(u'/'))
                o = find(control.section(u'/', 0, 0))->findChild<QObject*>(control.section(u'/', 1));
            auto* combo = qobject_cast<QComboBox*>(o);
            if (step.startsWith(u'?'))
                ds.queuePromptAnswer(step.mid(1));
            else if (auto* action = qobject_cast<QAction*>(o))
                action->trigger();
            else if (auto* list = qobject_cast<QListWidget*>(o))
                list->setCurrentRow(2);
            else if (combo && text.isEmpty())
                QTest::keyClick(combo, Qt::Key_Down);
            else if (auto* box = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(o)) {
                box->selectAll();
                QTest::keyClicks(box, text);
            } else if (auto* edit = qobject_cast<QPlainTextEdit*>(o))
                QTest::mouseClick(edit->viewport(), Qt::LeftButton);
            else
                QTest::mouseClick(qobject_cast<QAbstractButton*>(o), Qt::LeftButton);
        }
        ds.clearRecords();
        ds.queueMessageAnswer(MsgResult::Yes);
        QCloseEvent close;
        QApplication::sendEvent(&window, &close);
        EXPECT_EQ(ds.messageTitles().value(0), u"Save Changes?") << line;
        EXPECT_NE(install.readLines(name).value(line - 1), base.value(line - 1)) << line;
        lines.insert(line);
    }
    EXPECT_EQ(lines.size(), 53);
}

// Closing while pictures upload asks first: No keeps the program and the upload; Yes stops the upload
// (as Abort does, without its message) and goes on to the usual closing question.
TEST_F(AppWindow, ClosingWhilePicturesUploadAsksWhetherToStopThem)
{
    auto* upload = new test::FakeUpload;
    program.setPictureUpload(std::unique_ptr<PictureUpload>(upload));
    state.prefs.setFlag(Preferences::Field::FtpAccess, true);
    state.pictures.setText(0, u"/home/seller/lamp.jpg"_s);
    const std::tuple<MsgResult, MsgResult, QStringList> cases[] = {
        {MsgResult::No, MsgResult::Cancel, {u"Listwright"_s}},
        {MsgResult::Yes, MsgResult::Cancel, {u"Listwright"_s, u"Save Changes?"_s}},
        {MsgResult::Yes, MsgResult::No, {u"Listwright"_s, u"Save Changes?"_s}}};
    for (const auto& [stop, save, asked] : cases) {
        click(u"mnuOptionsGenerate");
        ASSERT_TRUE(program.isUploading());
        const int aborts = upload->aborts;
        ds.clearRecords();
        ds.queueMessageAnswer(stop);
        ds.queueMessageAnswer(save);
        QCloseEvent close;
        QApplication::sendEvent(&window, &close);
        EXPECT_EQ(close.isAccepted(), save == MsgResult::No);
        EXPECT_EQ(ds.messageTitles(), asked);
        EXPECT_EQ(ds.messages().value(0).text,
                  u"Pictures are still being uploaded. Stop the upload and quit?");
        EXPECT_EQ(upload->aborts - aborts, int(stop == MsgResult::Yes));
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

// A generation that the site would reject still goes through; the status line opens the list, whose
// fix buttons work.
TEST_F(AppWindow, GenerateTellsOfRejectionsAndTheListsFixesWork)
{
    state.ad.setEffect(AdRecord::Effect::NoRightClick, true);
    auto* status = find<QLabel>(u"lblCheckStatus");
    click(u"mnuOptionsGenerate");
    EXPECT_TRUE(ds.clipboardText().contains(u"<script"_s));
    QTRY_VERIFY(status->text().startsWith(u"eBay would reject 1 part of this ad."_s));

    Q_EMIT status->linkActivated(u"#"_s);
    auto* list = window.findChild<frmCheckRules*>();
    ASSERT_TRUE(list && list->isVisible());
    auto* findings = list->findChild<QTableWidget*>(u"lstFindings"_s);
    ASSERT_GE(findings->rowCount(), 1);
    EXPECT_EQ(findings->item(0, 1)->text(), u"effect Disable Right-Click");
    list->findChild<QPushButton*>(u"cmdFix_0"_s)->click();
    EXPECT_FALSE(state.ad.effect(AdRecord::Effect::NoRightClick));
    EXPECT_NE(findings->item(0, 1)->text(), u"effect Disable Right-Click");
    EXPECT_TRUE(status->text().isEmpty());
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
}

// The colour buttons show the ad's colours as they change, after Default Colors and after Open.
TEST_F(AppWindow, ColourButtonsShowTheAdsColours)
{
    // The middle of each button's face, as the seller sees it.
    auto faces = [this] {
        QStringList shown;
        for (const char16_t* name :
             {u"cmdTitleColor", u"cmdSubTitleColor", u"cmdDescriptionColor", u"CmdOptionalColor"}) {
            QWidget* button = find(name);
            shown << button->grab()
                         .toImage()
                         .pixelColor(button->width() / 2, button->height() / 2)
                         .name()
                         .toUpper();
        }
        return shown;
    };
    const QString file = install.path() + u"/colours.zad"_s;
    QStringList colours;
    for (int i = 0; i < 4; ++i) {
        state.ad.setColor(AdRecord::Color(i), ColorPair::fromValue(0x1F3F5F + 0x301000 * i));
        colours << state.ad.color(AdRecord::Color(i)).text;
    }
    EXPECT_EQ(faces(), colours);
    state.ad.setText(T::SubTitle, QString(200, u'x'));
    ds.queueSaveFile(file);
    click(u"mnuFileSaveAs");

    click(u"cmdDefaultColors"); // template 01: black throughout
    EXPECT_EQ(faces(), QStringList(4, u"#000000"_s));
    ds.queueMessageAnswer(MsgResult::No); // the reset colours are a change of the ad
    ds.queueOpenFile(file);
    click(u"mnuFileOpen");
    EXPECT_EQ(faces(), colours);
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
                  "[frmFTPStatus]\nposition=100,110\n[Folders]\nads=" +
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
    // The upload status window too, though the upload shows it.
    QWidget* upload = find(u"frmFTPStatus");
    upload->show();
    EXPECT_EQ(upload->geometry().topLeft(), QPoint(100, 110));
    upload->move(upload->pos() + QPoint(5, 5));
    upload->hide();
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
    EXPECT_EQ(written.position(u"frmFTPStatus"_s), QPoint(105, 115));
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
