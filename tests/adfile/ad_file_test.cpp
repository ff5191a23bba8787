#include "adfile/ad_file.h"
#include "tests/core/damaged_input.h"
#include "tests/testlib/test_install.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

AdFileData sample()
{
    AdFileData d;
    d.ad.title = u"Brass lamp — 1920s"_s;
    d.ad.description = u"Solid brass.\r\nCafé style shade."_s;
    d.ad.titleColor = ColorPair::fromValue(255);
    d.ad.includeOptional = true;
    d.ad.effects = {true, false, false, false, false, true, true, false};
    d.ad.letterStyle = 2;
    d.ad.pounds = u"3"_s;
    d.pictures[9] = u"http://example.com/lamp2.jpg"_s;
    d.backgrounds[1] = {u"16301711"_s, u"wood.jpg"_s, true};
    d.thumbWidth = u"200"_s;
    d.templateIndex = -1; // no template selected
    return d;
}

TEST(AdFileFormat, WritesFiftyFiveLinesThatReadBackThroughAFile)
{
    const QStringList lines = sample().toLines();
    ASSERT_EQ(lines.size(), 55);
    EXPECT_EQ(lines[2], u"Solid brass.<BR>Café style shade.");
    EXPECT_EQ(lines.mid(40, 3), (QStringList{u"-1 "_s, u"True"_s, u"False"_s}));
    test::TestInstall install(false);
    ASSERT_TRUE(writeTextLines(install.file(u"lamp.zad"_s), lines));
    EXPECT_TRUE(install.read(u"lamp.zad"_s).contains("Caf\xE9 style")); // Windows-1252: every character fits
    const AdFileRead r = readAdFile(install.file(u"lamp.zad"_s));
    ASSERT_TRUE(r.data) << r.error.toStdString();
    EXPECT_EQ(r.data->toLines(), lines);
    EXPECT_EQ(r.data->ad.description, sample().ad.description);
}

TEST(AdFileFormat, WhatTheFileLeavesOutKeepsTheCurrentValue)
{
    AdFileData current;
    current.ad.letterStyle = 5;
    current.ad.ounces = u"9"_s;
    current.ad.includeOptional = true;
    QStringList lines = sample().toLines().mid(0, 50) + QStringList{{}, {}, {}, {}, {}};
    lines[13] = u" 5 "_s; // neither 0 nor 1
    lines[36] = u" 2 "_s;
    const AdFileRead r = parseAdFile(lines, current);
    ASSERT_TRUE(r.data) << r.error.toStdString();
    EXPECT_EQ(r.data->ad.letterStyle, 5);
    EXPECT_EQ(r.data->ad.ounces, u"9");
    EXPECT_TRUE(r.data->ad.includeOptional);
    EXPECT_FALSE(r.data->backgrounds[1].useTexture.has_value());
}

TEST(AdFileFormat, ShortMisfilledAndDamagedFilesAreRefusedWhole)
{
    const QStringList lines = sample().toLines();
    EXPECT_FALSE(parseAdFile(lines.mid(0, 49)).data);
    for (int line : {4, 14, 25, 30, 36, 41, 42, 51}) {
        QStringList bad = lines;
        bad[line - 1] = u"abc"_s;
        const AdFileRead r = parseAdFile(bad);
        EXPECT_FALSE(r.data) << "line " << line;
        EXPECT_TRUE(r.error.startsWith(u"Line "_s + QString::number(line) + u' ')) << r.error.toStdString();
    }
    test::TestInstall install(false);
    QByteArray valid;
    for (const QString& l : lines)
        valid += l.toUtf8() + "\r\n";
    for (const auto& input : test::damagedInputs(valid)) {
        SCOPED_TRACE(input.name);
        install.write(u"ad.zad"_s, input.bytes);
        const AdFileRead r = readAdFile(install.file(u"ad.zad"_s));
        EXPECT_TRUE(!r.data && !r.error.isEmpty());
    }
}

} // namespace
