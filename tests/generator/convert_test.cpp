#include "tests/generator/generator_test_support.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

// Generates each template from the same input.
void expectPages(GeneratorInput in, std::initializer_list<std::pair<QString, QString>> cases)
{
    for (const auto& [text, page] : cases) {
        in.templateText = text;
        EXPECT_EQ(generate(in), page) << text.toStdString();
    }
}

TEST(GeneratorConvert, MalformedOrOversizedTemplatesFail)
{
    EXPECT_TRUE(expandTemplate(inputFor(u"["_s + u"{X}"_s.repeated(148) + u"]"_s)).ok);
    EXPECT_TRUE(expandTemplate(inputFor(QString(MaxTemplateChars, u'x'))).ok);
    for (const QString& text : {u"{X}"_s.repeated(151), QString(u"{X}"_s.repeated(150) + u'['), u"a}{b}"_s,
                                u"a][b]"_s, QString(MaxTemplateChars + 1, u'x')})
        EXPECT_FALSE(expandTemplate(inputFor(text)).ok) << text.left(40).toStdString();

    // A description holding its own placeholder is inserted again at every later token:
    // the page would grow without end, so generation fails instead.
    GeneratorInput bomb = inputFor(u"{BODYTEXT1}"_s.repeated(8));
    bomb.ad.description = u"{BODYTEXT1}"_s.repeated(8);
    EXPECT_FALSE(expandTemplate(bomb).ok);
}

TEST(GeneratorConvert, PlaceholdersFillEveryOccurrenceInTemplateOrder)
{
    GeneratorInput in = inputFor({});
    in.ad.title = u"Lamp"_s;
    in.ad.description = u"About {TITLE}{IMAGE0}"_s;
    in.pictures.slots[0].text = u"a.jpg"_s;
    // A placeholder typed in the description is filled only if its turn comes after the
    // description's; pictures are all placed before the first placeholder, so a typed one stays.
    expectPages(
        in, {{u"<h1>{TITLE}</h1><p>{TITLE} {title} {Unknown}"_s, u"<h1>Lamp</h1><p>Lamp {title} {Unknown}"_s},
             // A second "{" moves a placeholder's start; stray and unclosed braces are harmless.
             {u"{x{TITLE}}{h"_s, u"{xLamp}{h"_s},
             {u"{BODYTEXT1}|{TITLE}"_s, u"About Lamp{IMAGE0}|Lamp"_s},
             {u"{TITLE}|{BODYTEXT1}"_s, u"Lamp|About {TITLE}{IMAGE0}"_s},
             {u"{IMAGE0}{BODYTEXT1}"_s, pictureBlock(u"a.jpg"_s, 0, in) + u"About {TITLE}{IMAGE0}"_s}});
}

TEST(GeneratorConvert, ScrollEffectsWrapTitleAndSubTitleEachByItsOwnSwitches)
{
    // Of a text's three switches, those from first on are set: left wins over the others, right over
    // bounce. The sub-title's switches are set one step on from the title's.
    const QString pages[] = {u"<marquee>T</marquee>"_s, u"<marquee direction = \"right\">T</marquee>"_s,
                             u"<marquee behavior=\"alternate\">T</marquee>"_s};
    for (int first = 0; first < 3; ++first) {
        GeneratorInput in = inputFor(u"{TITLE}|{SUB-TITLE}"_s);
        in.ad.title = in.ad.subTitle = u"T"_s;
        std::fill(in.ad.effects.begin() + first, in.ad.effects.begin() + 3, true);
        std::fill(in.ad.effects.begin() + 3 + (first + 1) % 3, in.ad.effects.begin() + 6, true);
        EXPECT_EQ(generate(in), pages[first] + u'|' + pages[(first + 1) % 3]);
    }
}

TEST(GeneratorConvert, PlaceholdersTakeTheirValues)
{
    GeneratorInput in = inputFor(u"{TITLECOLOR} {SUBTITLECOLOR} {DESCRIPTIONCOLOR} {TERMSCOLOR} {OPTCOLOR}|"
                                 u"{TITLESIZE} {SUBTITLESIZE} {DESCRIPTIONSIZE} {TERMSSIZE}{DROPCAPSIZE}|"
                                 u"{DEFAULTFONT}|{t0} {t1} {t2} {t3} {t4} {t5}|{BODYBGCOLOR}|"
                                 u"{TITLE}|{BODYTEXT1}|{TERMS1}"_s);
    // Only the description and the terms get HTML line breaks; the terms carry no letter codes.
    in.ad.title = u"a\r\nb"_s;
    in.ad.description = u"c\r\nd\re\nf\r\n"_s;
    in.prefs.terms = u"g\r\n[A]\n"_s;
    int n = 0;
    for (QString* value : {&in.ad.titleColor.text, &in.ad.subTitleColor.text, &in.ad.descriptionColor.text,
                           &in.prefs.termsColor.text, &in.ad.optionalColor.text, &in.ad.titleSize,
                           &in.ad.subTitleSize, &in.ad.descriptionSize})
        *value = QString::number(++n);
    in.prefs.font = 4;
    for (int i = 0; i < 5; ++i) {
        in.tables[i].colorText = u"c%1"_s.arg(i);
        in.tables[i].texture = u"x%1.gif"_s.arg(i);
        in.tables[i].useTexture = i % 2 == 0;
    }
    EXPECT_EQ(generate(in), u"1 2 3 4 5|6 7 8 0|Verdana|"
                            u"{t0} bgcolor = c1 background = x2.gif bgcolor = c3 background = x4.gif {t5}|"
                            u"<style> <!--Body {background: url(x0.gif)}--> </style><body background=x0.gif|"
                            u"a\r\nb|c<BR>d\re\nf<BR>|g<BR>[A]\n"_s);
    // The font list has five entries; any other index names none.
    in.templateText = u"{DEFAULTFONT}"_s;
    in.prefs.font = 5;
    EXPECT_EQ(generate(in), QString());
}

TEST(GeneratorConvert, OptionalSectionFillsOrGoes)
{
    GeneratorInput in = inputFor({});
    in.ad.condition = u"New"_s;
    in.ad.age = u"2 yrs"_s;
    in.ad.comments = u"Mint"_s;
    in.ad.shipCost = u"$5"_s;
    in.ad.description = u"[note] (x)"_s;
    in.ad.optionalColor.text = u"f[s]"_s;
    expectPages(in, {// Only the last bracket pair is the section; optional fields elsewhere stay unfilled.
                     {u"A[{AGE}]B[two {CONDITION}]C{TERMS1COLOR}{CONDITION}"_s,
                      u"A[{AGE}]BC{TERMS1COLOR}{CONDITION}"_s},
                     {u"X[s]Y[s]Z["_s, u"XYZ["_s},
                     // A later "]" stretches the section from the same "[".
                     {u"X[a]b]Y"_s, u"XY"_s},
                     // Removal is repeated, so a section formed by an earlier removal goes too.
                     {u"[[a]a][a]"_s, QString()},
                     // Removal goes on after the last placeholder: a late value holding the section loses it.
                     {u"[s]{OPTCOLOR}"_s, u"f"_s},
                     // A placeholder filled before the first removal changes the section text, so it stays.
                     {u"{TITLECOLOR}[{TITLECOLOR}]"_s, u"#000000[#000000]"_s}});

    in.ad.includeOptional = true;
    expectPages(in, {{u"{BODYTEXT1}A[{CONDITION}|{AGE}|{COMMENTS}|{SHIPCOST}|{TERMS1COLOR}]Z"_s,
                      u"note (x)ANew|2 yrs|Mint|$5|Z"_s},
                     // The seller's brackets stay when the description comes after the brackets' turn or the
                     // template has none; only the bracket kinds the template has are dropped.
                     {u"[{CONDITION}]{BODYTEXT1}"_s, u"New[note] (x)"_s},
                     {u"{BODYTEXT1}"_s, u"[note] (x)"_s},
                     {u"{BODYTEXT1}["_s, u"note] (x)"_s}});
}

TEST(GeneratorConvert, BlocksFollowTheirSwitches)
{
    GeneratorInput in =
        inputFor(u"{EMAIL}|{WEBSITE}|{OTHERAUCTIONS}|{MEPAGE}|{NORIGHTCLICK}|{BGMUSIC}|{REZO}|{SHIPCALC}"_s);
    in.hideFooter = true;
    in.prefs.website = u"http://me.example"_s;
    in.prefs.auctionId = u"bob"_s;
    in.prefs.auctionSite = 5;
    in.prefs.useUsps = in.prefs.useUps = true;
    EXPECT_EQ(generate(in), u"|||||||"_s);

    in.prefs.includeEmail = in.prefs.includeWebsite = in.prefs.includeAuctions = in.prefs.includeMePage =
        in.prefs.showCalc = in.ad.effects[6] = in.ad.effects[7] = true;
    in.hideFooter = false;
    // A site outside the list leaves its placeholder; an empty address still makes a link.
    EXPECT_TRUE(generate(in).contains(u"</DIV>|{OTHERAUCTIONS}|<DIV"_s));
    in.prefs.auctionSite = 1;
    // USPS goes first and consumes the placeholder; the calculator's logos come from the folder of the mode.
    const QString logos = in.hosts.makerPictureFolder(), page = generate(in);
    EXPECT_EQ(page, emailLink({}) + u'|' + websiteLink(in.prefs.website) + u'|' +
                        otherAuctionsLink(1, u"bob"_s, in.hosts) + u'|' + aboutMeLink(u"bob"_s, in.hosts) +
                        u'|' + in.pageExtras[0] + u'|' + in.pageExtras[1] + u'|' + footerLink(in.hosts) +
                        u'|' + uspsForm(in, logos));
    // The links carry the seller's values and the hosts.
    for (const QString& part : {u"//me.example\""_s, u"/aboutme/bob/\""_s, u"example/lwr\""_s})
        EXPECT_TRUE(page.contains(part)) << part.toStdString();
    in.prefs.useUsps = false;
    EXPECT_TRUE(generate(in).endsWith(u'|' + upsForm(in, logos)));
    in.preview = true;
    EXPECT_TRUE(generate(in).endsWith(u'|' + upsForm(in, InstallDir + u"/icons/"_s)));
}

// An uploaded ad shows the emoticons, letters and logos it uses from the seller's own folder.
TEST(GeneratorConvert, AnUploadedAdNamesAndLinksTheInstallationPicturesItShows)
{
    GeneratorInput in = inputFor(u"{TITLE}|{SHIPCALC}"_s);
    in.ad.title = u"[S2][a][S2]"_s;
    in.ad.description = u"[b]\r\n[S30]"_s;
    in.prefs.showCalc = in.prefs.useUps = true;
    EXPECT_EQ(codePicturesUsed(in), (QStringList{u"icons/emt/s_2.gif"_s, u"icons/emt/As1.gif"_s,
                                                 u"icons/emt/Bs1.gif"_s, u"icons/ups.gif"_s}));
    in.prefs.ftpAccess = true;
    in.prefs.webUrl = u"http://me.example/p/"_s;
    EXPECT_TRUE(
        generate(in).startsWith(u"<img src = \"http://me.example/p/listwright/s_2.gif\" alt=\"grin\">"_s));
    EXPECT_TRUE(generate(in).contains(u"src=\"http://me.example/p/listwright/ups.gif\""_s));
}

} // namespace
} // namespace lw::test
