#include "preview/preview_job.h"
#include "preview/preview_pages.h"
#include "tests/app/app_fixture.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

namespace {

QString withoutTags(QString html)
{
    static const QRegularExpression tag(u"<[^>]*>"_s);
    return html.remove(tag);
}

const QString SummaryOpen = ebayRules().summaryOpen;
const QString SummaryClose = ebayRules().summaryClose;

// What a phone shows of the description: the marked summary with the tags the site keeps there, or
// the first 800 characters of the page's text, the limit marked either way.
TEST(PreviewPages, ThePhoneSummaryShowsWhatTheSiteKeepsUpToItsLimit)
{
    const QString longText = QString(850, u'a');
    const struct
    {
        QString page;
        QStringList shown;    // in the summary page, in this order
        QStringList notShown; // anywhere in it
    } cases[] = {
        // Lists and line breaks stay, other tags go and leave their text; a list item counts three.
        {SummaryOpen + u"<b>Brass</b> lamp<ul><li class=\"x\">green</li></ul>A<br><script>js</script>"_s +
             SummaryClose + u"<p>Not in the summary</p>"_s,
         {u"<main>Brass lamp<ul><li>green</li></ul>A<br></main>"_s, u"has 20 of the 800 characters"_s},
         {u"<b>"_s, u"js"_s, u"Not in the summary"_s, u"listwright:check"_s, u"class=\"limit\""_s}},
        // Past the limit: a mark, and the rest struck through piece by piece.
        {SummaryOpen + longText + u"<ul><li>more</li></ul>"_s + SummaryClose,
         {QString(800, u'a') + u"<span class=\"limit\">800 characters"_s,
          u"<span class=\"over\">aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa</span><ul><li><span class=\"over\">more"_s,
          u"has 857 of the 800 characters"_s, u"struck-through rest is dropped"_s},
         {}},
        // Without a summary: the page's text up to the limit, and the way to a summary.
        {u"<p>"_s + longText + u"</p>"_s,
         {u"<main>"_s + QString(800, u'a') + u"\u2026</main>"_s, u"(850 in all)"_s,
          u"<a href=\"listwright:check\">"_s},
         {u"aaa\u2026aaa"_s}},
        {u"<table><tr><td>Short &amp; <i>sweet</i></td></tr></table>"_s,
         {u"<main>Short &amp; sweet</main>"_s, u"(13 in all)"_s},
         {u"\u2026"_s}},
    };
    for (const auto& c : cases) {
        const QString page = phoneSummaryPage(c.page, ebayRules());
        qsizetype at = 0;
        for (const QString& part : c.shown) {
            const qsizetype found = page.indexOf(part, at);
            EXPECT_GE(found, 0) << part.toStdString() << "\nin " << page.toStdString();
            at = qMax(at, found);
        }
        for (const QString& part : c.notShown)
            EXPECT_FALSE(page.contains(part)) << part.toStdString();
    }
}

TEST(PreviewPages, TheFindingsLineCountsEachKind)
{
    auto result = [](int rejected, int risky, int advice) {
        SiteCheckResult r;
        r.ok = true;
        for (const auto& [kind, n] :
             {std::pair{FindingKind::Rejected, rejected}, std::pair{FindingKind::Risky, risky},
              std::pair{FindingKind::Advice, advice}})
            for (int i = 0; i < n; ++i)
                r.findings.append({kind, {}, PageSource::Page, 0, {}, FixKind::None});
        return r;
    };
    SiteCheckResult failed;
    failed.error = u"template <gone>"_s;
    const std::pair<SiteCheckResult, QString> cases[] = {
        {result(1, 2, 0), u"eBay would reject 1 part \u00B7 2 risky"_s},
        {result(3, 0, 1), u"eBay would reject 3 parts \u00B7 1 advice"_s},
        {result(0, 1, 2), u"eBay would take this ad \u00B7 1 risky \u00B7 2 advice"_s},
        {result(0, 0, 0), u"eBay would take this ad: nothing found"_s},
        {failed, u"The listing check could not make the page: template &lt;gone&gt;"_s},
    };
    for (const auto& [r, line] : cases)
        EXPECT_EQ(withoutTags(findingsLine(r, ebayRules())), line);
}

class PreviewJobTest : public AppProgram
{
protected:
    PreviewRequest snapshot(quint64 serial)
    {
        PreviewRequest r;
        r.serial = serial;
        r.input = program.generatorInput();
        r.templatePath = state.templates.folder() + u'/' + state.templates.selectedFile();
        return r;
    }
};

TEST_F(PreviewJobTest, ThePagesAreMadeAsPreviewMakesThemOrSayWhyNot)
{
    start();
    ad().setText(AdRecord::Text::Title, u"Brass Lamp"_s);
    ASSERT_TRUE(generate(GenerateMode::PreviewPage));
    const QString previewPage = state.gen.templateText;
    PreviewRequest request = snapshot(7);
    // The template comes from its file, not from what the last generation left.
    request.input.templateText = u"{TITLE}"_s;
    const PreviewContent made = makePreview(request, ebayRules());
    EXPECT_TRUE(made.ok);
    EXPECT_EQ(made.serial, 7u);
    EXPECT_EQ(made.page, previewPage);
    EXPECT_TRUE(made.phonePage.startsWith(u"<!DOCTYPE html>"_s) &&
                made.phonePage.contains(u"width=device-width"_s) && made.phonePage.contains(previewPage));
    EXPECT_TRUE(made.summaryPage.contains(u"Brass Lamp"_s));
    EXPECT_EQ(QUrl(made.baseUrl).toLocalFile(), install.path() + u'/');

    for (const auto& [path, why] : {std::pair{install.file(u"templates/gone.tpt"_s), u"could not be read"_s},
                                    std::pair{QString(), u"No template is selected."_s}}) {
        request.templatePath = path;
        const PreviewContent failed = makePreview(request, ebayRules());
        EXPECT_FALSE(failed.ok);
        EXPECT_TRUE(failed.error.contains(why)) << failed.error.toStdString();
        EXPECT_TRUE(failed.page.contains(why) && failed.summaryPage == failed.page);
    }
}

TEST_F(PreviewJobTest, OnlyTheNewestSnapshotIsMadeAndItsFindingsFollow)
{
    start();
    PreviewJob job;
    QList<quint64> pages;
    QObject::connect(&job, &PreviewJob::pageMade, [&pages](const PreviewContent& c) { pages << c.serial; });
    QSignalSpy findings(&job, &PreviewJob::findingsMade);
    for (quint64 serial = 1; serial <= 10; ++serial) {
        ad().setText(AdRecord::Text::Title, u"Lamp "_s + QString::number(serial));
        job.request(snapshot(serial));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return pages.contains(10u); }, 10000));
    ASSERT_TRUE(findings.wait(10000) || !findings.isEmpty());
    EXPECT_LE(pages.size(), 3) << "pages were made for snapshots that newer ones replaced";
    EXPECT_EQ(findings.last().at(0).toULongLong(), 10u);
    EXPECT_TRUE(findings.last().at(1).toString().startsWith(u"eBay would"_s));
}

} // namespace
