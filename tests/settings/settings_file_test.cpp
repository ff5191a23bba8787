#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "core/text_file.h"
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
const QString Marker = u"q83K2vbW7"_s;

class SettingsFile : public ::testing::Test
{
protected:
    SettingsFile() { connectTemplateSelection(state); }
    void load() { loadSettings(state, window, ds); }
    // The first-run file with some lines (1-based) replaced.
    void loadWith(const QMap<int, QString>& changes)
    {
        QStringList lines = firstRunSettingsLines(install.path());
        for (auto it = changes.begin(); it != changes.end(); ++it)
            lines[it.key() - 1] = it.value();
        install.writeLines(u"settings.txt"_s, lines);
        load();
    }
    QStringList saved() const { return install.readLines(u"settings.txt"_s); }
    Preferences& prefs() { return state.prefs; }
    void expectFirstRunValues(const SharedState& s)
    {
        const Preferences& p = s.prefs;
        EXPECT_EQ(p.text(F::AuctionId), QString());
        EXPECT_EQ(p.index(F::AuctionSite), 0);
        EXPECT_EQ(p.index(F::Font), 0);
        EXPECT_EQ(p.text(F::FtpPort), u"21");
        EXPECT_EQ(p.text(F::FtpPassword), QString());
        EXPECT_TRUE(p.flag(F::UseUsps));
        EXPECT_FALSE(p.flag(F::IncludeEmail));
        EXPECT_EQ(p.text(F::UpsInsurance), u"100");
        EXPECT_EQ(p.termsSize(), 3); // from the template's data file
        EXPECT_EQ(s.templates.files().value(0), u"01.tpt");
        EXPECT_EQ(s.templates.selectedIndex(), 0);
    }

    test::TestInstall install;
    SharedState state;
    ScriptedDesktopServices ds;
    PreferencesWindowState window;
};

TEST_F(SettingsFile, FirstRunLinesAreRewrittenInTheProgramsForm)
{
    const QStringList first = firstRunSettingsLines(install.path());
    ASSERT_EQ(first.size(), 40);
    EXPECT_EQ(first[38], u"false");
    load();
    expectFirstRunValues(state);
    EXPECT_TRUE(ds.messages().isEmpty());
    const QStringList lines = saved();
    ASSERT_EQ(lines.size(), 40);
    const QMap<int, QString> both{{5, install.path() + u"/templates"_s},
                                  {12, u"_Self"_s},
                                  {18, u"21"_s},
                                  {24, u"Select either Priority Mail or Parcel Post for this item."_s},
                                  {25, u"True"_s},
                                  {26, u"False"_s},
                                  {31, u"100"_s},
                                  {38, u"2"_s}};
    for (auto it = both.begin(); it != both.end(); ++it) {
        EXPECT_EQ(first[it.key() - 1], it.value()) << "line " << it.key();
        EXPECT_EQ(lines[it.key() - 1], it.value()) << "line " << it.key();
    }
    for (int i : {6, 7, 8, 9, 10, 11, 13, 19, 21, 22, 32, 40})
        EXPECT_EQ(lines[i - 1], u" 0 ") << "line " << i;
    EXPECT_EQ(lines[15], Marker);
    EXPECT_EQ(lines[38], u"False");
    EXPECT_EQ(test::fileMode(install.file(u"settings.txt"_s)), 0600);
}

TEST_F(SettingsFile, PasswordIsShiftedAndMarked)
{
    prefs().setText(F::FtpPassword, u"abc"_s);
    ASSERT_TRUE(saveSettings(state));
    EXPECT_EQ(saved()[15], u"pqr" + Marker);

    // The marker carries nothing; what is before it is the password.
    loadWith({{16, u"pqrZZZZZZZZZ"_s}});
    EXPECT_EQ(prefs().text(F::FtpPassword), u"abc");
    loadWith({{16, u"abcdefghi"_s}});
    EXPECT_EQ(prefs().text(F::FtpPassword), QString());

    const QString typed = u"Zz9 ~é€ß!"_s;
    prefs().setText(F::FtpPassword, typed);
    ASSERT_TRUE(saveSettings(state));
    EXPECT_EQ(saved()[15].size(), typed.size() + 9);
    load();
    EXPECT_EQ(prefs().text(F::FtpPassword), typed);
}

TEST_F(SettingsFile, TermsLineBreaksTravelAsBrTags)
{
    for (const QString& terms : {u"Pay within 3 days.\r\nNo returns."_s, u"Pay within 3 days.\nNo returns."_s,
                                 u"Pay within 3 days.<BR>No returns."_s}) {
        SCOPED_TRACE(terms.toStdString());
        prefs().setText(F::Terms, terms);
        ASSERT_TRUE(saveSettings(state));
        const QStringList lines = saved();
        ASSERT_EQ(lines.size(), 40);
        EXPECT_EQ(lines[3], u"Pay within 3 days.<BR>No returns.");
        load();
        EXPECT_EQ(prefs().text(F::Terms), u"Pay within 3 days.\r\nNo returns.");
        EXPECT_EQ(prefs().text(F::FtpPort), u"21");
    }
}

TEST_F(SettingsFile, OldTemplateFolderNamesMoveToTheTemplatesFolder)
{
    for (const QString& old : {u"/Template"_s, u"\\Template"_s, u"/template"_s}) {
        loadWith({{5, install.path() + old}});
        EXPECT_EQ(state.templates.folder(), install.path() + u"/templates/");
        EXPECT_EQ(state.templates.files().value(0), u"01.tpt");
        EXPECT_EQ(state.templates.selectedIndex(), 0);
    }
    loadWith({{5, install.path() + u"/mine"_s}});
    EXPECT_EQ(state.templates.folder(), install.path() + u"/mine");
    EXPECT_TRUE(state.templates.files().isEmpty());
}

TEST_F(SettingsFile, NoShippingChoiceSelectsUspsWithoutTheCalculator)
{
    loadWith({{22, u" 1 "_s}, {23, u"12345"_s}, {25, u"False"_s}, {26, u"False"_s}});
    EXPECT_TRUE(prefs().flag(F::UseUsps));
    EXPECT_FALSE(prefs().flag(F::UseUps));
    EXPECT_FALSE(prefs().flag(F::ShowCalc));
    loadWith({{22, u" 1 "_s}, {23, u"12345"_s}, {25, u"False"_s}, {26, u"True"_s}, {31, u"250"_s}});
    EXPECT_TRUE(prefs().flag(F::UseUps));
    EXPECT_FALSE(prefs().flag(F::UseUsps));
    EXPECT_TRUE(prefs().flag(F::ShowCalc));
}

TEST_F(SettingsFile, EachBadLineFallsBackToItsFirstRunValue)
{
    loadWith({{1, u"seller1"_s},
              {6, u" 25 "_s},
              {7, u"abc"_s},
              {8, u" 1 "_s},
              {10, u" 7 "_s},
              {11, u"-1 "_s},
              {22, u"x"_s},
              {25, u"maybe"_s},
              {38, u" 9 "_s}});
    EXPECT_EQ(prefs().text(F::AuctionId), u"seller1");
    EXPECT_EQ(state.templates.selectedIndex(), 0);
    EXPECT_FALSE(prefs().flag(F::IncludeEmail));
    EXPECT_TRUE(prefs().flag(F::IncludeWebsite));
    EXPECT_EQ(prefs().index(F::AuctionSite), 0);
    EXPECT_EQ(prefs().index(F::Font), 0);
    EXPECT_FALSE(prefs().flag(F::ShowCalc));
    EXPECT_TRUE(prefs().flag(F::UseUsps));
    loadWith({{10, u" 4 "_s}, {11, u" 3 "_s}});
    EXPECT_EQ(prefs().index(F::AuctionSite), 4);
    EXPECT_EQ(prefs().index(F::Font), 3);

    // Ten lines: what is there is taken, the rest is the first run's.
    install.writeLines(u"settings.txt"_s,
                       {u"seller2"_s, u"me@example.com"_s, {}, {}, {}, {}, {}, {}, {}, u" 2 "_s});
    load();
    EXPECT_EQ(prefs().text(F::Email), u"me@example.com");
    EXPECT_EQ(prefs().index(F::AuctionSite), 2);
    EXPECT_EQ(prefs().text(F::FtpPort), u"21");
    EXPECT_EQ(saved().size(), 40);
}

TEST_F(SettingsFile, AlwaysUseColorTakesTheTermsColourFromTheFile)
{
    loadWith({{37, u" 255 "_s}, {38, u"5"_s}, {40, u" 1 "_s}});
    EXPECT_EQ(prefs().termsColor(), (ColorPair{u"#FF0000"_s, 255}));
    // The template's data file still decides the size.
    EXPECT_EQ(prefs().termsSize(), 3);
    loadWith({{37, u" 255 "_s}, {40, u" 0 "_s}});
    EXPECT_EQ(prefs().termsColor(), (ColorPair{u"#000000"_s, 0}));
}

TEST_F(SettingsFile, DamagedFilesLoadAsTheFirstRunWouldForEveryBadLine)
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
        EXPECT_TRUE(p.index(F::Font) >= 0 && p.index(F::Font) <= 4);
        EXPECT_TRUE(p.termsSize() >= 1 && p.termsSize() <= 7);
        EXPECT_NE(p.flag(F::UseUsps), p.flag(F::UseUps));
        const QByteArray name(input.name);
        if (name == "empty" || name == "short" || name == "above the size cap")
            expectFirstRunValues(fresh);
    }
}

class SettingsPreferencesOk : public SettingsFile
{
protected:
    bool ok() { return cmdPrefOK_Click(state, window, ds); }
    void expectRefused(const QString& title, int tab)
    {
        EXPECT_FALSE(ok());
        EXPECT_EQ(ds.messageTitles(), QStringList{title});
        EXPECT_EQ(window.currentTab, tab);
        EXPECT_FALSE(QFile::exists(install.file(u"settings.txt"_s)));
        ds.clearRecords();
    }
};

TEST_F(SettingsPreferencesOk, FtpNeedsEveryFieldButTheRemoteFolder)
{
    prefs().setFlag(F::FtpAccess, true);
    expectRefused(u"Error: FTP Port"_s, 1);
    prefs().setText(F::FtpServer, u"ftp.example.com"_s);
    prefs().setText(F::FtpUserName, u"seller"_s);
    prefs().setText(F::FtpPassword, u"secret"_s);
    prefs().setText(F::WebUrl, u"http://example.com/pics/"_s);
    prefs().setText(F::FtpPort, u"2l"_s);
    expectRefused(u"Error: FTP Port"_s, 1);

    prefs().setText(F::FtpPort, u"21"_s);
    window.visible = true;
    EXPECT_TRUE(ok());
    EXPECT_TRUE(ds.messages().isEmpty());
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(prefs().ftpAccount().server, u"ftp.example.com");
    EXPECT_EQ(saved()[13], u"ftp.example.com");
}

TEST_F(SettingsPreferencesOk, CalculatorNeedsAZipAndForUpsTheParcel)
{
    prefs().setFlag(F::ShowCalc, true);
    prefs().setText(F::ZipCode, u"abc"_s);
    expectRefused(u"Error: Zipcode Value"_s, 2);
    prefs().setText(F::ZipCode, u"123"_s);
    prefs().setFlag(F::UseUps, true);
    prefs().setText(F::UpsLength, u"10"_s);
    prefs().setText(F::UpsWidth, u"8"_s);
    prefs().setText(F::UpsHeight, u"4"_s);
    prefs().setText(F::UpsInsurance, QString());
    expectRefused(u"Error: UPS Values"_s, 2);
    prefs().setText(F::UpsInsurance, u"100"_s);
    EXPECT_TRUE(ok());

    // Switched off, neither the zip nor the parcel is looked at.
    prefs().setFlag(F::ShowCalc, false);
    prefs().setText(F::ZipCode, u"abc"_s);
    prefs().setText(F::UpsLength, QString());
    ds.clearRecords();
    EXPECT_TRUE(ok());
    EXPECT_TRUE(ds.messages().isEmpty());
}

} // namespace
