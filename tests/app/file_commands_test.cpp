#include "tests/app/app_fixture.h"

#include "adfile/ad_file.h"

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
};

} // namespace

TEST_F(AppFileCommands, SaveAndOpenRoundTripTheWholeAd)
{
    start();
    ad().setText(T::Title, u"Brass lamp [S3]"_s);
    ad().setText(T::Description, u"Line one\r\nLine <B>two</B><BR>three"_s);
    ad().setColor(C::Optional, ColorPair::fromValue(16301711));
    ad().setIncludeOptional(true);
    ad().setEffect(E::Music, true);
    ad().setText(T::MusicUrl, u"http://music.example/a.mid"_s);
    ad().setLetterStyle(4);
    state.pictures.setText(2, u"/home/seller/lamp.jpg"_s);
    state.pictures.setThumbSize(u"300"_s, u"200"_s);
    state.tables.setColorValue(2, 255);
    state.tables.setTextureBox(1, u"wood.jpg"_s);
    state.tables.setUseTexture(1, true);
    ds.queueSaveFile(install.file(u"lamp"_s)); // typed without an extension
    ASSERT_TRUE(files().mnuFileSave_Click());
    const QString path = install.file(u"lamp.zad"_s);
    EXPECT_EQ(state.file.currentAdPath, path);
    EXPECT_EQ(ad().text(T::Description), u"Line one\r\nLine <B>two</B>\r\nthree");
    const AdFileData saved = adFileFromState(state);

    files().mnuFileNew_Click();
    EXPECT_TRUE(ad().text(T::Title).isEmpty());
    ds.queueOpenFile(path);
    ASSERT_TRUE(files().mnuFileOpen_Click());
    EXPECT_EQ(adFileFromState(state).toLines(), saved.toLines());
    EXPECT_EQ(state.gen.pageExtras[1].count(u"http://music.example/a.mid"_s), 2);
    EXPECT_EQ(state.tables.entry(2).colorText, u"#FF0000");
    EXPECT_FALSE(ad().adChanged());
    EXPECT_TRUE(state.file.adLoadedFromFile);
}

TEST(AdFileName, EndsInZadWhateverDotsTheNameHas)
{
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"/ads/lamp", u"/ads/lamp.zad"},       {u"/ads/Lamp 1.5m cord", u"/ads/Lamp 1.5m cord.zad"},
        {u"/ads/lamp.v2", u"/ads/lamp.v2.zad"}, {u"/ads/lamp.zad.bak", u"/ads/lamp.zad.bak.zad"},
        {u"/ads/lamp.", u"/ads/lamp.zad"},      {u"/ads/lamp.zad", u"/ads/lamp.zad"},
        {u"/ads/LAMP.ZAD", u"/ads/LAMP.ZAD"},   {u"/ads/lamp.Zad", u"/ads/lamp.Zad"},
        {u"/ads.v2/lamp", u"/ads.v2/lamp.zad"},
    };
    for (const auto& [typed, saved] : cases)
        EXPECT_EQ(withAdExtension(QString::fromUtf16(typed)), QString::fromUtf16(saved));
}

// The ad dialogs open where the seller last opened or saved an ad, else in ~/Documents, else at home.
TEST_F(AppFileCommands, AdDialogsOpenInTheFolderUsedLast)
{
    start();
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", install.path().toUtf8());
    auto startedIn = [this] { return ds.records().last().text; };
    files().mnuFileOpen_Click();
    EXPECT_EQ(startedIn(), install.path());
    QDir(install.path()).mkdir(u"Documents"_s);
    files().mnuFileSaveAs_Click();
    EXPECT_EQ(startedIn(), install.path() + u"/Documents"_s);

    QDir(install.path()).mkdir(u"ads"_s);
    ds.queueSaveFile(install.file(u"ads/lamp"_s));
    ASSERT_TRUE(files().mnuFileSaveAs_Click());
    files().mnuFileSaveAs_Click();
    EXPECT_EQ(startedIn(), install.file(u"ads/lamp.zad"_s));
    files().mnuFileOpen_Click();
    EXPECT_EQ(startedIn(), install.file(u"ads"_s));
    QDir(install.file(u"ads"_s)).removeRecursively();
    files().mnuFileOpen_Click();
    EXPECT_EQ(startedIn(), install.path() + u"/Documents"_s);
    qputenv("HOME", home);
}

TEST_F(AppFileCommands, SaveAsOntoAnExistingFileAnsweredNoOrFailingChangesNothing)
{
    start();
    ad().setText(T::Title, u"First"_s);
    install.write(u"other.zad"_s, "keep me");
    ds.queueSaveFile(install.file(u"other"_s));
    ds.queueMessageAnswer(MsgResult::No);
    EXPECT_FALSE(files().mnuFileSaveAs_Click());
    EXPECT_EQ(ds.messages().value(0).text,
              install.file(u"other.zad"_s) + u" already exists.\r\nDo you want to replace it?"_s);
    EXPECT_EQ(install.read(u"other.zad"_s), "keep me");

    ds.clearRecords();
    ds.queueSaveFile(install.path() + u"/missing-folder/lamp.zad"_s);
    EXPECT_FALSE(files().mnuFileSave_Click());
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Error Saving Ad"_s});
    EXPECT_TRUE(ad().adChanged());
    EXPECT_TRUE(state.file.currentAdPath.isEmpty());
}

// Yes to "Save Changes?" and then no save: the seller's work must stay, whatever the command.
TEST_F(AppFileCommands, NothingGoesOnWhenTheOfferedSaveDidNotHappen)
{
    start();
    const std::vector<std::pair<const char*, std::function<bool()>>> commands = {
        {"close", [this] { return program.queryClose(); }},
        {"new",
         [this] {
             files().mnuFileNew_Click();
             return ad().text(T::Title).isEmpty();
         }},
        {"open", [this] { return files().mnuFileOpen_Click(); }},
    };
    for (const auto& [name, run] : commands) {
        SCOPED_TRACE(name);
        for (const std::optional<QString>& chosen :
             {std::optional<QString>(), std::optional<QString>(install.path() + u"/no/such.zad"_s)}) {
            ad().setText(T::Title, u"Unsaved"_s);
            ds.clearRecords();
            ds.queueMessageAnswer(MsgResult::Yes);
            ds.queueSaveFile(chosen);
            EXPECT_FALSE(run());
            EXPECT_EQ(ad().text(T::Title), u"Unsaved");
            EXPECT_TRUE(ad().adChanged());
            for (const auto& r : ds.records())
                EXPECT_NE(r.kind, ScriptedDesktopServices::Kind::OpenDialog);
        }
    }
    ds.queueMessageAnswer(MsgResult::No);
    EXPECT_TRUE(program.queryClose());
}

TEST_F(AppFileCommands, OpenRefusesMissingAndDamagedFilesWithoutChangingAnything)
{
    start();
    ad().setText(T::Title, u"Mine"_s);
    ds.queueSaveFile(install.file(u"mine.zad"_s));
    ASSERT_TRUE(files().mnuFileSave_Click());
    QStringList lines = adFileFromState(state).toLines();
    lines[25] = u"255"_s;
    install.writeLines(u"short.zad"_s, lines.mid(0, 40));
    for (const QString& name : {u"nothing.zad"_s, u"templates"_s, u"short.zad"_s}) {
        ds.queueOpenFile(install.file(name));
        EXPECT_FALSE(files().mnuFileOpen_Click()) << name.toStdString();
    }
    EXPECT_EQ(ds.messageTitles(),
              (QStringList{u"Invalid Filename"_s, u"Invalid Filename"_s, u"Invalid Ad File"_s}));
    EXPECT_EQ(state.caption(), u"Listwright - [mine.zad]");
    EXPECT_EQ(state.tables.entry(1).colorValue, u"16301711");

    // The ad named on the command line opens without a dialog; a later Open asks.
    SharedState other;
    Program second(other, ds);
    ds.clearRecords();
    ASSERT_TRUE(second.startup(install.file(u"mine.zad"_s)));
    EXPECT_EQ(other.ad.text(T::Title), u"Mine");
    EXPECT_TRUE(ds.records().isEmpty());
    EXPECT_FALSE(second.files().mnuFileOpen_Click());
    EXPECT_EQ(ds.records().value(0).title, u"Auction Ad Files|*.zad");
}
