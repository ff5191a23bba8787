// The site-rules check of a page at the site's size limit: the page alone, and an ad whose
// description fills it, generated again with source marks to tell where each finding comes from.

#include "generator/blocks.h"
#include "sitecheck/site_check.h"

#include <QFile>
#include <QString>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype PageChars = 500000;

// A seller's description as the editor makes it: paragraphs with markup, pictures, a link, and
// now and then something the site refuses.
QString description(qsizetype chars)
{
    const QString block =
        u"<B>Antique brass lamp</B>, polished and rewired.\r\nThe shade is <I>original</I> glass, "
        u"<FONT COLOR = \"red\">no chips</FONT>; see <A HREF = \"https://www.ebay.com/usr/lampseller\">my "
        u"other "
        u"lamps</A>.\r\n<IMG SRC = \"https://pics.example/lamp_side.jpg\"> <IMG SRC = "
        u"\"http://pics.example/old.jpg\">"
        u"\r\n<UL><LI>Height 18 in</LI><LI>Weight 6 lb</LI></UL>Questions: lamps@shop.example [S5]\r\n"_s;
    QString text;
    text.reserve(chars + block.size());
    while (text.size() < chars)
        text += block;
    text.truncate(chars);
    return text;
}

lw::GeneratorInput adInput(qsizetype descriptionChars)
{
    lw::GeneratorInput in;
    QFile file(QStringLiteral(LW_TEMPLATE));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_sitecheck: no template\n");
        std::abort();
    }
    in.templateText = QString::fromUtf8(file.readAll());
    in.installFolder = u"/opt/listwright"_s;
    in.ad = lw::AdRecord::newAd();
    in.ad.title = u"[L][a][m][p] brass lamp"_s;
    in.ad.description = description(descriptionChars);
    in.ad.effects[6] = in.ad.effects[7] = true;
    in.prefs.includeWebsite = true;
    in.prefs.website = u"https://shop.example/"_s;
    for (int k = 0; k < 5; ++k)
        in.pictures.slots[size_t(k)].text = u"https://pics.example/lamp_"_s + QString::number(k) + u".jpg"_s;
    in.marqueeTags = lw::buildMarqueeTags();
    in.pageExtras = lw::buildPageExtras(u"https://music.example/bg.mid"_s);
    return in;
}

void BM_CheckPage(benchmark::State& state)
{
    const QString page = u"<div>"_s + description(PageChars - 11) + u"</div>"_s;
    const lw::GeneratorInput none;
    for (auto _ : state) {
        const lw::SiteCheckResult r = lw::checkPage(page, none, lw::ebayRules());
        benchmark::DoNotOptimize(r.findings.size());
    }
    state.SetLabel(std::to_string(page.size()) + " characters");
}
BENCHMARK(BM_CheckPage)->Unit(benchmark::kMillisecond);

void BM_CheckAd(benchmark::State& state)
{
    const lw::GeneratorInput in = adInput(PageChars - 8000);
    for (auto _ : state) {
        const lw::SiteCheckResult r = lw::checkAd(in, lw::ebayRules());
        if (!r.sourcesKnown)
            state.SkipWithError("the sources were not told");
        benchmark::DoNotOptimize(r.findings.size());
    }
}
BENCHMARK(BM_CheckAd)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
