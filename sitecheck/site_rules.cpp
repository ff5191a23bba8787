#include "sitecheck/site_rules.h"

#include "sitecheck/site_hosts.h"

using namespace Qt::StringLiterals;

namespace lw {

FindingKind SiteRules::kindOf(const QString& rule) const
{
    for (const auto& [id, kind] : kinds)
        if (id == rule)
            return kind;
    return FindingKind::Advice;
}

bool SiteRules::isOwnHost(const QString& host) const
{
    return isHostOf(ownHosts, host);
}

const SiteRules& ebayRules()
{
    static const SiteRules rules = [] {
        SiteRules r;
        r.name = u"eBay"_s;
        r.ownHosts = ebayHosts();
        r.maxPageChars = 500000;
        r.summaryChars = 800;
        r.minPictureSide = 500;
        r.letterImageWords = 3;
        r.activeTags = {{u"script"_s, u"a script"_s},  {u"object"_s, u"a plug-in"_s},
                        {u"embed"_s, u"a plug-in"_s},  {u"applet"_s, u"a Java applet"_s},
                        {u"iframe"_s, u"a frame"_s},   {u"frame"_s, u"a frame"_s},
                        {u"frameset"_s, u"a frame"_s}, {u"bgsound"_s, u"background sound"_s}};
        r.summaryVocab = u"https://schema.org/"_s;
        r.summaryType = u"Product"_s;
        r.summaryProperty = u"description"_s;
        r.summaryOpen =
            u"<div vocab=\"https://schema.org/\" typeof=\"Product\"><span property=\"description\">"_s;
        r.summaryClose = u"</span></div>"_s;
        r.kinds = {{u"active-content"_s, FindingKind::Rejected},
                   {u"http-content"_s, FindingKind::Rejected},
                   {u"picture-address"_s, FindingKind::Rejected},
                   {u"size"_s, FindingKind::Rejected},
                   {u"nesting"_s, FindingKind::Risky},
                   {u"outside-link"_s, FindingKind::Risky},
                   {u"contact-email"_s, FindingKind::Risky},
                   {u"web-address-text"_s, FindingKind::Risky},
                   {u"picture-size"_s, FindingKind::Risky},
                   {u"mobile-summary"_s, FindingKind::Advice},
                   {u"letter-images"_s, FindingKind::Advice},
                   {u"contrast"_s, FindingKind::Advice}};
        return r;
    }();
    return rules;
}

QString kindName(FindingKind kind)
{
    switch (kind) {
    case FindingKind::Rejected:
        return u"rejected"_s;
    case FindingKind::Risky:
        return u"risky"_s;
    case FindingKind::Advice:
        break;
    }
    return u"advice"_s;
}

} // namespace lw
