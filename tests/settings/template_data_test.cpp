#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "core/user_files.h"
#include "settings/preferences_commands.h"
#include "settings/template_commands.h"
#include "settings/template_data.h"
#include "tests/testlib/test_install.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

using C = AdRecord::Color;

class SettingsDefaultColors : public ::testing::Test
{
protected:
    SettingsDefaultColors()
    {
        connectTemplateSelection(state);
        state.templates.setFolder(install.path() + u"/templates"_s);
        state.templates.setSelectedIndex(0);
    }
    void writeData(const QStringList& lines) { install.writeLines(u"templates/01.dat"_s, lines); }
    QStringList titles() { return std::exchange(ds, {}).messageTitles(); }

    test::TestInstall install;
    SharedState state;
    ScriptedDesktopServices ds;
};

TEST_F(SettingsDefaultColors, DefaultsAreTheShippedFirstTemplate)
{
    EXPECT_EQ(templateDataLines(defaultTemplateData()), install.readLines(u"templates/01.dat"_s));
}

TEST_F(SettingsDefaultColors, MissingDataFileIsReportedAndCreatedWithTheDefaults)
{
    ASSERT_TRUE(QFile::copy(install.file(u"templates/01.tpt"_s), install.file(u"templates/99.tpt"_s)));
    state.templates.rescan();
    state.templates.setSelectedIndex(state.templates.files().indexOf(u"99.tpt"_s));
    DefaultColors(state, ds);
    EXPECT_EQ(titles(), QStringList{u"Error"_s});
    EXPECT_EQ(state.templates.selectedIndex(), 0);
    EXPECT_EQ(install.readLines(u"templates/99.dat"_s), templateDataLines(defaultTemplateData()));
}

TEST_F(SettingsDefaultColors, DamagedDataFileAppliesWhatIsGoodAndSaysSo)
{
    QStringList lines = templateDataLines(defaultTemplateData()).mid(0, 10);
    lines[1] = u"#112233"_s;
    lines[2] = u" 3351057 "_s;
    writeData(lines);
    DefaultColors(state, ds);
    EXPECT_EQ(titles(), QStringList{u"Error"_s});
    EXPECT_EQ(state.ad.color(C::Title), (ColorPair{u"#112233"_s, 3351057}));
    EXPECT_EQ(state.tables.entry(1).colorText, u"#8FBEF8");
}

TEST_F(SettingsDefaultColors, SavedLookIsTheTemplatesNewDefault)
{
    state.ad.setColor(C::Title, ColorPair::fromValue(255));
    state.ad.setText(AdRecord::Text::TitleSize, u"7"_s);
    state.tables.setColorValue(2, 65280);
    state.tables.setTextureBox(3, u"wood.jpg"_s);
    state.tables.setUseTexture(3, true);
    state.templateValues.tableCount = 3;
    state.prefs.setTermsSize(6);
    SaveTemplateSettings(state, ds);
    EXPECT_TRUE(ds.messages().isEmpty());
    EXPECT_EQ(install.read(u"templates/01.custom"_s), QByteArray("\r\n"));
    EXPECT_TRUE(state.templateDisplay.customVisible);

    SharedState other;
    other.templates.setFolder(install.path() + u"/templates"_s);
    other.templates.setSelectedIndex(0);
    DefaultColors(other, ds);
    EXPECT_TRUE(ds.messages().isEmpty());
    EXPECT_EQ(other.ad.color(C::Title), state.ad.color(C::Title));
    EXPECT_EQ(other.ad.text(AdRecord::Text::TitleSize), u"7");
    EXPECT_EQ(other.tables.entry(2).colorText, u"#00FF00");
    EXPECT_EQ(other.tables.entry(3).texture, u"wood.jpg");
    EXPECT_EQ(other.tables.swatchCaption(4), u"Not Used In Template");
    EXPECT_EQ(other.prefs.termsSize(), 6);
}

TEST_F(SettingsDefaultColors, InstalledProgramKeepsTheSellersLookInTheirOwnFolder)
{
    install.setLayout(InstallLayout::Installed);
    const QByteArray shipped = install.read(u"templates/01.dat"_s);
    DefaultColors(state, ds);
    state.ad.setColor(C::Title, ColorPair::fromValue(255));
    SaveTemplateSettings(state, ds);
    EXPECT_EQ(install.read(u"templates/01.dat"_s), shipped);
    EXPECT_FALSE(QFileInfo::exists(install.file(u"templates/01.custom"_s)));
    EXPECT_TRUE(QFileInfo::exists(userTemplateFolder() + u"01.custom"_s));

    SharedState next;
    connectTemplateSelection(next);
    next.templates.setFolder(install.path() + u"/templates"_s);
    next.templates.setSelectedIndex(0);
    EXPECT_TRUE(next.templateDisplay.customVisible);
    DefaultColors(next, ds);
    EXPECT_TRUE(ds.messages().isEmpty());
    EXPECT_EQ(next.ad.color(C::Title), ColorPair::fromValue(255));
}

} // namespace
