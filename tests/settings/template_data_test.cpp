#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "core/text_file.h"
#include "settings/preferences_commands.h"
#include "settings/template_commands.h"
#include "settings/template_data.h"
#include "tests/core/damaged_input.h"
#include "tests/testlib/test_install.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

using C = AdRecord::Color;
const QString ReadError = u"An error has occured while attempting to set the default template colors."_s;

TEST(SettingsTemplateData, DefaultsAreTheShippedDataFile)
{
    const TextReadResult shipped = readTextLines(QString::fromUtf8(LW_DATA_DIR) + u"/templates/01.dat"_s);
    ASSERT_TRUE(shipped.ok);
    ASSERT_EQ(shipped.lines.size(), 34);
    const TemplateData defaults;
    QStringList expected = defaults.toLines();
    // The shipped file writes its sizes without blanks; so does the program.
    EXPECT_EQ(expected, shipped.lines);
    EXPECT_EQ(expected[13], u" 16301711 ");
    EXPECT_EQ(expected[16], u"#004E9B");
    EXPECT_EQ(expected[27], u" 4 ");

    const TemplateDataRead read = parseTemplateData(shipped.lines);
    EXPECT_TRUE(read.readable && read.complete);
    EXPECT_EQ(read.data.toLines(), expected);
}

TEST(SettingsTemplateData, EachBadLineKeepsItsDefault)
{
    QStringList lines = TemplateData{}.toLines();
    lines[0] = u"x"_s;         // picture count
    lines[1] = u"#123456"_s;   // title colour text
    lines[2] = u" 5649426 "_s; // title colour value
    lines[13] = u"abc"_s;      // table 1 colour value
    lines[17] = u" 65280 "_s;  // table 2 colour value
    lines[27] = u" 9 "_s;      // table count out of range
    lines[30] = u"8"_s;        // title size out of range
    lines[31] = u" 2 "_s;      // sub-title size
    const TemplateDataRead r = parseTemplateData(lines);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.data.imageAmount, 5);
    EXPECT_EQ(r.data.titleColor, u"#123456");
    EXPECT_EQ(r.data.titleValue, 5649426);
    EXPECT_EQ(r.data.tables[0].colorValue, 16301711);
    EXPECT_EQ(r.data.tables[1].colorValue, 65280);
    EXPECT_EQ(r.data.tableCount, 4);
    EXPECT_EQ(r.data.titleSize, u"6");
    EXPECT_EQ(r.data.subTitleSize, u"2");

    const TemplateDataRead shortFile = parseTemplateData(lines.mid(0, 3));
    EXPECT_FALSE(shortFile.complete);
    EXPECT_EQ(shortFile.data.imageAmount, 5);
    EXPECT_EQ(shortFile.data.titleValue, 5649426);
    EXPECT_EQ(shortFile.data.subTitleColor, u"#000000");
    EXPECT_EQ(shortFile.data.tables[3].colorText, u"#ECF9FF");
}

class SettingsDefaultColors : public ::testing::Test
{
protected:
    SettingsDefaultColors()
    {
        connectTemplateSelection(state);
        state.templates.setFolder(install.path() + u"/templates"_s);
        state.templates.setSelectedIndex(0);
    }
    void apply() { DefaultColors(state, ds); }
    void writeData(const QStringList& lines) { install.writeLines(u"templates/01.dat"_s, lines); }
    void expectReadError()
    {
        ASSERT_EQ(ds.messages().size(), 1);
        EXPECT_EQ(ds.messages()[0].title, u"Error");
        EXPECT_EQ(ds.messages()[0].text, ReadError);
        EXPECT_EQ(ds.messages()[0].style, 80);
        ds.clearRecords();
    }

    test::TestInstall install;
    SharedState state;
    ScriptedDesktopServices ds;
};

TEST_F(SettingsDefaultColors, MissingDataFileIsReportedAndCreated)
{
    ASSERT_TRUE(QFile::copy(install.file(u"templates/01.tpt"_s), install.file(u"templates/99.tpt"_s)));
    state.templates.rescan();
    state.templates.setSelectedIndex(state.templates.files().indexOf(u"99.tpt"_s));
    apply();
    ASSERT_EQ(ds.messages().size(), 1);
    EXPECT_EQ(ds.messages()[0].title, u"Error");
    EXPECT_TRUE(ds.messages()[0].text.startsWith(u"Listwright was unable to find the data file"_s));
    EXPECT_EQ(ds.messages()[0].style, MsgStyle::Information);
    EXPECT_EQ(state.templates.selectedIndex(), 0);
    EXPECT_EQ(install.readLines(u"templates/99.dat"_s), TemplateData{}.toLines());
    EXPECT_EQ(state.tables.entry(2).colorText, u"#004E9B");
}

TEST_F(SettingsDefaultColors, DamagedDataFilesApplyDefaultsAndSaySo)
{
    QStringList lines = TemplateData{}.toLines().mid(0, 10);
    lines[1] = u"#112233"_s;
    lines[2] = u" 3351057 "_s;
    writeData(lines);
    apply();
    expectReadError();
    EXPECT_EQ(state.ad.color(C::Title), (ColorPair{u"#112233"_s, 3351057}));
    EXPECT_EQ(state.tables.entry(1).colorText, u"#8FBEF8");
    EXPECT_EQ(state.ad.text(AdRecord::Text::TitleSize), u"6");

    QByteArray valid;
    for (const QString& l : TemplateData{}.toLines())
        valid += l.toUtf8() + "\r\n";
    for (const auto& input : test::damagedInputs(valid)) {
        SCOPED_TRACE(input.name);
        install.write(u"templates/01.dat"_s, input.bytes);
        apply();
        expectReadError();
        EXPECT_TRUE(state.templateValues.imageAmount >= 0 && state.templateValues.imageAmount <= 10);
        EXPECT_TRUE(state.templateValues.tableCount >= 0 && state.templateValues.tableCount <= 4);
        EXPECT_TRUE(state.prefs.termsSize() >= 1 && state.prefs.termsSize() <= 7);
    }
}

TEST_F(SettingsDefaultColors, TableCountAndTermsLook)
{
    QStringList lines = TemplateData{}.toLines();
    lines[27] = u"2"_s;
    lines[28] = u"#00FF00"_s;
    lines[29] = u" 65280 "_s;
    lines[33] = u"5.0"_s;
    writeData(lines);
    apply();
    EXPECT_TRUE(ds.messages().isEmpty());
    EXPECT_EQ(state.tables.swatchCaption(2), u"Sample");
    EXPECT_EQ(state.tables.swatchCaption(3), u"Not Used In Template");
    EXPECT_EQ(state.tables.swatchCaption(4), u"Not Used In Template");
    EXPECT_EQ(state.prefs.termsColor(), (ColorPair{u"#00FF00"_s, 65280}));
    EXPECT_EQ(state.prefs.termsSize(), 5);

    state.prefs.setFlag(Preferences::Field::AlwaysUseColor, true);
    state.prefs.setTermsColor({u"#FF0000"_s, 255});
    lines[33] = u"4"_s;
    writeData(lines);
    apply();
    EXPECT_EQ(state.prefs.termsColor(), (ColorPair{u"#FF0000"_s, 255}));
    EXPECT_EQ(state.prefs.termsSize(), 4);
}

TEST_F(SettingsDefaultColors, SavedLookIsTheTemplatesNewDefault)
{
    state.ad.setColor(C::Title, ColorPair::fromValue(255));
    state.ad.setColor(C::Optional, ColorPair::fromValue(0x123456));
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

    const QStringList lines = install.readLines(u"templates/01.dat"_s);
    ASSERT_EQ(lines.size(), 34);
    EXPECT_EQ(lines.mid(1, 2), (QStringList{u"#FF0000"_s, u" 255 "_s}));
    EXPECT_EQ(lines.mid(7, 2), (QStringList{u"#563412"_s, u" 1193046 "_s}));
    EXPECT_EQ(lines.mid(16, 2), (QStringList{u"#00FF00"_s, u" 65280 "_s}));
    EXPECT_EQ(lines.mid(18, 2), (QStringList{u" 1 "_s, u"wood.jpg"_s}));
    EXPECT_EQ(lines[27], u" 3 ");
    EXPECT_EQ(lines[30], u"7");
    EXPECT_EQ(lines[33], u"6");

    SharedState other;
    other.templates.setFolder(install.path() + u"/templates"_s);
    other.templates.setSelectedIndex(0);
    DefaultColors(other, ds);
    EXPECT_TRUE(ds.messages().isEmpty());
    EXPECT_EQ(other.ad.color(C::Title), state.ad.color(C::Title));
    EXPECT_EQ(other.tables.entry(3).texture, u"wood.jpg");
    EXPECT_EQ(other.tables.swatchCaption(4), u"Not Used In Template");
    EXPECT_EQ(other.prefs.termsSize(), 6);
}

} // namespace
