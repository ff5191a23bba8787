#pragma once

#include "core/hosts.h"
#include "core/models/ad_record.h"
#include "core/models/picture_list.h"
#include "core/models/preferences.h"
#include "core/models/template_state.h"

#include <QString>

#include <array>

namespace lw {

// Where a part of the page comes from, in the seller's terms.
enum class PageSource : quint8
{
    Page, // not known: the page as a whole
    Template,
    Title,
    SubTitle,
    Description,
    Terms,
    Optional,
    Picture, // with the slot's index
    Tables,
    EmailLink,
    WebsiteLink,
    OtherAuctions,
    AboutMe,
    Calculator,
    NoRightClick,
    Music,
    Footer,
    Count
};

// Everything the generator reads: a snapshot of the ad, the preferences, the table backgrounds
// and the pictures at the moment Generate or Preview runs.
struct GeneratorInput
{
    QString templateText;
    // Preview: pictures, letter images and logos from the installation, never uploaded.
    bool preview = false;
    QString installFolder;
    Hosts hosts;

    AdValues ad;
    PreferenceValues prefs;
    std::array<TableBackgrounds::Entry, 5> tables;
    PictureValues pictures;
    QString enlargeColor;

    std::array<QString, 4> marqueeTags;
    std::array<QString, 2> pageExtras;
    bool hideFooter = false;
    // Every inserted value is wrapped in source marks (markSource), so that a check can tell
    // where each part of the page comes from.
    bool markSources = false;
};

struct GeneratorResult
{
    bool ok = false;
    QString page;
    QString error;
};

} // namespace lw
