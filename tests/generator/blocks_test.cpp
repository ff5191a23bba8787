#include "tests/generator/generator_test_support.h"

#include "generator/alt_text.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

TEST(GeneratorBlocks, PictureFileNameCutsAtPathSeparators)
{
    // Only a backslash cuts a web address.
    const std::pair<QString, QString> cases[] = {{u"/h/v.png"_s, u"v.png"_s},
                                                 {u"C:\\a/b\\c/d.jpg"_s, u"d.jpg"_s},
                                                 {u"http://h/a/b.gif"_s, u"http://h/a/b.gif"_s},
                                                 {u"http://h/a\\b.gif"_s, u"b.gif"_s}};
    for (const auto& [slot, name] : cases)
        EXPECT_EQ(pictureFileName(slot), name) << slot.toStdString();
}

// Web mode (upload on, no preview) links the web folder and the file name; otherwise the text as typed.
TEST(GeneratorBlocks, PicturesFollowTheMode)
{
    GeneratorInput in = inputFor(u"{IMAGE0}|{IMAGE1}|{IMAGE10}"_s);
    in.prefs.pictureTarget = u"_blank"_s;
    in.pictures.thumbWidth = u" 320"_s;
    in.enlargeColor = u"#FF0000"_s;
    in.prefs.webUrl = u"http://me.example/p/"_s;
    in.pictures.slots[0].text = u"C:\\a\\l.jpg"_s;
    const QString local =
        u"<A href = \"C:\\a\\l.jpg\" target=\"_blank\"><img src=\"C:\\a\\l.jpg\" width=\"320\" "
        u"height=\"150\" alt=\"Picture 1\"> </A><font color = \"#FF0000\" size = 1><BR>Click To "
        u"Enlarge!</font>||{IMAGE10}"_s;
    EXPECT_EQ(generate(in), local);
    in.prefs.ftpAccess = in.preview = true;
    EXPECT_EQ(generate(in), local);
    in.preview = false;
    EXPECT_EQ(generate(in), QString(local).replace(u"C:\\a\\"_s, u"http://me.example/p/"_s));
}

TEST(GeneratorBlocks, ShippingFormsCarryTheSellersFigures)
{
    GeneratorInput in = inputFor({});
    int n = 0;
    for (QString* value :
         {&in.ad.pounds, &in.ad.ounces, &in.prefs.zipCode, &in.prefs.upsLength, &in.prefs.upsWidth,
          &in.prefs.upsHeight, &in.prefs.upsInsurance, &in.prefs.shipComment})
        *value = u'v' + QString::number(++n);
    in.prefs.upsResidential = true;
    // The field names differ between the carriers, so both forms are searched at once.
    const QString forms = uspsForm(in, u"L/"_s) + upsForm(in, u"L/"_s);
    for (const QString& part :
         {u"<img src=\"L/usps.gif\" width=53 height=52 align=absmiddle alt=\"USPS\">"_s,
          u"name=OZ value=v3><input type=hidden name=P value=v1><input type=hidden name=O value=v2>"_s,
          u"<img src=\"L/ups.gif\" width=53 height=52 align=absmiddle alt=\"UPS\">"_s,
          u"name=23_weight value=v1>"_s, u"name=15_origPostal value=v3>"_s,
          u"name=49_residential value=YES>"_s,
          u"name=25_length value=v4><input type=hidden name=26_width value=v5><input type=hidden "
          u"name=27_height value=v6><input type=hidden name=24_value value=v7>"_s})
        EXPECT_TRUE(forms.contains(part)) << part.toStdString();
    EXPECT_EQ(forms.count(u"<b>v8</b>"_s), 2);
    in.prefs.upsResidential = false;
    EXPECT_TRUE(upsForm(in, u"L/"_s).contains(u"name=49_residential value=NO>"_s));
}

// The picture link is named by its picture: the title a reader hears, safe inside the attribute.
TEST(GeneratorBlocks, PicturesAreNamedAfterTheTitle)
{
    const std::tuple<QString, int, QString> cases[] = {
        {u"Brass lamp"_s, 0, u"Brass lamp \u2013 picture 1"_s},
        {u"<b>Salt</b> & \"Pepper\"<br>mill > 2"_s, 2,
         u"Salt &amp; &quot;Pepper&quot; mill &gt; 2 \u2013 picture 3"_s},
        // References the seller wrote stay; codes read as a reader sees them.
        {u"Fish &amp; Chips&nbsp;&nbsp; [N][e][w][S1]"_s, 0, u"Fish &amp; Chips New \u2013 picture 1"_s},
        // Nothing inside can become a placeholder or an optional-section mark.
        {u"{TITLE} [xy]"_s, 0, u"&#123;TITLE&#125; &#91;xy&#93; \u2013 picture 1"_s},
        {u" <i></i>[S5] "_s, 9, u"Picture 10"_s}};
    for (const auto& [title, slot, alt] : cases) {
        GeneratorInput in = inputFor({});
        in.ad.title = title;
        EXPECT_TRUE(pictureBlock(u"p.jpg"_s, slot, in).contains(u"\" alt=\""_s + alt + u"\"> </A>"_s))
            << title.toStdString();
    }
}

TEST(GeneratorBlocks, EveryEmoticonSaysWhatItShows)
{
    QSet<QString> words;
    for (int n = 0; n <= 25; ++n)
        words.insert(emoticonWord(n));
    EXPECT_EQ(words.size(), 25) << "24 words of their own, and none for 0 and 25";
}

TEST(GeneratorBlocks, MusicAndOtherAuctionLinksCarryTheirValues)
{
    EXPECT_EQ(buildPageExtras(u"http://m.example/a.mid"_s)[1].count(u"src=\"http://m.example/a.mid\""_s), 2);
    for (int site = 0; site < 5; ++site)
        EXPECT_TRUE(otherAuctionsLink(site, u"bob"_s, Hosts()).contains(u"bob"_s)) << site;
}

} // namespace
} // namespace lw::test
