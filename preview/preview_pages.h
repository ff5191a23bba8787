#pragma once

#include "preview/preview_host.h"
#include "sitecheck/site_check.h"

#include <QString>

namespace lw {

// The page as a phone lays it out: in a document whose viewport is the device's width.
QString phonePage(const QString& page);

// What the site shows of the description on a phone, as a page of its own. With a marked mobile
// summary: its text with only the tags the site keeps there (lists and line breaks), the part past
// the site's limit struck through after a mark. Without one: the first characters of the page's
// text up to that limit, and a hint that the listing check can add a summary.
QString phoneSummaryPage(const QString& page, const SiteRules& rules);

// The findings line under the preview, rich text: "eBay would reject 1 part · 2 risky".
QString findingsLine(const SiteCheckResult& result, const SiteRules& rules);

} // namespace lw
