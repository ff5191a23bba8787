#include "tests/app/app_fixture.h"

#include "core/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

using T = AdRecord::Text;
using F = Preferences::Field;

namespace {
const QString GeneratedTitle = u"Your Ad Has Been Generated!"_s;
const QString GenerationError = u"Error In Ad Generation"_s;
} // namespace

TEST_F(AppProgram, StartupCreatesFilesAndAppliesTheFirstTemplate)
{
    start();
    EXPECT_EQ(state.caption(), u"Listwright - [New File]");
    EXPECT_TRUE(QFileInfo::exists(install.file(u"updpr.dat"_s)));
    EXPECT_EQ(install.readLines(u"settings.txt"_s).size(), 40);
    EXPECT_EQ(install.readLines(u"eBaycfg.txt"_s).size(), 4);
    EXPECT_EQ(state.templates.selectedIndex(), 0);
    EXPECT_TRUE(state.gen.templateText.contains(u"{TITLE}"_s));
    // The template's own sizes and picture count replace the reset values.
    EXPECT_EQ(ad().text(T::TitleSize), u"6");
    EXPECT_EQ(prefs().termsSize(), 3);
    EXPECT_EQ(state.templateValues.imageAmount, 5);
    EXPECT_TRUE(state.pictures.slot(4).enabled);
    EXPECT_FALSE(state.pictures.slot(5).enabled);
    EXPECT_FALSE(ad().adChanged());
    EXPECT_EQ(state.updates.programRevision, 5);
    EXPECT_FALSE(state.updates.updateCheckDue);
}

TEST_F(AppProgram, GenerateCopiesThePageAndSaysSoOnce)
{
    start();
    ad().setText(T::Title, u"Brass lamp"_s);
    ASSERT_TRUE(program.mnuOptionsGenerate_Click());
    const QString first = ds.clipboardText();
    EXPECT_TRUE(first.contains(u"Brass lamp"_s));
    EXPECT_EQ(first, state.gen.templateText);
    EXPECT_EQ(ds.clipboardClears(), 1);
    EXPECT_EQ(ds.messageTitles(), QStringList{GeneratedTitle});

    ASSERT_TRUE(program.mnuOptionsGenerate_Click());
    EXPECT_EQ(ds.clipboardText(), first);

    // The assisted submission generates without the message.
    ds.clearRecords();
    state.gen.submissionMode = 1;
    ASSERT_TRUE(program.mnuOptionsGenerate_Click());
    EXPECT_TRUE(ds.messages().isEmpty());
}

TEST_F(AppProgram, FooterFollowsTheMarkerFile)
{
    start();
    ASSERT_TRUE(program.mnuOptionsPreview_Click(false));
    EXPECT_TRUE(state.gen.templateText.contains(u"Ad Created With Listwright 2.3.2"_s));

    install.write(u"nolink.txt"_s, {});
    SharedState other;
    Program second(other, ds);
    second.startup({});
    ASSERT_TRUE(second.mnuOptionsPreview_Click(false));
    EXPECT_FALSE(other.gen.templateText.contains(u"Ad Created With"_s));
    EXPECT_FALSE(other.gen.templateText.contains(u"{REZO}"_s));
}

TEST_F(AppProgram, EditorCommandsAfterGenerateDoNotMarkTheAdUntilTheSellerTypes)
{
    start();
    ASSERT_TRUE(program.mnuOptionsGenerate_Click());
    EXPECT_FALSE(ad().adChanged());
    ad().setText(T::Description, u"<B></B>"_s);
    EXPECT_FALSE(ad().adChanged());
    ad().setNoSaving(false); // a key pressed in the description
    ad().setText(T::Description, u"<B>x</B>"_s);
    EXPECT_TRUE(ad().adChanged());

    // Shipping cost alone never marks the ad.
    program.new_file();
    ds.clearRecords();
    ad().setText(T::ShipCost, u"5.00"_s);
    EXPECT_FALSE(ad().adChanged());
    EXPECT_TRUE(program.queryClose());
    EXPECT_TRUE(ds.messages().isEmpty());
}

TEST_F(AppProgram, WeightCheckOnlyWithTheCalculator)
{
    start();
    ad().setText(T::Pounds, {});
    ad().setText(T::Ounces, {});
    EXPECT_TRUE(program.mnuOptionsPreview_Click(false)) << "calculator off: no check";

    prefs().setFlag(F::ShowCalc, true);
    ds.setClipboardText(u"before"_s);
    EXPECT_FALSE(program.mnuOptionsGenerate_Click());
    ASSERT_EQ(ds.messages().size(), 1);
    EXPECT_EQ(ds.messages().first().title, u"Error: Item weight invalid");
    EXPECT_EQ(ds.messages().first().style, MsgStyle::Exclamation);
    EXPECT_TRUE(ds.messages().first().text.contains(u"you will not be able o enter ounces."_s));
    EXPECT_EQ(ds.clipboardText(), u"before");

    ad().setText(T::Pounds, u"abc"_s);
    ad().setText(T::Ounces, u"3"_s);
    ASSERT_TRUE(program.mnuOptionsPreview_Click(false));
    EXPECT_TRUE(state.gen.templateText.contains(u"name=P value=abc>"_s));
}

TEST_F(AppProgram, FtpUploadWithoutAnUploaderFailsInsteadOfSkipping)
{
    start();
    prefs().setFlag(F::FtpAccess, true);
    prefs().setText(F::WebUrl, u"http://pics.example/"_s);
    state.pictures.setText(0, u"/home/seller/lamp.jpg"_s);
    ds.setClipboardText(u"before"_s);
    EXPECT_FALSE(program.mnuOptionsGenerate_Click());
    EXPECT_EQ(ds.messageTitles(), QStringList{GenerationError});
    EXPECT_EQ(ds.clipboardText(), u"before");

    // Preview uploads nothing and shows the local picture.
    ds.clearRecords();
    ASSERT_TRUE(program.mnuOptionsPreview_Click(false));
    EXPECT_TRUE(state.gen.templateText.contains(u"<img src=\"/home/seller/lamp.jpg\""_s));

    // With an uploader, Generate links the web copy; an aborted upload ends quietly.
    int uploads = 0;
    program.uploadPictures = [&] { return ++uploads == 1; };
    ASSERT_TRUE(program.mnuOptionsGenerate_Click());
    EXPECT_TRUE(ds.clipboardText().contains(u"<img src=\"http://pics.example/lamp.jpg\""_s));
    ds.clearRecords();
    EXPECT_FALSE(program.mnuOptionsGenerate_Click());
    EXPECT_EQ(state.gen.ftpAborted, 1);
    EXPECT_TRUE(ds.messages().isEmpty());
}

TEST_F(AppProgram, FailedGenerationKeepsTheSellersTexts)
{
    start();
    ad().setText(T::Title, u"[S1] Lamp"_s);
    ad().setText(T::Description, u"one<BR>two\r\nthree"_s);
    prefs().setText(F::Terms, u"Pay<BR>promptly"_s);
    install.write(u"templates/01.tpt"_s, QByteArray(32768, 'x'));
    EXPECT_FALSE(program.mnuOptionsGenerate_Click());
    EXPECT_EQ(ds.messageTitles(), QStringList{GenerationError});
    EXPECT_EQ(ad().text(T::Title), u"[S1] Lamp");
    EXPECT_EQ(ad().text(T::Description), u"one\r\ntwo\r\nthree");
    EXPECT_EQ(prefs().text(F::Terms), u"Pay\r\npromptly");

    QFile::remove(install.file(u"templates/01.tpt"_s));
    ds.clearRecords();
    EXPECT_FALSE(program.mnuOptionsPreview_Click());
    EXPECT_EQ(ds.messageTitles(), QStringList{GenerationError});
    EXPECT_TRUE(ds.shellOpened().isEmpty());
}

TEST_F(AppProgram, PreviewWritesItsFileAndOpensIt)
{
    start();
    ad().setText(T::Title, u"Caf\u00e9 [a]"_s);
    ASSERT_TRUE(program.mnuOptionsPreview_Click());
    const QString path = install.path() + u"/tmp/AdPreview.html"_s;
    ASSERT_EQ(ds.shellOpened(), QStringList{path});
    const QByteArray bytes = install.read(u"tmp/AdPreview.html"_s);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    const QString page = QString::fromUtf8(bytes.mid(3));
    EXPECT_TRUE(page.contains(u"Caf\u00e9 <img src = \""_s + install.path() + u"/icons/emt/As1.gif\">"_s));

    ds.setTempFolder(install.path() + u"/no/such/folder/"_s);
    EXPECT_FALSE(program.mnuOptionsPreview_Click());
    ASSERT_EQ(ds.messages().size(), 1);
    EXPECT_EQ(ds.messages().first().title, u"Error In Ad Preview");
    EXPECT_TRUE(ds.messages().first().text.contains(u"/no/such/folder/AdPreview.html"_s));
}

TEST_F(AppProgram, ClosingAsksOnlyAboutUnsavedChanges)
{
    start();
    EXPECT_TRUE(program.queryClose());
    ad().setText(T::Title, u"Lamp"_s);

    ds.queueMessageAnswer(MsgResult::Cancel);
    EXPECT_FALSE(program.queryClose());
    ds.queueMessageAnswer(MsgResult::No);
    EXPECT_TRUE(program.queryClose());
    EXPECT_EQ(ds.messageTitles(), (QStringList{u"Save Changes?"_s, u"Save Changes?"_s}));

    // Yes saves; a save abandoned in its dialog still lets the program end.
    ds.queueMessageAnswer(MsgResult::Yes);
    ds.queueSaveFile(std::nullopt);
    EXPECT_TRUE(program.queryClose());
    ds.queueMessageAnswer(MsgResult::Yes);
    ds.queueSaveFile(install.file(u"lamp.zad"_s));
    EXPECT_TRUE(program.queryClose());
    EXPECT_TRUE(QFileInfo::exists(install.file(u"lamp.zad"_s)));
    EXPECT_FALSE(ad().adChanged());
}

TEST_F(AppProgram, TemplateWithFewerSlotsEmptiesTheOthers)
{
    // Eleven templates: number 11 offers four pictures.
    for (int n = 2; n <= 11; ++n)
        install.write(u"templates/%1.tpt"_s.arg(n, 2, 10, QChar(u'0')), "<p>{TITLE}</p>");
    install.write(u"templates/graphics/11.gif"_s, install.read(u"templates/graphics/1.gif"_s));
    start();
    for (int i = 0; i < 10; ++i)
        state.pictures.setText(i, u"pic%1.jpg"_s.arg(i));
    state.templates.setSelectedIndex(10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(state.pictures.slot(i).enabled, i < 4) << i;
        EXPECT_EQ(state.pictures.text(i).isEmpty(), i >= 4) << i;
    }
    EXPECT_EQ(state.templateDisplay.information,
              u"Template Number: 11\r\nMax Number Of Images: 4\r\nCustomizable Tables: 4"_s);
}
