#pragma once

#include "sitecheck/site_check.h"

#include <QObject>

#include <functional>
#include <optional>

namespace lw {

class DesktopServices;
class SharedState;
struct PreferencesWindowState;

// The check of the ad against the site's rules, as the window and the main window use it: the
// findings of the last check and the fixes, each followed by a new check.
class RulesCheck : public QObject
{
    Q_OBJECT
public:
    // What Generate would read now, or why it cannot run.
    using InputSource = std::function<std::optional<GeneratorInput>(QString* error)>;

    RulesCheck(SharedState& state, DesktopServices& ds, const PreferencesWindowState& preferencesWindow,
               InputSource source, const SiteRules& rules = ebayRules(), QObject* parent = nullptr);

    // Makes the page as Generate would, without sending any picture, and checks it.
    void run();
    // Checks the page a Generate run made.
    void checkGenerated(const QString& page);
    // Applies the fix of finding i of the last check, then checks again.
    void fix(int i);

    const SiteCheckResult& result() const { return m_result; }
    const SiteRules& rules() const { return m_rules; }

Q_SIGNALS:
    void checked();

private:
    void check(const std::optional<QString>& page);

    SharedState& m_state;
    DesktopServices& m_ds;
    const PreferencesWindowState& m_preferencesWindow;
    InputSource m_source;
    const SiteRules& m_rules;
    SiteCheckResult m_result;
};

} // namespace lw
