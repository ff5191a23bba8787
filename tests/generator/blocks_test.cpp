#include "tests/generator/generator_test_support.h"

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

QString blockFor(const QString& address)
{
    return u"<A href = \""_s + address + u"\" target=\"_blank\"><img src=\""_s + address +
           u"\" width=\"200\" height=\"150\"> </A><font color = \"#FF0000\" size = 1><BR>Click To Enlarge!</font>"_s;
}

GeneratorInput pictureInput()
{
    GeneratorInput in = inputFor(u"{IMAGE0}|{IMAGE1}|{IMAGE2}|{IMAGE9}|{IMAGE10}"_s);
    in.pictureTarget = u"_blank"_s;
    in.thumbWidth = u"200"_s;
    in.thumbHeight = u"150"_s;
    in.enlargeColor = u"#FF0000"_s;
    in.webUrl = u"http://me.example/p/"_s;
    in.pictures[0] = u"C:\\My Pictures\\lamp.jpg"_s;
    in.pictures[2] = u"/home/sam/vase.png"_s;
    in.pictures[9] = u"http://host.example/a/b.gif"_s;
    in.pictures[3] = u"unused.jpg"_s; // no placeholder for it
    return in;
}

TEST(GeneratorBlocks, PictureFileNameCutsAtPathSeparators)
{
    const std::pair<QString, QString> cases[] = {
        {u"C:\\My Pictures\\lamp.jpg"_s, u"lamp.jpg"_s},
        {u"/home/sam/vase.png"_s, u"vase.png"_s},
        {u"C:\\a/b\\c/d.jpg"_s, u"d.jpg"_s},
        {u"http://host.example/a/b.gif"_s, u"http://host.example/a/b.gif"_s},
        {u"http://host.example/a\\b.gif"_s, u"b.gif"_s},
        {u"plain.jpg"_s, u"plain.jpg"_s},
        {u"dir\\"_s, QString()}};
    for (const auto& [slot, name] : cases)
        EXPECT_EQ(pictureFileName(slot), name) << slot.toStdString();
    EXPECT_EQ(pictureAddress(u"C:\\x\\y.jpg"_s, true, u"W/"_s), u"W/y.jpg"_s);
    EXPECT_EQ(pictureAddress(u"C:\\x\\y.jpg"_s, false, u"W/"_s), u"C:\\x\\y.jpg"_s);
}

TEST(GeneratorBlocks, PicturesInLocalModeUseTheTextAsTyped)
{
    GeneratorInput in = pictureInput();
    const QString local = blockFor(in.pictures[0]) + u"||"_s + blockFor(in.pictures[2]) + u'|' +
                          blockFor(in.pictures[9]) + u"|{IMAGE10}"_s;
    EXPECT_EQ(generate(in), local); // generate without upload
    in.ftpAccess = true;
    in.previewMode = 1;
    EXPECT_EQ(generate(in), local); // preview with upload
}

TEST(GeneratorBlocks, PicturesInWebModeUseTheWebFolder)
{
    GeneratorInput in = pictureInput();
    in.ftpAccess = true;
    EXPECT_EQ(generate(in), blockFor(u"http://me.example/p/lamp.jpg"_s) + u"||"_s +
                                blockFor(u"http://me.example/p/vase.png"_s) + u'|' +
                                blockFor(u"http://me.example/p/http://host.example/a/b.gif"_s) +
                                u"|{IMAGE10}"_s);
}

TEST(GeneratorBlocks, ShippingFormsCarryTheSellersFigures)
{
    GeneratorInput in = inputFor({});
    in.pounds = u"3"_s;
    in.ounces = u"4"_s;
    in.zipCode = u"12345"_s;
    in.shipComment = u"Insured"_s;
    in.upsLength = u"10"_s;
    in.upsWidth = u"8"_s;
    in.upsHeight = u"6"_s;
    in.upsInsurance = u"100"_s;

    const QString usps = uspsForm(in, u"L/"_s);
    for (const QString& part :
         {u"name=P value=3>"_s, u"name=O value=4>"_s, u"name=OZ value=12345>"_s, u"<img src=\"L/usps.gif\""_s,
          u"action=http://postcalc.usps.gov/"_s, u"Insured"_s})
        EXPECT_TRUE(usps.contains(part)) << part.toStdString();

    const QString ups = upsForm(in, u"L/"_s);
    for (const QString& part : {u"name=49_residential value=NO>"_s, u"name=24_value value=100>"_s,
                                u"name=15_origPostal value=12345>"_s, u"name=23_weight value=3>"_s,
                                u"<img src=\"L/ups.gif\""_s, u"action=http://www.ups.com/"_s, u"Insured"_s})
        EXPECT_TRUE(ups.contains(part)) << part.toStdString();
    const qsizetype length = ups.indexOf(u"name=25_length value=10>"_s);
    const qsizetype width = ups.indexOf(u"name=26_width value=8>"_s);
    const qsizetype height = ups.indexOf(u"name=27_height value=6>"_s);
    EXPECT_GE(length, 0);
    EXPECT_LT(length, width);
    EXPECT_LT(width, height);

    in.upsResidential = true;
    EXPECT_TRUE(upsForm(in, u"L/"_s).contains(u"name=49_residential value=YES>"_s));
}

TEST(GeneratorBlocks, FixedFragmentsAndOtherAuctionHosts)
{
    EXPECT_EQ(noRightClickScript().size(), 473);
    const auto extras = buildPageExtras(u"http://m.example/a.mid"_s);
    EXPECT_EQ(extras[0], noRightClickScript());
    EXPECT_EQ(extras[1].count(u"src=\"http://m.example/a.mid\""_s), 2);

    const Hosts hosts;
    for (int site = 0; site < 5; ++site) {
        const QString link = otherAuctionsLink(site, u"bob"_s, hosts);
        EXPECT_TRUE(link.startsWith(u"<DIV ALIGN = \"CENTER\"><A href = \"http://"_s +
                                    hosts.otherAuctions[site] + u'/'))
            << site;
        EXPECT_TRUE(link.contains(u"bob"_s)) << site;
    }
    EXPECT_TRUE(otherAuctionsLink(-1, u"bob"_s, hosts).isEmpty());
    EXPECT_TRUE(otherAuctionsLink(5, u"bob"_s, hosts).isEmpty());
}

} // namespace
} // namespace lw::test
