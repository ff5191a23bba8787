#include "core/color.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

TEST(Color, ContrastIsTheRatioOfTheLighterToTheDarkerLuminance)
{
    // Colours as 0xRRGGBB and the contrast WCAG's own tools give them.
    const std::vector<std::tuple<quint32, quint32, double>> cases = {
        {0x000000, 0xFFFFFF, 21.0}, {0xFFFFFF, 0x000000, 21.0}, {0x777777, 0x777777, 1.0},
        {0x767676, 0xFFFFFF, 4.54}, {0x777777, 0xFFFFFF, 4.48}, {0xFF0000, 0xFFFFFF, 4.00},
        {0x0000FF, 0xFFFFFF, 8.59}, {0x00FF00, 0x000000, 15.3}, {0x020202, 0x000000, 1.012},
    };
    for (const auto& [a, b, ratio] : cases)
        EXPECT_NEAR(contrastRatio(a, b), ratio, 0.006 * ratio) << std::hex << a << " on " << b;
}

TEST(Color, PageColourTextsReadAsBrowsersReadThem)
{
    const std::vector<std::pair<QString, std::optional<quint32>>> cases = {
        {u"#8FBEF8"_s, 0x8FBEF8},     {u"#8fbef8"_s, 0x8FBEF8},   {u" 00CCFF "_s, 0x00CCFF},
        {u"#ABC"_s, 0xAABBCC},        {u"white"_s, std::nullopt}, {u"#12345"_s, std::nullopt},
        {u"#GGGGGG"_s, std::nullopt}, {u""_s, std::nullopt},      {u"{TITLECOLOR}"_s, std::nullopt},
    };
    for (const auto& [text, rgb] : cases)
        EXPECT_EQ(parseHtmlColor(text), rgb) << text.toStdString();
}
