#pragma once

#include "sitecheck/site_check.h"

#include <QString>

namespace lw {

class SharedState;
struct PreferencesWindowState;

// The marked summary a phone shows, made from the first characters of the description's text.
QString mobileSummary(const QString& description, const SiteRules& rules);

// Applies a finding's fix through the models the windows use. An effect, a picture address or the
// description changes the ad, which then counts as changed; a preference is saved as OK saves it
// unless the preferences window is open, whose OK or Cancel then decides; the footer is left out
// by the marker file "nolink.txt". Returns why the fix could not be kept, empty when it was.
QString applyFix(const Finding& finding, SharedState& state, const PreferencesWindowState& preferencesWindow,
                 const SiteRules& rules);

} // namespace lw
