#include "generator/blocks.h"
#include "generator/convert.h"
#include "sitecheck/html_document.h"
#include "sitecheck/site_check.h"
#include "sitecheck/site_fixes.h"
#include "sitecheck/template_pictures.h"
#include "tests/testlib/template_look.h"

#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

QStringList rulesOf(const SiteCheckResult& r)
{
    QStringList rules;
    for (const Finding& f : r.findings)
        rules << f.rule;
    return rules;
}

QString letters(int words)
{
    QString page;
    for (int w = 0; w < words; ++w)
        page +=
            u"<img src=\"https://p.example/H1.gif\"><img src=\"https://p.example/As1.gif\">&nbsp;&nbsp; "_s;
    return page;
}

// The first template with a new ad and the preferences of a first run, as the program holds them.
GeneratorInput firstRunInput()
{
    GeneratorInput in;
    in.templateText = readTextFile(QStringLiteral(LW_DATA_DIR) + u"/templates/01.tpt"_s).value();
    in.installFolder = u"/opt/listwright"_s;
    in.ad = AdRecord::newAd();
    lw::test::applyTemplateLook(in,
                                readTemplateData(QStringLiteral(LW_DATA_DIR) + u"/templates/01.dat"_s).data);
    in.ad.title = u"Brass lamp"_s;
    in.ad.description = u"A lamp."_s;
    in.marqueeTags = buildMarqueeTags();
    in.pageExtras = buildPageExtras(u"https://music.example/bg.mid"_s);
    return in;
}

} // namespace

TEST(SiteCheck, EachRuleFindsWhatTheSiteRefusesAndPassesItsLookAlike)
{
    const QString longText = u"<p>"_s + QString(900, u'w') + u"</p>"_s;
    const QString marked =
        u"<div vocab=\"https://schema.org/\" typeof=\"Product\"><span property=\"description\">"
        u"Short.</span></div>"_s;
    // Page, the rule it must raise ("" for none of the rules listed after it), the rules it must not raise.
    const std::vector<std::tuple<QString, QString, QStringList>> cases = {
        {u"<script>var x;</script>"_s, u"active-content"_s, {}},
        {u"<p>the script of the play</p>"_s, {}, {u"active-content"_s}},
        {u"<object data=\"https://a.example/b.swf\"></object>"_s, u"active-content"_s, {}},
        {u"<embed src=\"https://a.example/b.mid\">"_s, u"active-content"_s, {}},
        {u"<applet code=x></applet>"_s, u"active-content"_s, {}},
        {u"<iframe src=\"https://www.ebay.com/\"></iframe>"_s, u"active-content"_s, {}},
        {u"<bgsound src=\"https://a.example/b.mid\">"_s, u"active-content"_s, {}},
        {u"<form action=\"https://a.example/go\"><input></form>"_s, u"active-content"_s, {}},
        {u"<form><input></form>"_s, {}, {u"active-content"_s}},
        {u"<p ONCLICK=\"go()\">x</p>"_s, u"active-content"_s, {}},
        {u"<p data-on=\"go()\" on=\"x\">x</p>"_s, {}, {u"active-content"_s}},
        {u"<meta http-equiv=\"Refresh\" content=\"5\">"_s, u"active-content"_s, {}},
        {u"<meta charset=\"utf-8\">"_s, {}, {u"active-content"_s}},
        {u"<a href=\" java\tscript:go()\">x</a>"_s, u"active-content"_s, {}},
        {u"<img src=\"http://a.example/a.jpg\">"_s, u"http-content"_s, {}},
        {u"<img src=\"https://a.example/a.jpg\">"_s, {}, {u"http-content"_s}},
        {u"<table><tr><td background=\"HTTP://a.example/b.gif\">x</td></tr></table>"_s,
         u"http-content"_s,
         {}},
        {u"<a href=\"http://pics.example/big.JPG\">x</a>"_s, u"http-content"_s, {}},
        {u"<a href=\"http://www.ebay.com/itm/1\">x</a>"_s, {}, {u"http-content"_s, u"outside-link"_s}},
        {u"<div style=\"background:url( 'http://a.example/a.png')\">x</div>"_s, u"http-content"_s, {}},
        {u"<style>body { background: url(http://a.example/a.png) }</style>"_s, u"http-content"_s, {}},
        {u"<div style=\"background:url(https://a.example/a.png)\">x</div>"_s, {}, {u"http-content"_s}},
        {u"<a href=\"https://shop.example/\">x</a>"_s, u"outside-link"_s, {}},
        {u"<a href=\"https://ebay.com.shop.example/\">x</a>"_s, u"outside-link"_s, {}},
        {u"<a href=\"https://pages.ebay.co.uk/help\">x</a><a href=\"#top\">y</a>"_s, {}, {u"outside-link"_s}},
        {u"<a href=\"MAILTO:me@shop.example?subject=x\">x</a>"_s, u"contact-email"_s, {}},
        {u"<p>Write to seller.one@shop.example today</p>"_s, u"contact-email"_s, {}},
        {u"<p>Questions? Use the @ button; 5 @ 3.50</p>"_s, {}, {u"contact-email"_s}},
        {u"<p>More at www.shop.example/lamps</p>"_s, u"web-address-text"_s, {}},
        {u"<p>More on my web site</p><noembed>http://a.example/x</noembed>"_s, {}, {u"web-address-text"_s}},
        {QString(500001, u'x'), u"size"_s, {}},
        {QString(500000, u'x'), {}, {u"size"_s}},
        {longText, u"mobile-summary"_s, {}},
        {marked + longText, {}, {u"mobile-summary"_s}},
        {u"<p>Short.</p>"_s, {}, {u"mobile-summary"_s}},
        {letters(4), u"letter-images"_s, {}},
        {letters(3) + u"<img src=\"https://p.example/photo1.gif\">"_s, {}, {u"letter-images"_s}},
        {QString(u"<div>"_s).repeated(HtmlDocument::MaxNesting + 1), u"nesting"_s, {}},
        {QString(u"<p>x"_s).repeated(HtmlDocument::MaxNesting + 1), {}, {u"nesting"_s}},
    };
    const GeneratorInput none;
    for (const auto& [page, rule, absent] : cases) {
        const QStringList found = rulesOf(checkPage(page, none, ebayRules()));
        const std::string what = page.left(80).toStdString();
        if (!rule.isEmpty()) {
            EXPECT_TRUE(found.contains(rule)) << what << " gives " << found.join(u' ').toStdString();
        }
        for (const QString& a : absent)
            EXPECT_FALSE(found.contains(a)) << what << " gives " << found.join(u' ').toStdString();
    }
}

TEST(SiteCheck, FindingsSayWhereInTheAdTheyComeFromAndWhatFixesThem)
{
    QTemporaryDir dir;
    const QString small = dir.filePath(u"small.png"_s);
    const QString large = dir.filePath(u"large.png"_s);
    QImage(320, 240, QImage::Format_RGB32).save(small);
    QImage(640, 480, QImage::Format_RGB32).save(large);

    using S = PageSource;
    struct Case
    {
        const char* name;
        std::function<void(GeneratorInput&)> set;
        QString rule;
        S source;
        int index;
        FixKind fix;
    };
    const std::vector<Case> cases = {
        {"no right-click", [](GeneratorInput& in) { in.ad.effects[6] = true; }, u"active-content"_s,
         S::NoRightClick, 0, FixKind::SwitchOffEffect},
        {"music", [](GeneratorInput& in) { in.ad.effects[7] = true; }, u"active-content"_s, S::Music, 0,
         FixKind::SwitchOffEffect},
        {"usps", [](GeneratorInput& in) { in.prefs.showCalc = in.prefs.useUsps = true; }, u"active-content"_s,
         S::Calculator, 0, FixKind::SwitchOffPreference},
        {"ups", [](GeneratorInput& in) { in.prefs.showCalc = in.prefs.useUps = true; }, u"active-content"_s,
         S::Calculator, 0, FixKind::SwitchOffPreference},
        {"website",
         [](GeneratorInput& in) {
             in.prefs.includeWebsite = true;
             in.prefs.website = u"https://shop.example/"_s;
         },
         u"outside-link"_s, S::WebsiteLink, 0, FixKind::SwitchOffPreference},
        {"e-mail", [](GeneratorInput& in) { in.prefs.includeEmail = true; }, u"contact-email"_s, S::EmailLink,
         0, FixKind::SwitchOffPreference},
        {"other auctions",
         [](GeneratorInput& in) {
             in.prefs.includeAuctions = true;
             in.prefs.auctionSite = 1;
         },
         u"outside-link"_s, S::OtherAuctions, 0, FixKind::SwitchOffPreference},
        {"footer", [](GeneratorInput&) {}, u"outside-link"_s, S::Footer, 0, FixKind::LeaveOutFooter},
        {"typed picture",
         [](GeneratorInput& in) { in.pictures.slots[2].text = u"http://pics.example/a.jpg"_s; },
         u"picture-address"_s, S::Picture, 2, FixKind::PictureHttps},
        {"uploaded picture",
         [&small](GeneratorInput& in) {
             in.prefs.ftpAccess = true;
             in.prefs.webUrl = u"http://pics.example/"_s;
             in.pictures.slots[1].text = small;
         },
         u"picture-address"_s, S::Picture, 1, FixKind::WebUrlHttps},
        {"local picture", [&large](GeneratorInput& in) { in.pictures.slots[0].text = large; },
         u"picture-address"_s, S::Picture, 0, FixKind::None},
        {"small picture", [&small](GeneratorInput& in) { in.pictures.slots[4].text = small; },
         u"picture-size"_s, S::Picture, 4, FixKind::None},
        {"letters in the title from a plain-HTTP picture folder",
         [](GeneratorInput& in) {
             in.hosts.makerPictures = u"http://pics.example/lwrpics/"_s;
             in.ad.title = u"[S][a][l][e]"_s;
         },
         u"http-content"_s, S::Title, 0, FixKind::None},
        {"table texture",
         [](GeneratorInput& in) {
             in.tables[2].useTexture = true;
             in.tables[2].texture = u"http://pics.example/wood.jpg"_s;
         },
         u"http-content"_s, S::Tables, 0, FixKind::None},
        {"address in the terms", [](GeneratorInput& in) { in.prefs.terms = u"Mail me: me@shop.example"_s; },
         u"contact-email"_s, S::Terms, 0, FixKind::None},
        {"address in a text the template begins",
         [](GeneratorInput& in) {
             in.templateText = u"<p>Details from the seller: {SUB-TITLE}</p>"_s;
             in.ad.subTitle = u"ask at www.shop.example"_s;
         },
         u"web-address-text"_s, S::SubTitle, 0, FixKind::None},
        {"long description", [](GeneratorInput& in) { in.ad.description = QString(900, u'x'); },
         u"mobile-summary"_s, S::Description, 0, FixKind::AddMobileSummary},
        {"white title on the white card",
         [](GeneratorInput& in) { in.ad.titleColor = ColorPair::fromValue(0xFFFFFF); }, u"contrast"_s,
         S::Title, 0, FixKind::None},
        {"pale table under white captions", [](GeneratorInput& in) { in.tables[2].colorText = u"#E0E0E0"_s; },
         u"contrast"_s, S::Tables, 0, FixKind::None},
    };
    for (const Case& c : cases) {
        GeneratorInput in = firstRunInput();
        c.set(in);
        const SiteCheckResult r = checkAd(in, ebayRules());
        ASSERT_TRUE(r.ok) << c.name;
        EXPECT_TRUE(r.sourcesKnown) << c.name;
        const auto f = std::find_if(r.findings.begin(), r.findings.end(), [&c](const Finding& f) {
            return f.rule == c.rule && f.source == c.source && f.index == c.index;
        });
        ASSERT_NE(f, r.findings.end()) << c.name;
        EXPECT_EQ(f->fix, c.fix) << c.name;
        EXPECT_EQ(f->kind, ebayRules().kindOf(c.rule)) << c.name;
    }
    // A large picture sent to an https:// folder passes both picture rules; without the footer the
    // first-run page is clean, emoticons and letter pictures included.
    GeneratorInput clean = firstRunInput();
    clean.ad.title = u"Brass [L][a][m][p] [S1]"_s;
    clean.hideFooter = true;
    clean.prefs.ftpAccess = true;
    clean.prefs.webUrl = u"https://pics.example/"_s;
    clean.pictures.slots[0].text = large;
    EXPECT_TRUE(checkAd(clean, ebayRules()).findings.isEmpty());
}

TEST(SiteCheck, ContrastAdviceNamesTheSellersColourItsBackgroundAndTheRatio)
{
    GeneratorInput in = firstRunInput();
    in.templateText =
        u"<table><tr><td {t1}><font color={TITLECOLOR} size={TITLESIZE}>{TITLE}</font></td></tr></table>"
        u"<p style=\"color:#EEEEEE\">the template's own pale words</p>"_s;
    in.ad.titleColor = ColorPair::fromValue(0xFFFFFF);
    in.ad.titleSize = u"6"_s;
    in.tables[1].colorText = u"#B2B2B2"_s;
    QStringList advice;
    for (const Finding& f : checkAd(in, ebayRules()).findings)
        if (f.rule == u"contrast")
            advice << kindName(f.kind) + u": "_s + f.text;
    EXPECT_EQ(advice, QStringList{u"advice: title colour on table 1: contrast 2.1:1"_s});
    // Large text needs 3:1 only.
    in.tables[1].colorText = u"#949494"_s;
    EXPECT_FALSE(rulesOf(checkAd(in, ebayRules())).contains(u"contrast"_s));
}

TEST(SiteCheck, AnAdWhoseMarksDoNotMatchIsStillCheckedAsAWhole)
{
    GeneratorInput in = firstRunInput();
    in.ad.effects[6] = true;
    // A private-use character of the seller's own, as the marks use: the sources cannot be told.
    in.ad.description = QString(QChar(0xE001)) + u"x"_s;
    const SiteCheckResult r = checkAd(in, ebayRules());
    EXPECT_FALSE(r.sourcesKnown);
    ASSERT_FALSE(r.findings.isEmpty());
    EXPECT_EQ(r.findings.first().rule, u"active-content");
    EXPECT_EQ(r.findings.first().where(), u"the page as a whole");
}

TEST(SiteCheck, TheSummaryIsThePlainTextOfTheDescriptionCutAtAWord)
{
    const SiteRules& rules = ebayRules();
    EXPECT_EQ(mobileSummary(u"<B>Brass</B> lamp & [S3]shade\r\n[H][i] <script>x()</script>"_s, rules),
              rules.summaryOpen + u"Brass lamp &amp; shade Hi"_s + rules.summaryClose);
    const QString words = QString(u"word "_s).repeated(300);
    const QString summary = mobileSummary(words, rules);
    const QString text = summary.mid(rules.summaryOpen.size()).chopped(rules.summaryClose.size());
    EXPECT_LE(text.size(), rules.summaryChars);
    EXPECT_TRUE(text.endsWith(u"word"_s));
    // Marked this way, the page no longer draws the advice.
    const QString page = summary + u"<p>"_s + words + u"</p>"_s;
    EXPECT_FALSE(rulesOf(checkPage(page, {}, rules)).contains(u"mobile-summary"_s));
}

TEST(SiteCheck, DamagedPagesAndAdsAreCheckedWithoutHarm)
{
    const GeneratorInput base = firstRunInput();
    QRandomGenerator rng(20261207);
    QString noise;
    for (int i = 0; i < 20000; ++i)
        noise += QChar(char16_t(rng.bounded(1, 0x10000)));
    QStringList pages = {
        noise, u"<a href=\"http://x.example/a.jpg\" onclick='"_s + QString(30000, u'\'') + u'"',
        QString(u"<table><td><table><td>"_s).repeated(300),
        u"\u0000<img src=\"\u0000http://a/b.gif\">"_s + QChar(0xD800) + u"<p>"_s + QChar(0xDC00) + u"x</p>"_s,
        QString(QChar(SourceOpen)) + QChar(SourceCodeBase) + u"<script>"_s + QChar(SourceClose)};
    // Every cut of a real template, which leaves tags and quotes open anywhere.
    for (qsizetype cut = 0; cut < base.templateText.size(); cut += 211)
        pages << base.templateText.left(cut) + base.templateText.mid(cut + 37);
    // A description that repeats a placeholder: thousands of inserted titles, each told apart.
    GeneratorInput titles = base;
    titles.templateText = u"<p>{BODYTEXT1}</p>{TITLE}"_s;
    titles.ad.description = QString(u"{TITLE} "_s).repeated(20000);
    titles.ad.title = u"<a href=\"https://shop.example/\">x</a>"_s;
    const SiteCheckResult repeated = checkAd(titles, ebayRules());
    ASSERT_TRUE(repeated.sourcesKnown);
    for (const Finding& f : repeated.findings) {
        EXPECT_TRUE(f.rule != u"outside-link" || f.where() == u"the title") << f.where().toStdString();
    }
    for (const QString& page : pages) {
        GeneratorInput in = base;
        in.templateText = page.left(MaxTemplateChars);
        in.ad.description = page;
        EXPECT_TRUE(checkPage(page, in, ebayRules()).ok);
        const SiteCheckResult ad = checkAd(in, ebayRules());
        EXPECT_EQ(ad.ok, ad.error.isEmpty());
    }
}

TEST(SiteCheck, PicturesTheTemplateDoesNotShowDrawAdviceNamingTheTemplatesThatDo)
{
    const QList<TemplatePictures> all = {{u"01"_s, {0, 1, 2, 3, 4}},
                                         {u"03"_s, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
                                         {u"05"_s, {0}},
                                         {u"14"_s, {0, 1, 2}}};
    const TemplatePictures mine{u"mine"_s, {}};
    const std::tuple<QList<int>, TemplatePictures, QString> cases[] = {
        {{0, 1, 2},
         all[2],
         u"3 pictures listed; template 05 shows 1; templates 01, 03 and 14 show them all"_s},
        // Room enough, in the wrong slots.
        {{0, 7},
         all[3],
         u"2 pictures listed; template 14 shows 3, not picture 8; template 03 shows them all"_s},
        {{4}, mine, u"1 picture listed; template mine shows 0; templates 01 and 03 show it"_s},
        {{0, 1, 2}, all[0], QString()},
        {QList<int>(), all[2], QString()}};
    for (const auto& [slots, selected, text] : cases) {
        PictureValues pictures;
        for (int k : slots)
            pictures.slots[size_t(k)].text = u"p"_s + QString::number(k) + u".jpg"_s;
        const std::optional<Finding> f = missingPicturesFinding(pictures, selected, all);
        EXPECT_EQ(f ? f->text : QString(), text);
        if (f) {
            EXPECT_TRUE(f->kind == FindingKind::Advice && f->where() == u"the template");
        }
    }
}
