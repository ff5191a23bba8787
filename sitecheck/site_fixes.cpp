#include "sitecheck/site_fixes.h"

#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "core/user_files.h"
#include "settings/preferences_commands.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

using S = PageSource;
using F = Preferences::Field;

QString httpsFor(const QString& address)
{
    return address.startsWith(u"http://", Qt::CaseInsensitive) ? u"https://"_s + address.mid(7) : address;
}

QString savePreferences(SharedState& state, const PreferencesWindowState& window)
{
    if (window.visible)
        return {};
    QString error;
    if (!saveSettings(state, &error))
        return u"The preferences could not be saved to "_s + settingsPath() + u": "_s + error;
    return {};
}

} // namespace

QString mobileSummary(const QString& description, const SiteRules& rules)
{
    QString text = descriptionPlainText(description);
    if (text.size() > rules.summaryChars) {
        text.truncate(rules.summaryChars);
        // Whole words only, unless one word fills it all.
        const qsizetype blank = text.lastIndexOf(u' ');
        if (blank > rules.summaryChars / 2)
            text.truncate(blank);
    }
    return rules.summaryOpen + text.trimmed().toHtmlEscaped() + rules.summaryClose;
}

QString applyFix(const Finding& finding, SharedState& state, const PreferencesWindowState& preferencesWindow,
                 const SiteRules& rules)
{
    AdRecord& ad = state.ad;
    switch (finding.fix) {
    case FixKind::None:
        return {};
    case FixKind::SwitchOffEffect:
        if (finding.source == S::NoRightClick)
            ad.setEffect(AdRecord::Effect::NoRightClick, false);
        else if (finding.source == S::Music)
            ad.setEffect(AdRecord::Effect::Music, false);
        else
            return {};
        ad.setAdChanged(true);
        return {};
    case FixKind::SwitchOffPreference: {
        static const std::pair<S, F> switches[] = {{S::EmailLink, F::IncludeEmail},
                                                   {S::WebsiteLink, F::IncludeWebsite},
                                                   {S::OtherAuctions, F::IncludeAuctions},
                                                   {S::AboutMe, F::IncludeMePage},
                                                   {S::Calculator, F::ShowCalc}};
        for (const auto& [source, field] : switches) {
            if (source == finding.source) {
                state.prefs.setFlag(field, false);
                return savePreferences(state, preferencesWindow);
            }
        }
        return {};
    }
    case FixKind::LeaveOutFooter: {
        state.gen.hideFooter = true;
        QString error;
        const QString file = userFileToWrite(u"nolink.txt"_s);
        if (!writeFileAtomic(file, {}, &error))
            return u"The footer link is left out until Listwright ends; \"nolink.txt\" could not be written to "_s +
                   QFileInfo(file).absolutePath() + u" to keep it so: "_s + error;
        return {};
    }
    case FixKind::PictureHttps: {
        const QString now = state.pictures.text(finding.index);
        state.pictures.setText(finding.index, httpsFor(now));
        ad.setAdChanged(true);
        return {};
    }
    case FixKind::WebUrlHttps:
        state.prefs.setText(F::WebUrl, httpsFor(state.prefs.text(F::WebUrl)));
        return savePreferences(state, preferencesWindow);
    case FixKind::AddMobileSummary: {
        const QString description = ad.text(AdRecord::Text::Description);
        ad.setText(AdRecord::Text::Description, mobileSummary(description, rules) + description);
        ad.setAdChanged(true);
        return {};
    }
    }
    return {};
}

} // namespace lw
