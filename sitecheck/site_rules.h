#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace lw {

// How much a finding matters: the site refuses or hides it, it may get the listing removed, or it
// would simply serve the seller better.
enum class FindingKind
{
    Rejected,
    Risky,
    Advice
};

// The rules of one auction site, as one table: another site is another table.
struct SiteRules
{
    QString name;
    // Links to these hosts and their sub-domains are the site's own.
    QStringList ownHosts;
    // The longest description the site takes, in characters of HTML.
    qsizetype maxPageChars = 0;
    // What phones show of a description without a marked summary, in characters.
    int summaryChars = 0;
    // The least a picture should measure on its longest side, in pixels.
    int minPictureSide = 0;
    // Words spelled with letter pictures that pass without a word of advice.
    int letterImageWords = 0;
    // Elements the site refuses whatever their attributes, and what they are in the seller's words.
    QList<std::pair<QString, QString>> activeTags;
    // The summary marking: the outer element carries these attribute values, the inner one the
    // property; the fix writes the two around the summary text.
    QString summaryVocab, summaryType, summaryProperty;
    QString summaryOpen, summaryClose;
    // The kind of each rule's findings, by rule id.
    QList<std::pair<QString, FindingKind>> kinds;

    FindingKind kindOf(const QString& rule) const;
    bool isOwnHost(const QString& host) const;
};

// eBay's rules as of its listing policies.
const SiteRules& ebayRules();

QString kindName(FindingKind kind);

} // namespace lw
