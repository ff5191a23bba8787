// The site-rules check: the fuzz bytes as the page, the template and the ad's description, so that
// the parser, the marks and every rule see them.
#include "core/text_file.h"
#include "generator/convert.h"
#include "sitecheck/site_check.h"

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = lw::decodeText(bytes);
    lw::GeneratorInput in;
    in.installFolder = u"/opt/listwright"_s;
    in.templateText = text.left(lw::MaxTemplateChars);
    in.ad.description = text;
    in.ad.effects[6] = size % 2 == 0;
    in.prefs.includeWebsite = size % 3 == 0;
    const lw::SiteCheckResult page = lw::checkPage(text, in, lw::ebayRules());
    const lw::SiteCheckResult ad = lw::checkAd(in, lw::ebayRules());
    if (!page.ok || ad.ok == !ad.error.isEmpty())
        std::abort();
    return 0;
}
