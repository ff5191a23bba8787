#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "settings/preferences_commands.h"
#include "settings/settings_file.h"
#include "tests/core/damaged_input.h"
#include "tests/testlib/test_install.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

using F = Preferences::Field;

class SettingsFile : public ::testing::Test
{
protected:
    SettingsFile() { connectTemplateSelection(state); }
    // The first-run file with some lines (1-based) replaced, loaded.
    void loadWith(const QMap<int, QString>& changes)
    {
        QStringList lines = firstRunSettingsLines(install.path());
        for (auto it = changes.begin(); it != changes.end(); ++it)
            lines[it.key() - 1] = it.value();
        install.writeLines(u"settings.txt"_s, lines);
        loadSettings(state, window, ds);
    }
    QStringList saved() const { return install.readLines(u"settings.txt"_s); }
    Preferences& prefs() { return state.prefs; }

    test::TestInstall install;
    SharedState state;
    ScriptedDesktopServices ds;
    PreferencesWindowState window;
};

TEST_F(SettingsFile, FirstRunFileIsPrivateAndLoadsAsTheFirstRun)
{
    loadSettings(state, window, ds);
    EXPECT_TRUE(ds.messages().isEmpty());
    EXPECT_EQ(prefs().text(F::FtpPort), u"21");
    EXPECT_TRUE(prefs().flag(F::UseUsps));
    EXPECT_EQ(state.templates.selectedFile(), u"01.tpt");
    EXPECT_EQ(prefs().termsSize(), 3); // the template's data file decides it
    const QStringList lines = saved();
    ASSERT_EQ(lines.size(), 40);
    EXPECT_EQ(lines[15], u"q83K2vbW7");
    EXPECT_EQ(test::fileMode(install.file(u"settings.txt"_s)), 0600);
}

// The picture preferences live in listwright.ini beside settings.txt, which keeps its 40 lines; what a
// later version wrote there is kept, and a bad value reads as the default.
TEST_F(SettingsFile, PicturePreferencesLiveInAFileOfTheirOwn)
{
    install.write(u"listwright.ini"_s,
                  "[Later]\nthing=1\n[Pictures]\nlongestSide=2400\nprepareForWeb=False\n");
    loadSettings(state, window, ds);
    EXPECT_FALSE(prefs().flag(F::PreparePictures));
    EXPECT_EQ(prefs().index(F::LongestSide), 2400);
    EXPECT_EQ(saved().size(), 40);
    prefs().setFlag(F::PreparePictures, true);
    prefs().setIndex(F::LongestSide, 1200);
    ASSERT_TRUE(saveSettings(state));
    EXPECT_EQ(install.read(u"listwright.ini"_s),
              "[Later]\nthing=1\n[Pictures]\nlongestSide=1200\nprepareForWeb=true\n");
    for (const char* bad : {"longestSide=499", "longestSide=4001", "longestSide=big", "prepareForWeb=0"}) {
        install.write(u"listwright.ini"_s, QByteArray("[Pictures]\n") + bad);
        loadSettings(state, window, ds);
        EXPECT_TRUE(prefs().flag(F::PreparePictures)) << bad;
        EXPECT_EQ(prefs().index(F::LongestSide), 1600) << bad;
    }
}

TEST_F(SettingsFile, LoadingRunsTheRulesOfTheWindow)
{
    // Neither calculator chosen: USPS, without the calculator, with its comment.
    loadWith({{22, u" 1 "_s}, {23, u"12345"_s}, {24, u"Mine"_s}, {25, u"False"_s}, {26, u"False"_s}});
    EXPECT_TRUE(prefs().flag(F::UseUsps));
    EXPECT_FALSE(prefs().flag(F::ShowCalc));
    EXPECT_EQ(prefs().text(F::ShipComment), Preferences::uspsComment());
    // Both chosen: UPS, and the file's comment.
    loadWith({{22, u" 1 "_s}, {23, u"12345"_s}, {24, u"Mine"_s}, {25, u"True"_s}, {26, u"True"_s}});
    EXPECT_TRUE(prefs().flag(F::UseUps) && !prefs().flag(F::UseUsps) && prefs().flag(F::ShowCalc));
    EXPECT_EQ(prefs().text(F::ShipComment), u"Mine");
    // An unknown picture target leaves the window's; "_Blank" is the new-window switch.
    loadWith({{12, u"_Blank"_s}});
    EXPECT_TRUE(prefs().flag(F::WindowState));
    loadWith({{12, u"_top"_s}});
    EXPECT_EQ(prefs().pictureTarget(), u"_Blank");
    // The terms colour comes from the file only with "Always Use This Style".
    loadWith({{4, u"Pay first.<BR>No returns."_s}, {37, u" 255 "_s}, {40, u" 1 "_s}});
    EXPECT_EQ(prefs().termsColor(), (ColorPair{u"#FF0000"_s, 255}));
    EXPECT_EQ(prefs().text(F::Terms), u"Pay first.\r\nNo returns.");
    loadWith({{37, u" 255 "_s}});
    EXPECT_EQ(prefs().termsColor(), (ColorPair{u"#000000"_s, 0}));
    // Older installations named the templates folder after themselves.
    loadWith({{5, install.path() + u"\\Template"_s}});
    EXPECT_EQ(state.templates.folder(), install.path() + u"/templates/");
}

TEST_F(SettingsFile, TheWebsiteNoticeShowsOnceEverAndBadLinesReadAsTheFirstRun)
{
    loadWith({{8, u" 1 "_s}, {6, u" 25 "_s}, {10, u" 7 "_s}, {38, u" 9 "_s}, {25, u"maybe"_s}});
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Website Linking Information"_s});
    EXPECT_EQ(state.templates.selectedIndex(), 0);
    EXPECT_EQ(prefs().index(F::AuctionSite), 0);
    EXPECT_TRUE(prefs().flag(F::UseUsps));
    SharedState restarted;
    ScriptedDesktopServices again;
    loadSettings(restarted, window, again);
    EXPECT_TRUE(restarted.prefs.flag(F::IncludeWebsite));
    EXPECT_TRUE(again.messages().isEmpty());
}

TEST_F(SettingsFile, DamagedFilesLoadSaneValues)
{
    QByteArray valid;
    for (const QString& l : firstRunSettingsLines(install.path()))
        valid += l.toUtf8() + "\r\n";
    for (const auto& input : test::damagedInputs(valid)) {
        SCOPED_TRACE(input.name);
        SharedState fresh;
        ScriptedDesktopServices freshDs;
        install.write(u"settings.txt"_s, input.bytes);
        loadSettings(fresh, window, freshDs);
        EXPECT_EQ(saved().size(), 40);
        const Preferences& p = fresh.prefs;
        EXPECT_TRUE(p.index(F::AuctionSite) >= 0 && p.index(F::AuctionSite) <= 4);
        EXPECT_TRUE(p.termsSize() >= 1 && p.termsSize() <= 7);
        EXPECT_NE(p.flag(F::UseUsps), p.flag(F::UseUps));
    }
}

TEST_F(SettingsFile, OkRefusesIncompleteFtpAndCalculatorSettingsOnTheirTab)
{
    auto ok = [this](const QString& refusedWith, int tab) {
        ds.clearRecords();
        QFile::remove(install.file(u"settings.txt"_s));
        EXPECT_EQ(cmdPrefOK_Click(state, window, ds), refusedWith.isEmpty());
        EXPECT_EQ(ds.messageTitles(), refusedWith.isEmpty() ? QStringList() : QStringList{refusedWith});
        EXPECT_EQ(QFile::exists(install.file(u"settings.txt"_s)), refusedWith.isEmpty()) << "saved";
        if (!refusedWith.isEmpty()) {
            EXPECT_EQ(window.currentTab, tab);
        }
    };
    prefs().setFlag(F::FtpAccess, true);
    ok(u"Error: FTP Port"_s, 1);
    for (F f : {F::FtpServer, F::FtpUserName, F::FtpPassword, F::WebUrl})
        prefs().setText(f, u"x"_s);
    prefs().setText(F::FtpPort, u"2l"_s);
    ok(u"Error: FTP Port"_s, 1);
    prefs().setText(F::FtpPort, u"21"_s);
    ok({}, 0);
    EXPECT_EQ(prefs().ftpAccount().server, u"x");
    prefs().setFlag(F::ShowCalc, true);
    ok(u"Error: Zipcode Value"_s, 2);
    prefs().setText(F::ZipCode, u"123"_s);
    prefs().setFlag(F::UseUps, true);
    ok(u"Error: UPS Values"_s, 2);
}

} // namespace
