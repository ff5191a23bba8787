#include "settings/preferences_commands.h"
#include "sitecheck/rules_check.h"
#include "tests/app/app_fixture.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

using T = AdRecord::Text;
using F = Preferences::Field;

namespace {

class SiteCheckApp : public AppProgram
{
protected:
    RulesCheck check{state, ds, program.preferencesWindow(),
                     [this](QString* error) { return program.generateInput(error); }};

    int findingOf(PageSource source) const
    {
        const QList<Finding>& all = check.result().findings;
        for (int i = 0; i < all.size(); ++i)
            if (all.at(i).source == source && all.at(i).fix != FixKind::None)
                return i;
        return -1;
    }
    // The preferences a later start of the program reads.
    PreferenceValues savedPreferences()
    {
        SharedState later;
        Program again(later, ds);
        again.startup({});
        return later.prefs.values();
    }
};

} // namespace

TEST_F(SiteCheckApp, TheTwentyTemplatesWithFirstRunPreferencesHaveNothingRejected)
{
    start();
    ASSERT_EQ(state.templates.files().size(), 20);
    for (int i = 0; i < 20; ++i) {
        state.templates.setSelectedIndex(i);
        check.run();
        const SiteCheckResult& r = check.result();
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_TRUE(r.sourcesKnown) << state.templates.selectedFile().toStdString();
        for (const Finding& f : r.findings)
            EXPECT_NE(f.kind, FindingKind::Rejected)
                << state.templates.selectedFile().toStdString() << ": " << f.rule.toStdString() << ": "
                << f.where().toStdString() << ": " << f.text.toStdString();
    }
}

TEST_F(SiteCheckApp, EachFixRemovesItsFindingAndIsKeptWhereTheAdOrThePreferencesLive)
{
    using S = PageSource;
    struct Case
    {
        const char* name;
        S source;
        std::function<void()> set;
        bool adChanges;
        std::function<bool()> kept;
    };
    const std::vector<Case> cases = {
        {"no right-click", S::NoRightClick, [this] { ad().setEffect(AdRecord::Effect::NoRightClick, true); },
         true, [this] { return !ad().effect(AdRecord::Effect::NoRightClick); }},
        {"music", S::Music,
         [this] {
             ad().setEffect(AdRecord::Effect::Music, true);
             ad().setText(T::MusicUrl, u"https://music.example/bg.mid"_s);
             program.buildEffectFragments();
         },
         true, [this] { return !ad().effect(AdRecord::Effect::Music); }},
        {"website", S::WebsiteLink,
         [this] {
             prefs().setFlag(F::IncludeWebsite, true);
             prefs().setText(F::Website, u"https://shop.example/"_s);
             saveSettings(state);
         },
         false, [this] { return !savedPreferences().includeWebsite; }},
        {"calculator", S::Calculator,
         [this] {
             prefs().setFlag(F::ShowCalc, true);
             prefs().setFlag(F::UseUsps, true);
             prefs().setText(F::ZipCode, u"12345"_s);
             saveSettings(state);
         },
         false, [this] { return !savedPreferences().showCalc; }},
        {"footer", S::Footer, [] {}, false,
         [this] { return state.gen.hideFooter && QFileInfo::exists(install.file(u"nolink.txt"_s)); }},
        {"typed picture", S::Picture, [this] { state.pictures.setText(2, u"http://pics.example/a.jpg"_s); },
         true, [this] { return state.pictures.text(2) == u"https://pics.example/a.jpg"; }},
        {"web image address", S::Picture,
         [this] {
             state.pictures.setText(2, u"/home/seller/a.jpg"_s);
             prefs().setFlag(F::FtpAccess, true);
             prefs().setText(F::WebUrl, u"http://pics.example/"_s);
             saveSettings(state);
         },
         false, [this] { return savedPreferences().webUrl == u"https://pics.example/"; }},
        {"mobile summary", S::Description, [this] { ad().setText(T::Description, QString(900, u'x')); }, true,
         [this] { return ad().text(T::Description).startsWith(ebayRules().summaryOpen); }},
    };
    for (const Case& c : cases) {
        start();
        c.set();
        check.run();
        const int i = findingOf(c.source);
        ASSERT_GE(i, 0) << c.name;
        const FixKind fix = check.result().findings.at(i).fix;
        ad().setAdChanged(false);
        check.fix(i);
        EXPECT_TRUE(ds.messages().isEmpty()) << c.name;
        EXPECT_EQ(ad().adChanged(), c.adChanges) << c.name;
        EXPECT_TRUE(c.kept()) << c.name;
        for (const Finding& f : check.result().findings)
            EXPECT_FALSE(f.source == c.source && f.fix == fix) << c.name << ": " << f.text.toStdString();
    }
}
