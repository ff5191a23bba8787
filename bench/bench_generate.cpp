// Generation of the largest ad the program accepts, against a plain replace-per-placeholder baseline.

#include "generator/blocks.h"
#include "generator/convert.h"
#include "generator/markup.h"

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void fail(const char* why)
{
    std::fprintf(stderr, "bench_generate: %s\n", why);
    std::abort();
}

// Every placeholder the generator knows, the pictures first.
QStringList everyPlaceholder()
{
    QStringList all;
    for (int k = 0; k <= 9; ++k)
        all << u"{IMAGE"_s + QString::number(k) + u'}';
    all << u"{TITLE}"_s << u"{SUB-TITLE}"_s << u"{BODYTEXT1}"_s << u"{TITLECOLOR}"_s << u"{SUBTITLECOLOR}"_s
        << u"{DESCRIPTIONCOLOR}"_s << u"{TERMSCOLOR}"_s << u"{TERMSSIZE}"_s << u"{TITLESIZE}"_s
        << u"{SUBTITLESIZE}"_s << u"{DESCRIPTIONSIZE}"_s << u"{DROPCAPSIZE}"_s << u"{t1}"_s << u"{t2}"_s
        << u"{t3}"_s << u"{t4}"_s << u"{TERMS1}"_s << u"{BODYBGCOLOR}"_s << u"{EMAIL}"_s << u"{WEBSITE}"_s
        << u"{OPTCOLOR}"_s << u"{OTHERAUCTIONS}"_s << u"{MEPAGE}"_s << u"{NORIGHTCLICK}"_s << u"{BGMUSIC}"_s
        << u"{REZO}"_s << u"{SHIPCALC}"_s << u"{DEFAULTFONT}"_s;
    return all;
}

// Exactly MaxTemplateChars characters and MaxTokens tokens: every placeholder once, an optional
// section in brackets, repeated styling placeholders as real templates have, plain HTML padding.
QString largestTemplate()
{
    QString t = u"<html><head>{NORIGHTCLICK}{BGMUSIC}</head>{BODYBGCOLOR}<font face=\"{DEFAULTFONT}\">\r\n"_s;
    for (const QString& p : everyPlaceholder()) {
        if (!t.contains(p))
            t += u"<table {t1} width=\"100%\"><tr><td>"_s + p + u"</td></tr></table>\r\n"_s;
    }
    t +=
        u"<table {t2}><tr><td><font color=\"{OPTCOLOR}\">[Condition: {CONDITION}<br>Age: {AGE}<br>"
        u"{COMMENTS}<br>Shipping: {SHIPCOST}<font color=\"{TERMS1COLOR}\">]</font></font></td></tr></table>\r\n"_s;
    const QString cells[] = {u"{TITLECOLOR}"_s, u"{DESCRIPTIONCOLOR}"_s, u"{t3}"_s, u"{DEFAULTFONT}"_s,
                             u"{TITLESIZE}"_s};
    for (qsizetype i = lw::buildTokenList(t).tokens.size(); i < lw::MaxTokens; ++i)
        t += u"<td><font color=\""_s + cells[i % 5] + u"\">cell</font></td>\r\n"_s;

    const QString filler = u"<p>Plain filler text of the listing page, no placeholders here.</p>\r\n"_s;
    while (t.size() < lw::MaxTemplateChars)
        t += filler;
    t.truncate(lw::MaxTemplateChars);

    if (t.size() != lw::MaxTemplateChars)
        fail("the template is not the largest legal size");
    const lw::TokenList list = lw::buildTokenList(t);
    if (!list.ok || list.tokens.size() != lw::MaxTokens)
        fail("the template does not have exactly 150 tokens");
    const QStringList optional = {u"{CONDITION}"_s,   u"{AGE}"_s, u"{COMMENTS}"_s, u"{SHIPCOST}"_s,
                                  u"{TERMS1COLOR}"_s, u"["_s,     u"]"_s};
    for (const QString& p : everyPlaceholder() + optional)
        if (!list.tokens.contains(p))
            fail("the template lacks a placeholder");
    return t;
}

lw::GeneratorInput largestInput()
{
    lw::GeneratorInput in;
    in.templateText = largestTemplate();
    in.installFolder = u"/opt/listwright"_s;
    lw::PreferenceValues& p = in.prefs;
    p.ftpAccess = true;
    p.webUrl = u"http://seller.example/pics/"_s;
    for (int k = 0; k < 10; ++k)
        in.pictures.slots[k].text = u"C:\\My Pictures\\auction\\item_"_s + QString::number(k) + u".jpg"_s;
    p.pictureTarget = u"_blank"_s;
    in.pictures.thumbWidth = u"200"_s;
    in.pictures.thumbHeight = u"150"_s;
    in.enlargeColor = u"#FF0000"_s;

    lw::AdValues& ad = in.ad;
    ad.title = u"[S][a][l][e] [!] Antique brass lamp [S3]"_s;
    ad.subTitle = u"[F][r][e][e] shipping [S12] [1][0][0][%]"_s;
    const QString para = u"A fine old lamp [S5], polished [&] rewired.\r\nWorks [1][0][0][%] [!]\r\n"_s;
    while (ad.description.size() < 2000)
        ad.description += para;
    ad.titleSize = u"6"_s;
    ad.subTitleSize = u"4"_s;
    ad.descriptionSize = u"3"_s;
    ad.titleColor.text = u"#000080"_s;
    ad.subTitleColor.text = u"#800000"_s;
    ad.descriptionColor.text = u"#000000"_s;
    ad.optionalColor.text = u"#008000"_s;
    ad.effects.fill(true);
    ad.letterStyle = 4;
    ad.includeOptional = true;
    ad.condition = u"Used"_s;
    ad.age = u"About 80 years"_s;
    ad.comments = u"Small dent on the base"_s;
    ad.shipCost = u"$12.50"_s;
    ad.pounds = u"6"_s;
    ad.ounces = u"4"_s;
    p.terms = u"Payment within 7 days.\r\nShipping to the US only.\r\nNo returns."_s;
    p.termsColor.text = u"#333333"_s;
    p.termsSize = 2;
    const QString colors[] = {u"#FFFFFF"_s, u"#EEEEEE"_s, u"#DDDDDD"_s, u"#CCCCCC"_s, u"#BBBBBB"_s};
    const QString textures[] = {u"wood.jpg"_s, u"marble.jpg"_s, u"paper.jpg"_s, u"cloth.jpg"_s,
                                u"sand.jpg"_s};
    for (int i = 0; i < 5; ++i) {
        in.tables[i].colorText = colors[i];
        in.tables[i].texture = textures[i];
        in.tables[i].useTexture = i % 2 == 0;
    }
    p.includeEmail = p.includeWebsite = p.includeAuctions = p.includeMePage = true;
    p.auctionSite = 0;
    p.email = u"seller@example.com"_s;
    p.website = u"http://seller.example"_s;
    p.auctionId = u"lampseller"_s;
    in.marqueeTags = lw::buildMarqueeTags();
    in.pageExtras = lw::buildPageExtras(u"http://seller.example/tune.mid"_s);
    p.showCalc = p.useUsps = p.useUps = p.upsResidential = true;
    p.zipCode = u"12345"_s;
    p.shipComment = u"Insurance included"_s;
    p.upsLength = u"20"_s;
    p.upsWidth = u"12"_s;
    p.upsHeight = u"30"_s;
    p.upsInsurance = u"100"_s;
    p.font = 4;
    return in;
}

const lw::GeneratorInput& input()
{
    static const lw::GeneratorInput in = largestInput();
    return in;
}

// The value each token of the template is replaced with, in token order.
std::vector<std::pair<QString, QString>> baselinePairs(const lw::GeneratorInput& in)
{
    const QString web = in.hosts.makerPictureFolder();
    const QString digit = lw::styleDigit(in.ad.letterStyle);
    auto valueFor = [&](const QString& token) -> QString {
        if (token.startsWith(u"{IMAGE"_s)) {
            const int k = token.mid(6, token.size() - 7).toInt();
            return lw::pictureBlock(lw::pictureAddress(in.pictures.slots[k].text, true, in.prefs.webUrl), k,
                                    in);
        }
        if (token == u"{TITLE}")
            return in.marqueeTags[1] + lw::expandCodes(in.ad.title, web, digit) + in.marqueeTags[0];
        if (token == u"{SUB-TITLE}")
            return in.marqueeTags[1] + lw::expandCodes(in.ad.subTitle, web, digit) + in.marqueeTags[0];
        if (token == u"{BODYTEXT1}")
            return lw::expandCodes(lw::lineBreaksToHtml(in.ad.description), web, digit);
        if (token == u"{TERMS1}")
            return lw::lineBreaksToHtml(in.prefs.terms);
        if (token == u"{SHIPCALC}")
            return lw::uspsForm(in, web);
        if (token == u"{EMAIL}")
            return lw::emailLink(in.prefs.email);
        if (token == u"{WEBSITE}")
            return lw::websiteLink(in.prefs.website);
        if (token == u"{OTHERAUCTIONS}")
            return lw::otherAuctionsLink(in.prefs.auctionSite, in.prefs.auctionId, in.hosts);
        if (token == u"{MEPAGE}")
            return lw::aboutMeLink(in.prefs.auctionId, in.hosts);
        if (token == u"{REZO}")
            return lw::footerLink(in.hosts);
        if (token == u"{NORIGHTCLICK}")
            return in.pageExtras[0];
        if (token == u"{BGMUSIC}")
            return in.pageExtras[1];
        if (token == u"[" || token == u"]" || token == u"{DROPCAPSIZE}" || token == u"{TERMS1COLOR}")
            return {};
        return in.ad.titleColor.text; // the short colour, size and font values
    };
    std::vector<std::pair<QString, QString>> pairs;
    for (const QString& token : lw::buildTokenList(in.templateText).tokens)
        pairs.emplace_back(token, valueFor(token));
    return pairs;
}

void BM_Generate(benchmark::State& state)
{
    const lw::GeneratorInput& in = input();
    for (auto _ : state) {
        lw::GeneratorResult r = lw::expandTemplate(in);
        if (!r.ok)
            fail("generation failed");
        benchmark::DoNotOptimize(r.page.constData());
    }
    state.counters["page_chars"] = static_cast<double>(lw::expandTemplate(in).page.size());
}
BENCHMARK(BM_Generate)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_BaselineReplacePass(benchmark::State& state)
{
    const lw::GeneratorInput& in = input();
    const auto pairs = baselinePairs(in);
    if (pairs.size() != static_cast<size_t>(lw::MaxTokens))
        fail("the baseline does not have 150 passes");
    for (auto _ : state) {
        QString page = in.templateText;
        for (const auto& [token, value] : pairs)
            page.replace(token, value);
        benchmark::DoNotOptimize(page.constData());
    }
}
BENCHMARK(BM_BaselineReplacePass)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
