// Every template's ad laid out by the browser engine as a phone shows it (360 CSS px) and as a
// desktop does (1000 px), with what makes an ad hard to fit: a long title, a part number no line
// can break, every picture the template shows, the optional information, the contact links and a
// shipping calculator.

#include "generator/blocks.h"
#include "generator/convert.h"
#include "settings/template_commands.h"
#include "tests/testlib/template_look.h"

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

// What a page measures once laid out: how far its boxes and texts reach on either side, the width of
// its widest box narrower than the view (the ad's designed width) and its rows of pictures.
const QString MeasureScript = uR"(JSON.stringify((() => {
    let left = 0, right = 0, widest = 0, what = '';
    const reach = (r, name) => {
        if (r.width === 0 && r.height === 0) return;
        if (r.right > right) { right = r.right; what = name; }
        left = Math.min(left, r.left);
    };
    for (const e of document.body.querySelectorAll('*')) {
        const r = e.getBoundingClientRect();
        reach(r, e.outerHTML.slice(0, 120));
        if (r.width < innerWidth - 40) widest = Math.max(widest, Math.round(r.width));
    }
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    for (let t = walker.nextNode(); t; t = walker.nextNode()) {
        const range = document.createRange();
        range.selectNodeContents(t);
        reach(range.getBoundingClientRect(), 'text: ' + t.data.trim().slice(0, 60));
    }
    const tops = new Set();
    for (const img of document.querySelectorAll('a > img')) tops.add(Math.round(img.getBoundingClientRect().top));
    return {view: innerWidth, scroll: document.documentElement.scrollWidth, left, right: Math.ceil(right),
            what, widest, rows: tops.size};
})()))"_s;

class TemplateLayout : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                "--disable-gpu --disable-background-networking --no-proxy-server --disable-component-update");
        // Chromium's sandbox refuses to run as root.
        if (geteuid() == 0)
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QImage photo(640, 480, QImage::Format_RGB32);
        photo.fill(Qt::darkYellow);
        ASSERT_TRUE(photo.save(dir.filePath(u"photo.jpg"_s)));
        // A phone's screen shows no scroll bars beside the page.
        view.settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    }

    // Template n's ad with thumbnails of the given size, the calculator of one carrier or the other.
    GeneratorInput hardAd(int n, const QString& thumbWidth, const QString& thumbHeight, bool usps) const
    {
        GeneratorInput in = templateInput(n);
        in.preview = true;
        in.installFolder = QStringLiteral(LW_DATA_DIR);
        in.marqueeTags = buildMarqueeTags();
        in.ad.title = u"Vintage Brass Desk Lamp, Green Glass Shade, Rewired And Fully Working!"_s;
        in.ad.subTitle = in.prefs.terms = in.prefs.shipComment =
            u"Fully working, rewired with a new cloth cord"_s;
        in.ad.description =
            u"Maker's part number BL1955BRASSDESKLAMPGREENGLASSSHADE0042X7, stamped under it."_s;
        in.ad.includeOptional = true;
        in.ad.condition = in.ad.age = in.ad.comments = in.ad.shipCost =
            u"Excellent - light patina, no dents"_s;
        in.prefs.includeEmail = in.prefs.includeWebsite = in.prefs.includeAuctions = in.prefs.includeMePage =
            in.prefs.showCalc = true;
        in.prefs.useUsps = usps;
        in.prefs.useUps = !usps;
        for (int k = 0; k < builtInTemplate(n)->pictures; ++k)
            in.pictures.slots[size_t(k)].text = dir.filePath(u"photo.jpg"_s);
        in.pictures.thumbWidth = thumbWidth;
        in.pictures.thumbHeight = thumbHeight;
        return in;
    }

    // Lays the ad out as a page of its own in a view of each width in turn, and measures it there.
    std::vector<QJsonObject> layOut(const GeneratorInput& in, std::initializer_list<int> widths)
    {
        const GeneratorResult ad = expandTemplate(in);
        EXPECT_TRUE(ad.ok) << ad.error.toStdString();
        const QString html = u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
                             u"content=\"width=device-width, initial-scale=1\"></head><body>"_s +
                             ad.page + u"</body></html>"_s;
        view.show();
        bool loaded = false;
        const auto connection =
            QObject::connect(&view, &QWebEngineView::loadFinished, [&loaded](bool) { loaded = true; });
        view.setHtml(html, QUrl::fromLocalFile(dir.path() + u'/'));
        const bool done = QTest::qWaitFor([&loaded] { return loaded; }, 30000);
        QObject::disconnect(connection);
        EXPECT_TRUE(done) << "the page did not load";
        std::vector<QJsonObject> measured;
        for (const int width : widths) {
            view.resize(width, 800);
            QJsonObject m;
            // The page lays itself out again once the view's new size reaches it.
            (void)QTest::qWaitFor([&] { return (m = measure())[u"view"].toInt() == width; }, 10000);
            measured.push_back(m);
        }
        return measured;
    }

    QJsonObject measure()
    {
        std::optional<QVariant> result;
        view.page()->runJavaScript(MeasureScript, QWebEngineScript::ApplicationWorld,
                                   [&result](const QVariant& v) { result = v; });
        (void)QTest::qWaitFor([&result] { return result.has_value(); }, 10000);
        return QJsonDocument::fromJson(result.value_or(QVariant()).toString().toUtf8()).object();
    }

    QTemporaryDir dir;
    QWebEngineView view;
};

// Whether nothing of the page reaches past either side of the view.
::testing::AssertionResult fits(const QJsonObject& m)
{
    const int view = m[u"view"].toInt();
    if (view > 0 && m[u"scroll"].toInt() <= view && m[u"left"].toDouble() >= 0 && m[u"right"].toInt() <= view)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "laid out " << m[u"scroll"].toInt() << " px wide in a " << view << " px view, reaching from "
           << m[u"left"].toDouble() << " to " << m[u"right"].toInt() << " px ("
           << m[u"what"].toString().toStdString() << ")";
}

TEST_F(TemplateLayout, EveryTemplateFitsAPhoneAndKeepsItsDesktopLook)
{
    // Template, its ad's designed width and rows of pictures on a 1000 px screen.
    const std::vector<std::tuple<int, int, int>> designs = {
        {1, 880, 3},  {2, 900, 3},  {3, 860, 4},  {4, 922, 3},  {5, 880, 1},  {6, 900, 2},  {7, 860, 1},
        {8, 920, 3},  {9, 860, 1},  {10, 860, 1}, {11, 860, 2}, {12, 880, 3}, {13, 780, 1}, {14, 840, 2},
        {15, 900, 4}, {16, 820, 2}, {17, 860, 2}, {18, 880, 2}, {19, 860, 5}, {20, 760, 1},
    };
    for (const auto& [n, width, rows] : designs) {
        SCOPED_TRACE("template " + std::to_string(n));
        const std::vector<QJsonObject> small = layOut(hardAd(n, u"200"_s, u"150"_s, true), {360, 1000});
        EXPECT_TRUE(fits(small[0]));
        EXPECT_TRUE(fits(layOut(hardAd(n, u"400"_s, u"300"_s, false), {360})[0]));
        const QJsonObject& desktop = small[1];
        EXPECT_TRUE(fits(desktop));
        EXPECT_EQ(desktop[u"widest"].toInt(), width);
        EXPECT_EQ(desktop[u"rows"].toInt(), rows);
    }
}

} // namespace
} // namespace lw::test
