#include "adfile/ad_file.h"
#include "core/text_file.h"
#include "tests/core/damaged_input.h"
#include "tests/testlib/test_install.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

AdFileData sample()
{
    AdFileData d;
    d.title = u"Brass lamp — 1920s"_s;
    d.subTitle = u"Works fine"_s;
    d.description = u"Solid brass.<BR>Rewired in 2019.<BR><BR>Café style shade."_s;
    d.titleColor = 255;
    d.subTitleColor = 16301711;
    d.descriptionColor = 0;
    d.titleSize = u"6"_s;
    d.subTitleSize = u"4"_s;
    d.descriptionSize = u"3"_s;
    d.condition = u"Used"_s;
    d.age = u"100 years"_s;
    d.comments = u"Small dent"_s;
    d.shipCost = u"$12.50"_s;
    d.includeOptional = true;
    d.pictures[0] = u"C:\\pics\\lamp.jpg"_s;
    d.pictures[9] = u"http://example.com/lamp2.jpg"_s;
    d.tableColorValues = {u"0"_s, u"16301711"_s, u"10178048"_s, u"16769465"_s, u"16775660"_s};
    d.optionalColor = 65280;
    d.tableTextures[2] = u"wood.jpg"_s;
    d.useTexture = {false, false, true, false, false};
    d.templateIndex = 3;
    d.effects = {true, false, false, false, false, true, true, false};
    d.musicUrl = u"http://example.com/tune.mid"_s;
    d.letterStyle = 2;
    d.thumbWidth = u"200"_s;
    d.thumbHeight = u"150"_s;
    d.pounds = u"3"_s;
    d.ounces = u"8"_s;
    return d;
}

TEST(AdFileFormat, WritesFiftyFiveLinesThatReadBack)
{
    const QStringList lines = sample().toLines();
    ASSERT_EQ(lines.size(), 55);
    EXPECT_EQ(lines[2], u"Solid brass.<BR>Rewired in 2019.<BR><BR>Café style shade.");
    EXPECT_EQ(lines.mid(3, 3), (QStringList{u" 255 "_s, u" 16301711 "_s, u" 0 "_s}));
    EXPECT_EQ(lines[13], u" 1 ");
    EXPECT_EQ(lines[25], u"16301711");
    EXPECT_EQ(lines[29], u" 65280 ");
    EXPECT_EQ(lines[37], u" 1 ");
    EXPECT_EQ(lines[40], u" 3 ");
    EXPECT_EQ(lines.mid(41, 3), (QStringList{u"True"_s, u"False"_s, u"False"_s}));
    EXPECT_EQ(lines.mid(50, 5), (QStringList{u" 2 "_s, u"200"_s, u"150"_s, u"3"_s, u"8"_s}));

    const AdFileRead r = parseAdFile(lines);
    ASSERT_TRUE(r.data) << r.error.toStdString();
    EXPECT_EQ(r.data->toLines(), lines);
    EXPECT_EQ(r.data->includeOptional, true);
    EXPECT_EQ(r.data->useTexture[2], true);
    EXPECT_EQ(r.data->letterStyle, 2);

    // Through a file, in Windows-1252 since every character fits.
    test::TestInstall install(false);
    ASSERT_TRUE(writeTextLines(install.file(u"lamp.zad"_s), lines));
    EXPECT_TRUE(install.read(u"lamp.zad"_s).contains("Caf\xE9 style"));
    const AdFileRead fromFile = readAdFile(install.file(u"lamp.zad"_s));
    ASSERT_TRUE(fromFile.data);
    EXPECT_EQ(fromFile.data->toLines(), lines);
}

TEST(AdFileFormat, AdWithNoTemplateSelectedReadsBack)
{
    AdFileData d = sample();
    d.templateIndex = -1;
    const AdFileRead r = parseAdFile(d.toLines());
    ASSERT_TRUE(r.data) << r.error.toStdString();
    EXPECT_EQ(r.data->templateIndex, -1);
}

TEST(AdFileFormat, LinesAfterFiftyAreOptional)
{
    const QStringList lines = sample().toLines();
    for (const QStringList& tail : {QStringList{}, QStringList{{}, {}, {}, {}, {}}, QStringList{{}, {}}}) {
        const AdFileRead r = parseAdFile(lines.mid(0, 50) + tail);
        ASSERT_TRUE(r.data) << r.error.toStdString();
        EXPECT_FALSE(r.data->letterStyle);
        EXPECT_FALSE(r.data->thumbWidth);
        EXPECT_FALSE(r.data->ounces);
    }
    const AdFileRead longer = parseAdFile(lines + QStringList{u"extra"_s, u"lines"_s});
    ASSERT_TRUE(longer.data);
    EXPECT_EQ(longer.data->ounces, u"8");

    // A switch value other than 0 or 1 leaves the switch alone.
    QStringList odd = lines;
    odd[13] = u" 5 "_s;
    odd[36] = u" 2 "_s;
    const AdFileRead r = parseAdFile(odd);
    ASSERT_TRUE(r.data);
    EXPECT_FALSE(r.data->includeOptional);
    EXPECT_FALSE(r.data->useTexture[1]);
}

TEST(AdFileFormat, ShortOrMisfilledFilesAreRefusedWhole)
{
    const QStringList lines = sample().toLines();
    const AdFileRead shortFile = parseAdFile(lines.mid(0, 49));
    EXPECT_FALSE(shortFile.data);
    EXPECT_FALSE(shortFile.error.isEmpty());

    // Number lines (colours, switches, table colours, template) and the effect flags.
    for (int line : {4, 5, 6, 14, 25, 29, 30, 36, 40, 41, 42, 49, 51}) {
        QStringList bad = lines;
        bad[line - 1] = u"abc"_s;
        const AdFileRead r = parseAdFile(bad);
        EXPECT_FALSE(r.data) << "line " << line;
        EXPECT_TRUE(r.error.contains(QString::number(line))) << r.error.toStdString();
    }
    QStringList outOfRange = lines;
    outOfRange[50] = u" 9 "_s;
    EXPECT_FALSE(parseAdFile(outOfRange).data);
}

TEST(AdFileFormat, DamagedFilesGiveNoData)
{
    test::TestInstall install(false);
    QByteArray valid;
    for (const QString& l : sample().toLines())
        valid += l.toUtf8() + "\r\n";
    install.write(u"ad.zad"_s, valid);
    ASSERT_TRUE(readAdFile(install.file(u"ad.zad"_s)).data);

    for (const auto& input : test::damagedInputs(valid)) {
        SCOPED_TRACE(input.name);
        install.write(u"ad.zad"_s, input.bytes);
        const AdFileRead r = readAdFile(install.file(u"ad.zad"_s));
        EXPECT_FALSE(r.data);
        EXPECT_FALSE(r.error.isEmpty());
    }
    EXPECT_FALSE(readAdFile(install.file(u"absent.zad"_s)).data);

    // A long description is still an ad.
    AdFileData big = sample();
    big.description = QString(100000, u'x');
    ASSERT_TRUE(writeTextLines(install.file(u"big.zad"_s), big.toLines()));
    const AdFileRead r = readAdFile(install.file(u"big.zad"_s));
    ASSERT_TRUE(r.data);
    EXPECT_EQ(r.data->description.size(), 100000);
}

} // namespace
