#include "tests/app/app_fixture.h"

#include "adfile/ad_file.h"
#include "core/text_file.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

using T = AdRecord::Text;
using E = AdRecord::Effect;
using C = AdRecord::Color;

namespace {

class AppFileCommands : public AppProgram
{
protected:
    FileCommands& files() { return program.files(); }

    // An ad that touches every line of the file.
    void fillAd()
    {
        ad().setText(T::Title, u"Brass lamp [S3]"_s);
        ad().setText(T::SubTitle, u"Working, 1950s"_s);
        ad().setText(T::Description, u"Line one\r\nLine <B>two</B>"_s);
        ad().setColor(C::Title, ColorPair::fromValue(255));
        ad().setColor(C::Optional, ColorPair::fromValue(16301711));
        ad().setText(T::TitleSize, u"7"_s);
        ad().setText(T::Condition, u"Good"_s);
        ad().setText(T::ShipCost, u"$5"_s);
        ad().setIncludeOptional(true);
        state.pictures.setText(2, u"/home/seller/lamp.jpg"_s);
        state.tables.setColorValue(0, 12345);
        state.tables.setColorValue(2, 255);
        state.tables.setTextureBox(1, u"wood.jpg"_s);
        state.tables.setUseTexture(1, true);
        state.tables.setTexture(0, u"paper.gif"_s);
        state.tables.setUseTexture(0, true);
        ad().setEffect(E::TitleScrollB, true);
        ad().setEffect(E::Music, true);
        ad().setText(T::MusicUrl, u"http://music.example/a.mid"_s);
        ad().setLetterStyle(4);
        state.pictures.setThumbSize(u"300"_s, u"200"_s);
        ad().setText(T::Pounds, u"2"_s);
        ad().setText(T::Ounces, u"7"_s);
    }
};

} // namespace

TEST_F(AppFileCommands, SaveAndOpenRoundTripEveryField)
{
    start();
    fillAd();
    const QString path = install.file(u"lamp.zad"_s);
    ds.queueSaveFile(path);
    ASSERT_TRUE(files().mnuFileSave_Click());
    EXPECT_EQ(state.caption(), u"Listwright - [lamp.zad]");
    EXPECT_FALSE(ad().adChanged());
    const QStringList lines = install.readLines(u"lamp.zad"_s);
    ASSERT_EQ(lines.size(), 55);
    EXPECT_EQ(lines[2], u"Line one<BR>Line <B>two</B>");
    EXPECT_EQ(lines[3], u" 255 ");
    EXPECT_EQ(lines[35], u" 1 ") << "the page's texture switch is kept";
    EXPECT_EQ(lines[24], u"12345") << "the page colour is kept";
    EXPECT_EQ(lines[41 + 2], u"True");

    // A second Save rewrites without asking.
    ad().setText(T::Age, u"70 years"_s);
    ASSERT_TRUE(files().mnuFileSave_Click());
    EXPECT_EQ(install.readLines(u"lamp.zad"_s)[10], u"70 years");

    files().mnuFileNew_Click();
    EXPECT_EQ(state.caption(), u"Listwright - [New File]");
    EXPECT_TRUE(ad().text(T::Title).isEmpty());
    EXPECT_FALSE(state.tables.entry(1).useTexture);

    ds.queueOpenFile(path);
    ASSERT_TRUE(files().mnuFileOpen_Click());
    EXPECT_EQ(state.caption(), u"Listwright - [lamp.zad]");
    EXPECT_EQ(ad().text(T::Title), u"Brass lamp [S3]");
    EXPECT_EQ(ad().text(T::Description), u"Line one\r\nLine <B>two</B>");
    EXPECT_EQ(ad().color(C::Title).text, u"#FF0000");
    EXPECT_EQ(ad().color(C::Optional).text, u"#8FBEF8");
    EXPECT_EQ(ad().text(T::TitleSize), u"7");
    EXPECT_EQ(ad().text(T::Age), u"70 years");
    EXPECT_TRUE(ad().includeOptional());
    EXPECT_EQ(state.pictures.text(2), u"/home/seller/lamp.jpg");
    EXPECT_EQ(state.tables.entry(2).colorText, u"#FF0000");
    EXPECT_EQ(state.tables.entry(0).colorValue, u"12345");
    EXPECT_TRUE(state.tables.entry(0).useTexture);
    EXPECT_TRUE(state.tables.entry(1).useTexture);
    EXPECT_EQ(state.tables.entry(1).texture, u"wood.jpg");
    EXPECT_TRUE(ad().effect(E::TitleScrollB));
    EXPECT_FALSE(ad().effect(E::TitleScrollL));
    EXPECT_EQ(state.gen.pageExtras[1].count(u"http://music.example/a.mid"_s), 2);
    EXPECT_EQ(ad().letterStyle(), 4);
    EXPECT_EQ(state.pictures.thumbWidth(), u"300");
    EXPECT_EQ(ad().text(T::Ounces), u"7");
    EXPECT_FALSE(ad().adChanged());
    EXPECT_EQ(state.file.adLoadedFromFile, 1);
}

TEST_F(AppFileCommands, TypedBreaksBecomeLineBreaksAndOptionalLinesKeepValues)
{
    start();
    ad().setText(T::Description, u"a<BR>b"_s);
    ds.queueSaveFile(install.file(u"a.zad"_s));
    ASSERT_TRUE(files().mnuFileSave_Click());
    EXPECT_EQ(ad().text(T::Description), u"a\r\nb");

    // A file that ends after line 50, and one with an empty pounds line.
    QStringList lines = adFileFromState(state).toLines();
    install.writeLines(u"short.zad"_s, lines.mid(0, 50));
    lines[53].clear();
    install.writeLines(u"nopounds.zad"_s, lines);
    ad().setLetterStyle(6);
    state.pictures.setThumbSize(u"150"_s, u"200"_s);
    ad().setText(T::Pounds, u"9"_s);
    ds.queueMessageAnswer(MsgResult::No);
    ds.queueOpenFile(install.file(u"short.zad"_s));
    ASSERT_TRUE(files().mnuFileOpen_Click());
    EXPECT_EQ(ad().letterStyle(), 6);
    EXPECT_EQ(state.pictures.thumbWidth(), u"150");
    EXPECT_EQ(ad().text(T::Pounds), u"9");
    ad().setText(T::Pounds, u"11"_s);
    ad().setAdChanged(false);
    ds.queueOpenFile(install.file(u"nopounds.zad"_s));
    ASSERT_TRUE(files().mnuFileOpen_Click());
    EXPECT_EQ(ad().text(T::Pounds), u"11");
    EXPECT_EQ(ad().letterStyle(), 0);
}

TEST_F(AppFileCommands, SaveAsOntoAnExistingFileAnsweredNoChangesNothing)
{
    start();
    ad().setText(T::Title, u"First"_s);
    const QString first = install.file(u"first.zad"_s);
    ds.queueSaveFile(first);
    ASSERT_TRUE(files().mnuFileSave_Click());
    install.write(u"other.zad"_s, "keep me");
    ad().setText(T::Title, u"Second"_s);
    ds.queueSaveFile(install.file(u"other.zad"_s));
    ds.queueMessageAnswer(MsgResult::No);
    EXPECT_FALSE(files().mnuFileSaveAs_Click());
    ASSERT_EQ(ds.messages().size(), 1);
    EXPECT_EQ(ds.messages().first().title, u"File Already Exists");
    EXPECT_EQ(ds.messages().first().text,
              install.file(u"other.zad"_s) + u" already exists.\r\nDo you want to replace it?"_s);
    EXPECT_EQ(install.read(u"other.zad"_s), "keep me");
    EXPECT_EQ(state.file.currentAdPath, first);
    EXPECT_TRUE(ad().adChanged());
}

TEST_F(AppFileCommands, SaveThatCannotWriteSaysSoAndKeepsTheAdUnsaved)
{
    start();
    ad().setText(T::Title, u"Lamp"_s);
    const QString path = install.path() + u"/missing-folder/lamp.zad"_s;
    ds.queueSaveFile(path);
    EXPECT_FALSE(files().mnuFileSave_Click());
    ASSERT_EQ(ds.messages().size(), 1);
    EXPECT_EQ(ds.messages().first().title, u"Error Saving Ad");
    EXPECT_TRUE(ds.messages().first().text.contains(path));
    EXPECT_TRUE(ad().adChanged());
    EXPECT_EQ(state.caption(), u"Listwright - [New File]");
    EXPECT_TRUE(state.file.currentAdPath.isEmpty());
}

TEST_F(AppFileCommands, OpenRefusesMissingAndDamagedFilesWithoutChangingAnything)
{
    start();
    ad().setText(T::Title, u"Mine"_s);
    ds.queueSaveFile(install.file(u"mine.zad"_s));
    ASSERT_TRUE(files().mnuFileSave_Click());
    const TableBackgrounds::Entry table1 = state.tables.entry(1);

    ds.queueOpenFile(install.file(u"nothing.zad"_s));
    EXPECT_FALSE(files().mnuFileOpen_Click());
    ds.queueOpenFile(install.file(u"templates"_s));
    EXPECT_FALSE(files().mnuFileOpen_Click());

    // Table lines present, but the file stops at line 40.
    QStringList lines = adFileFromState(state).toLines();
    lines[25] = u"255"_s;
    install.writeLines(u"short.zad"_s, lines.mid(0, 40));
    install.write(u"binary.zad"_s, QByteArray("\x00\xff\xfe\x01garbage\r\n", 13).repeated(60));
    lines = adFileFromState(state).toLines();
    lines[3] = u"red"_s;
    install.writeLines(u"word.zad"_s, lines);
    for (const char16_t* name : {u"short.zad", u"binary.zad", u"word.zad"}) {
        ds.queueOpenFile(install.file(QString::fromUtf16(name)));
        EXPECT_FALSE(files().mnuFileOpen_Click()) << QString::fromUtf16(name).toStdString();
    }
    const QStringList titles = ds.messageTitles();
    ASSERT_EQ(titles.size(), 5);
    EXPECT_EQ(titles[0], u"Invalid Filename");
    EXPECT_EQ(titles[1], u"Invalid Filename");
    EXPECT_EQ(titles[2], u"Invalid Ad File");
    EXPECT_TRUE(ds.messages()[2].text.startsWith(install.file(u"short.zad"_s)));
    EXPECT_EQ(titles[4], u"Invalid Ad File");
    EXPECT_EQ(state.caption(), u"Listwright - [mine.zad]");
    EXPECT_EQ(state.file.currentAdPath, install.file(u"mine.zad"_s));
    EXPECT_EQ(state.tables.entry(1).colorValue, table1.colorValue);
    EXPECT_EQ(ad().text(T::Title), u"Mine");
}

TEST_F(AppFileCommands, NewAndOpenAskAboutUnsavedChanges)
{
    start();
    ad().setText(T::Title, u"Unsaved"_s);
    ds.queueMessageAnswer(MsgResult::Cancel);
    files().mnuFileNew_Click();
    EXPECT_EQ(ad().text(T::Title), u"Unsaved");
    ds.queueMessageAnswer(MsgResult::Cancel);
    EXPECT_FALSE(files().mnuFileOpen_Click());
    EXPECT_EQ(ds.records().size(), 2) << "no dialog after Cancel";

    // Yes with the save dialog cancelled still starts the new ad.
    ds.queueMessageAnswer(MsgResult::Yes);
    ds.queueSaveFile(std::nullopt);
    files().mnuFileNew_Click();
    EXPECT_TRUE(ad().text(T::Title).isEmpty());
    EXPECT_FALSE(ad().adChanged());
}

TEST_F(AppFileCommands, CommandLineAdOpensWithoutADialogOnce)
{
    start();
    fillAd();
    const QString path = install.file(u"cli.zad"_s);
    ASSERT_TRUE(writeTextLines(path, adFileFromState(state).toLines()));

    SharedState other;
    Program second(other, ds);
    ds.clearRecords();
    ASSERT_TRUE(second.startup(path));
    EXPECT_EQ(other.ad.text(T::Title), u"Brass lamp [S3]");
    EXPECT_EQ(other.caption(), u"Listwright - [cli.zad]");
    EXPECT_TRUE(ds.records().isEmpty());
    EXPECT_FALSE(other.ad.adChanged());

    // A later Open asks for the file again.
    EXPECT_FALSE(second.files().mnuFileOpen_Click());
    ASSERT_EQ(ds.records().size(), 1);
    EXPECT_EQ(ds.records().first().kind, ScriptedDesktopServices::Kind::OpenDialog);
    EXPECT_EQ(ds.records().first().title, u"Auction Ad Files|*.zad");

    // A command-line path that does not exist is reported and not retried.
    SharedState third;
    Program missing(third, ds);
    ds.clearRecords();
    EXPECT_FALSE(missing.startup(install.file(u"gone.zad"_s)));
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Invalid Filename"_s});
    EXPECT_EQ(third.file.startupFilePending, 0);
}
