#pragma once

#include "generator/generator_input.h"
#include "sitecheck/site_rules.h"

#include <QList>
#include <QString>

namespace lw {

class HtmlDocument;

// The one-click repairs a finding can offer.
enum class FixKind
{
    None,
    SwitchOffEffect,     // the effect of the finding's source
    SwitchOffPreference, // the link or calculator preference of the finding's source
    LeaveOutFooter,
    PictureHttps, // https:// for http:// in the address typed into the picture slot
    WebUrlHttps,  // https:// for http:// in the web image address of the FTP preferences
    AddMobileSummary,
};

// Something the auction site would refuse or frown upon, and where the seller put it.
struct Finding
{
    FindingKind kind = FindingKind::Advice;
    QString rule;
    PageSource source = PageSource::Page;
    int index = 0; // the picture slot, for a picture
    QString text;
    FixKind fix = FixKind::None;

    // The source in the seller's words, without a colon.
    QString where() const;
    // What the Fix button does; empty when there is no fix.
    QString fixCaption() const;
    // The fix's id in the command's JSON; empty when there is none.
    QString fixName() const;
};

struct SiteCheckResult
{
    bool ok = false;
    QString error; // when the page could not be made
    QList<Finding> findings;
    bool sourcesKnown = false;

    int count(FindingKind kind) const;
};

QString sourceName(PageSource source, int index);

// Checks a page Generate made from the input against the site's rules.
SiteCheckResult checkPage(const QString& page, const GeneratorInput& in, const SiteRules& rules);
// Makes the page as Generate would (the pictures addressed as after their upload, nothing sent)
// and checks it.
SiteCheckResult checkAd(const GeneratorInput& in, const SiteRules& rules);

// The element that holds the page's marked mobile summary (its index in the document's nodes), -1
// when none is marked: the first element with the summary property inside one of the summary type.
int markedSummaryNode(const HtmlDocument& doc, const SiteRules& rules);

// The description's text as a phone shows it: markup and codes read as a reader sees them.
QString descriptionPlainText(const QString& description);

} // namespace lw
