#include "sitecheck/rules_check.h"

#include "core/desktop_services.h"
#include "core/models/shared_state.h"
#include "sitecheck/site_fixes.h"
#include "sitecheck/template_pictures.h"

using namespace Qt::StringLiterals;

namespace lw {

RulesCheck::RulesCheck(SharedState& state, DesktopServices& ds,
                       const PreferencesWindowState& preferencesWindow, InputSource source,
                       const SiteRules& rules, QObject* parent)
    : QObject(parent), m_state(state), m_ds(ds), m_preferencesWindow(preferencesWindow),
      m_source(std::move(source)), m_rules(rules)
{
}

void RulesCheck::run()
{
    check(std::nullopt);
}

void RulesCheck::checkGenerated(const QString& page)
{
    check(page);
}

void RulesCheck::check(const std::optional<QString>& page)
{
    QString error;
    const std::optional<GeneratorInput> in = m_source(&error);
    if (!in) {
        m_result = {};
        m_result.error = error;
    } else {
        m_result = page ? checkPage(*page, *in, m_rules) : checkAd(*in, m_rules);
        addMissingPictures(m_result, *in, m_state.templates);
    }
    Q_EMIT checked();
}

void RulesCheck::fix(int i)
{
    if (i < 0 || i >= m_result.findings.size())
        return;
    const QString error = applyFix(m_result.findings.at(i), m_state, m_preferencesWindow, m_rules);
    if (!error.isEmpty())
        m_ds.messageBox(error, MsgIcon::Exclamation, u"Check Ad For Site Rules"_s);
    run();
}

} // namespace lw
