#include "sitecheck/text_colours.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

TEST(TextColours, EachTextTakesTheNearestColourAndBackgroundTheBrowserWouldPaint)
{
    GeneratorInput in;
    in.ad.titleColor = {u"#FFFFFF"_s, 0xFFFFFF};
    in.ad.titleSize = u"6"_s;
    in.tables[1].colorText = u"#004E9B"_s;
    in.tables[2].useTexture = true;
    in.enlargeColor = u"#FFFF00"_s;
    // A template, and each text's colour on its background ("L" for large text), in page order.
    const std::vector<std::pair<QString, QStringList>> cases = {
        {u"<table><tr><td {t1}><font color=\"{TITLECOLOR}\" size=\"{TITLESIZE}\">{TITLE}</font></td></tr></table>"_s,
         {u"title colour on table 1 L"_s}},
        {u"<div style=\"color:#111111;background-color:#EEEEEE\"><span style=\"color: #222\">x</span>"
         u"<p style=\"background:#FFF8E7 none\">y</p></div>"_s,
         {u"the template's text #222222 on the template's background #EEEEEE"_s,
          u"the template's text #111111 on the template's background #FFF8E7"_s}},
        {u"<div style=\"color:#333333\"><font color=\"{TERMS1COLOR}\">x</font></div>"_s,
         {u"the template's text #333333 on the page"_s}},
        {u"<table bgcolor=\"#FFFFCC\"><tr><td><b style=\"font-size:19px\">x</b> <i "
         u"style=\"font-size:19px\">y</i>"
         u"</td></tr></table>"_s,
         {u"the template's text #000000 on the template's background #FFFFCC L"_s,
          u"the template's text #000000 on the template's background #FFFFCC"_s}},
        {u"<div style=\"background-color:#000000;color:#FFFFFF\">{IMAGE0}{IMAGE1}</div>"_s,
         {u"caption colour under pictures on the template's background #000000"_s}},
        // On a picture, or links and forms only: nothing to judge.
        {u"<table><tr><td {t2}>x</td></tr></table><div style=\"background:url(https://a.example/wood.jpg)\">y</div>"_s,
         {}},
        {u"{BODYBGCOLOR}><div>{EMAIL} {WEBSITE}{SHIPCALC}[ ]&nbsp;</div><style>p{color:red}</style>"_s, {}},
    };
    for (const auto& [page, expected] : cases) {
        in.templateText = page;
        QStringList found;
        for (const TextColours& t : templateTextColours(in))
            found << t.color + u" on "_s + t.background + (t.large ? u" L"_s : u""_s);
        EXPECT_EQ(found, expected) << page.toStdString();
    }
}
