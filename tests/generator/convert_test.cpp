#include "tests/generator/generator_test_support.h"

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

QString repeated(const QString& part, int times)
{
    QString out;
    for (int i = 0; i < times; ++i)
        out += part;
    return out;
}

TEST(GeneratorConvert, TokenListFollowsBracesAndBrackets)
{
    // A second "{" moves the start; a "}" without a new "{" reuses the old start.
    const TokenList list = buildTokenList(u"a{x{TITLE}b[c{AGE}]d{A}e}[f]g"_s);
    ASSERT_TRUE(list.ok);
    EXPECT_EQ(list.tokens,
              (QStringList{u"{TITLE}"_s, u"["_s, u"{AGE}"_s, u"]"_s, u"{A}"_s, u"{A}e}"_s, u"["_s, u"]"_s}));
    EXPECT_EQ(list.optionalSection, u"[f]"_s);

    // A later "]" stretches the section from the same "[".
    EXPECT_EQ(buildTokenList(u"[a]b]"_s).optionalSection, u"[a]b]"_s);
    // Unclosed openers are harmless.
    const TokenList open = buildTokenList(u"{open ["_s);
    ASSERT_TRUE(open.ok);
    EXPECT_EQ(open.tokens, QStringList{u"["_s});
    EXPECT_TRUE(open.optionalSection.isEmpty());
}

TEST(GeneratorConvert, MalformedOrOversizedTemplatesFail)
{
    const QString tokens150 = u"["_s + repeated(u"{X}"_s, 148) + u"]"_s;
    EXPECT_TRUE(buildTokenList(tokens150).ok);
    EXPECT_TRUE(expandTemplate(inputFor(tokens150)).ok);

    const QStringList bad = {repeated(u"{X}"_s, 151), repeated(u"{X}"_s, 150) + u"["_s, u"a}{b}"_s,
                             u"a][b]"_s};
    for (const QString& text : bad) {
        EXPECT_FALSE(buildTokenList(text).ok) << text.left(40).toStdString();
        const GeneratorResult r = expandTemplate(inputFor(text));
        EXPECT_FALSE(r.ok) << text.left(40).toStdString();
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_TRUE(r.page.isEmpty());
    }

    GeneratorInput in = inputFor(u"{TITLE}"_s + QString(MaxTemplateChars - 7, u'x'));
    in.title = u"Lamp"_s;
    const GeneratorResult longest = expandTemplate(in);
    ASSERT_TRUE(longest.ok);
    EXPECT_TRUE(longest.page.startsWith(u"Lampxxx"_s));
    EXPECT_EQ(longest.page.size(), MaxTemplateChars - 7 + 4);

    in.templateText += u'x';
    EXPECT_FALSE(expandTemplate(in).ok);

    // A description that holds its own placeholder is inserted again at every
    // later token: the page would grow without end, so generation fails instead.
    GeneratorInput bomb = inputFor(repeated(u"{BODYTEXT1}"_s, 8));
    bomb.description = repeated(u"{BODYTEXT1}"_s, 8);
    const GeneratorResult grown = expandTemplate(bomb);
    EXPECT_FALSE(grown.ok);
    EXPECT_TRUE(grown.page.isEmpty());
}

TEST(GeneratorConvert, PlaceholdersFillEveryOccurrenceInTemplateOrder)
{
    GeneratorInput in = inputFor(u"<h1>{TITLE}</h1><p>{TITLE} {title} {Unknown}"_s);
    in.title = u"Lamp"_s;
    EXPECT_EQ(generate(in), u"<h1>Lamp</h1><p>Lamp {title} {Unknown}"_s);

    // A placeholder typed in the description is filled only if its turn comes after the description's.
    in.description = u"About {TITLE}"_s;
    in.templateText = u"{BODYTEXT1}|{TITLE}"_s;
    EXPECT_EQ(generate(in), u"About Lamp|Lamp"_s);
    in.templateText = u"{TITLE}|{BODYTEXT1}"_s;
    EXPECT_EQ(generate(in), u"Lamp|About {TITLE}"_s);

    // Pictures are all placed before the first placeholder is filled, so a typed one stays.
    in.templateText = u"{TITLE}{IMAGE0}"_s;
    in.title = u"{IMAGE0}"_s;
    in.pictures[0] = u"a.jpg"_s;
    EXPECT_TRUE(generate(in).startsWith(u"{IMAGE0}<A href = \"a.jpg\""_s));
}

TEST(GeneratorConvert, ScrollEffectsWrapTitleAndSubTitle)
{
    struct Case
    {
        std::array<bool, 3> scroll;
        QString open;
    };
    const QString left = u"<marquee>"_s, right = u"<marquee direction = \"right\">"_s,
                  bounce = u"<marquee behavior=\"alternate\">"_s;
    const Case cases[] = {{{false, false, false}, {}},   {{true, false, false}, left},
                          {{false, true, false}, right}, {{false, false, true}, bounce},
                          {{true, true, true}, left},    {{false, true, true}, right}};
    for (const Case& c : cases) {
        GeneratorInput in = inputFor(u"{TITLE}|{SUB-TITLE}|{TITLE}"_s);
        in.title = u"Sale"_s;
        in.subTitle = u"Now"_s;
        in.titleScroll = c.scroll;
        in.subTitleScroll = c.scroll;
        const QString close = c.open.isEmpty() ? QString() : u"</marquee>"_s;
        const QString t = c.open + u"Sale"_s + close;
        EXPECT_EQ(generate(in), t + u'|' + c.open + u"Now"_s + close + u'|' + t) << c.open.toStdString();
    }
}

TEST(GeneratorConvert, StylePlaceholdersTakeTheirValues)
{
    GeneratorInput in = inputFor(u"{TITLECOLOR} {SUBTITLECOLOR} {DESCRIPTIONCOLOR} {TERMSCOLOR} {OPTCOLOR}|"
                                 u"{TITLESIZE} {SUBTITLESIZE} {DESCRIPTIONSIZE} {TERMSSIZE}{DROPCAPSIZE}|"
                                 u"{DEFAULTFONT}|{t0} {t1} {t2} {t3} {t4} {t5}|{BODYBGCOLOR}"_s);
    in.titleColor = u"#1"_s;
    in.subTitleColor = u"#2"_s;
    in.descriptionColor = u"#3"_s;
    in.termsColor = u"#4"_s;
    in.optionalColor = u"#5"_s;
    in.titleSize = u"6"_s;
    in.subTitleSize = u"5"_s;
    in.descriptionSize = u"3"_s;
    in.termsSize = u"2"_s;
    in.font = u"Verdana"_s;
    in.tableColors = {u"c0"_s, u"c1"_s, u"c2"_s, u"c3"_s, u"c4"_s};
    in.tableTextures = {u"wood.jpg"_s, u"x1.gif"_s, u"x2.gif"_s, u"x3.gif"_s, u"x4.gif"_s};
    in.useTexture = {false, false, true, false, true};
    EXPECT_EQ(generate(in),
              u"#1 #2 #3 #4 #5|6 5 3 2|Verdana|"
              u"{t0} bgcolor = c1 background = x2.gif bgcolor = c3 background = x4.gif {t5}|"
              u"<style> <!--Body {background: url(wood.jpg)}--> </style><body background=wood.jpg"_s);
}

TEST(GeneratorConvert, OnlyDescriptionAndTermsGetHtmlBreaks)
{
    GeneratorInput in = inputFor(u"{TITLE}|{BODYTEXT1}|{TERMS1}"_s);
    in.title = u"a\r\nb"_s;
    in.description = u"c\r\nd\re\nf\r\n"_s;
    in.terms = u"g\r\n[A]\n"_s; // terms carry no letter codes
    EXPECT_EQ(generate(in), u"a\r\nb|c<BR>d\re\nf<BR>|g<BR>[A]\n"_s);
}

TEST(GeneratorConvert, IncludedOptionalFieldsFillAndBracketsGo)
{
    GeneratorInput in = inputFor(u"{BODYTEXT1}A[{CONDITION}|{AGE}|{COMMENTS}|{SHIPCOST}|{TERMS1COLOR}]Z"_s);
    in.includeOptional = true;
    in.condition = u"New"_s;
    in.age = u"2 yrs"_s;
    in.comments = u"Mint"_s;
    in.shipCost = u"$5"_s;
    in.description = u"[note] (x)"_s;
    EXPECT_EQ(generate(in), u"note (x)ANew|2 yrs|Mint|$5|Z"_s);

    // A description filled after the brackets' turn keeps the seller's brackets.
    in.templateText = u"[{CONDITION}]{BODYTEXT1}"_s;
    EXPECT_EQ(generate(in), u"New[note] (x)"_s);
    // So does a template without brackets.
    in.templateText = u"{BODYTEXT1}"_s;
    EXPECT_EQ(generate(in), u"[note] (x)"_s);
    // Only the bracket kinds the template has are dropped.
    in.templateText = u"{BODYTEXT1}["_s;
    EXPECT_EQ(generate(in), u"note] (x)"_s);
}

TEST(GeneratorConvert, ExcludedOptionalSectionIsRemoved)
{
    GeneratorInput in = inputFor(u"A[{AGE}]B[two {CONDITION}]C{TERMS1COLOR}{CONDITION}"_s);
    in.condition = u"New"_s;
    in.age = u"Old"_s;
    // Only the last bracket pair is the section; optional fields elsewhere stay unfilled.
    EXPECT_EQ(generate(in), u"A[{AGE}]BC{TERMS1COLOR}{CONDITION}"_s);

    in.templateText = u"X[s]Y[s]Z["_s;
    EXPECT_EQ(generate(in), u"XYZ["_s);
    // Removal is repeated, so a section formed by an earlier removal goes too.
    in.templateText = u"[[a]a][a]"_s;
    EXPECT_EQ(generate(in), QString());
    // Removal goes on after the last placeholder: a late value holding the section loses it.
    in.templateText = u"[s]{DEFAULTFONT}"_s;
    in.font = u"f[s]"_s;
    EXPECT_EQ(generate(in), u"f"_s);
    // A placeholder filled before the first removal changes the section text, so it stays.
    in.templateText = u"{TITLE}[{TITLE}]"_s;
    in.title = u"T"_s;
    EXPECT_EQ(generate(in), u"T[T]"_s);
}

TEST(GeneratorConvert, ContactLinksFollowTheirSwitches)
{
    GeneratorInput in = inputFor(u"{EMAIL}|{WEBSITE}|{OTHERAUCTIONS}|{MEPAGE}"_s);
    in.email = u"me@x.example"_s;
    in.website = u"http://me.example"_s;
    in.auctionId = u"bob"_s;
    in.auctionSite = -1;
    EXPECT_EQ(generate(in), u"|||"_s);

    in.includeEmail = in.includeWebsite = in.includeAuctions = in.includeMePage = true;
    in.email.clear();
    in.auctionSite = 1;
    EXPECT_EQ(
        generate(in),
        u"<DIV ALIGN = \"CENTER\"><A HREF = \"mailto:\">Click here to e-mail me!</A></DIV>|"
        u"<DIV ALIGN = \"CENTER\"><A HREF = \"http://me.example\">Click here to visit my website!</A></DIV>|"
        u"<DIV ALIGN = \"CENTER\"><A href = \"http://auctions.yahoo.com/user/bob\">Click here to view my "
        u"other auctions!</A></DIV>|"
        u"<DIV ALIGN = \"CENTER\"><A HREF = \"http://members.ebay.com/aboutme/bob/\">Click here to view my "
        u"'About ME' page!</A></DIV>"_s);

    // A site outside the list leaves the placeholder in the page.
    in.templateText = u"{OTHERAUCTIONS}"_s;
    for (int site : {-1, 5}) {
        in.auctionSite = site;
        EXPECT_EQ(generate(in), u"{OTHERAUCTIONS}"_s) << site;
    }
}

TEST(GeneratorConvert, PageExtrasAndFooter)
{
    GeneratorInput in = inputFor(u"{NORIGHTCLICK}|{BGMUSIC}|{REZO}"_s);
    in.hosts.maker = u"ads.test"_s;
    in.hideFooter = 1;
    EXPECT_EQ(generate(in), u"||"_s);

    in.noRightClick = in.music = true;
    const QString footer =
        u"<DIV ALIGN = \"CENTER\"><A href = \"http://ads.test/lwr\">Ad Created With Listwright "
        u"2.3.2</A></DIV>"_s;
    for (int hide : {0, 2}) {
        in.hideFooter = hide;
        EXPECT_EQ(generate(in), in.pageExtras[0] + u'|' + in.pageExtras[1] + u'|' + footer) << hide;
    }
}

TEST(GeneratorConvert, ShippingCalculatorChoosesForms)
{
    GeneratorInput in = inputFor(u"<{SHIPCALC}>"_s);
    in.zipCode = u"12345"_s;
    in.useUsps = in.useUps = true;
    EXPECT_EQ(generate(in), u"<>"_s);

    in.showCalc = true;
    const QString logos = in.hosts.makerPictureFolder();
    const QString usps = u'<' + uspsForm(in, logos) + u'>';
    EXPECT_EQ(generate(in), usps);
    in.useUps = false;
    EXPECT_EQ(generate(in), usps);
    in.useUsps = false;
    EXPECT_EQ(generate(in), u"<{SHIPCALC}>"_s);
    in.useUps = true;
    EXPECT_EQ(generate(in), u'<' + upsForm(in, logos) + u'>');
    in.previewMode = 1;
    EXPECT_EQ(generate(in), u'<' + upsForm(in, installDir() + u"/icons/"_s) + u'>');
}

TEST(GeneratorConvert, RepeatableAndModesDifferOnlyInFolders)
{
    GeneratorInput in = inputFor(u"{TITLE}{SUB-TITLE}{BODYTEXT1}{SHIPCALC}{IMAGE0}{REZO}"_s);
    in.title = u"[B][i][g] [S3]"_s;
    in.subTitle = u"[1][0]"_s;
    in.description = u"Nice[!]\r\n[S24]"_s;
    in.showCalc = in.useUsps = true;
    in.pictures[0] = u"C:\\pics\\a.jpg"_s;

    const QString generated = generate(in);
    EXPECT_EQ(generate(in), generated);
    in.previewMode = 1;
    const QString preview = generate(in);
    EXPECT_NE(preview, generated);

    const QString web = in.hosts.makerPictureFolder();
    QString mapped = generated;
    mapped.replace(web + u"usps.gif"_s, installDir() + u"/icons/usps.gif"_s);
    mapped.replace(web, installDir() + u"/icons/emt/"_s);
    EXPECT_EQ(mapped, preview);
}

} // namespace
} // namespace lw::test
