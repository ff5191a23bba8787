#include "app/ui/frm_main.h"
#include "app/ui/window_program.h"
#include "support/ui/window_places.h"
#include "tests/app/app_fixture.h"

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QtWidgets>

#include <memory>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

using T = AdRecord::Text;

// The live preview from the browser module beside the real main window.
class LivePreview : public AppProgram
{
protected:
    static void SetUpTestSuite()
    {
        // A closed machine: no GPU and none of Chromium's own calls home.
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                "--disable-gpu --disable-background-networking --no-proxy-server "
                "--disable-component-update --disable-sync");
    }

    void SetUp() override
    {
        AppProgram::SetUp();
        places.read();
        window.usePlaces(places);
        window.Form_Load({});
        window.show();
        window.findChild<QAction*>(u"mnuOptionsLivePreview"_s)->trigger();
        preview = window.findChild<QWidget*>(u"frmLivePreview"_s);
        ASSERT_TRUE(preview && preview->isVisible());
        view = preview->findChild<QWebEngineView*>();
        ASSERT_TRUE(view);
        ASSERT_TRUE(shows(u"document.body.innerText.length > 0"_s));
    }

    QVariant evaluate(const QString& script)
    {
        auto result = std::make_shared<std::optional<QVariant>>();
        view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                    [result](const QVariant& v) { *result = v; });
        (void)QTest::qWaitFor([result] { return result->has_value(); }, 10000);
        return result->value_or(QVariant());
    }
    // Waits until the page the preview shows meets the condition (a script).
    bool shows(const QString& condition)
    {
        return QTest::qWaitFor([&] { return evaluate(condition).toBool(); }, 15000);
    }
    // Waits until the preview has shown a state of the ad newer than the one shown now.
    bool updated(quint64 before)
    {
        return QTest::qWaitFor(
            [&] {
                return preview->property("shownSerial").toULongLong() > before &&
                       preview->property("shownSerial") == preview->property("loadingSerial");
            },
            15000);
    }
    quint64 shown() const { return preview->property("shownSerial").toULongLong(); }
    void click(const QString& name)
    {
        QTest::mouseClick(preview->findChild<QAbstractButton*>(name), Qt::LeftButton);
    }

    WindowPlaces places{WindowPlaces::defaultPath()};
    frmMain window{program, ds};
    QWidget* preview = nullptr;
    QWebEngineView* view = nullptr;
};

TEST_F(LivePreview, FollowsTypingTheTemplateTheColoursAndTheEffects)
{
    const struct
    {
        const char* what;
        std::function<void()> change;
        QString condition;
    } changes[] = {
        {"typed",
         [&] { QTest::keyClicks(window.findChild<QPlainTextEdit*>(u"txtDescription"_s), u"Rewired lamp"_s); },
         u"document.body.innerText.includes('Rewired lamp')"_s},
        {"template", [&] { state.templates.setSelectedIndex(4); }, u"!!document.querySelector('.lw-t05')"_s},
        {"colour", [&] { state.ad.setColor(AdRecord::Color::Description, ColorPair::fromValue(0x34AB12)); },
         u"document.documentElement.outerHTML.includes('#12AB34')"_s},
        {"effect", [&] { window.findChild<QAction*>(u"mnuTextTitleScrollL"_s)->trigger(); },
         u"!!document.querySelector('marquee')"_s},
    };
    for (const auto& c : changes) {
        c.change();
        EXPECT_TRUE(shows(c.condition)) << c.what;
    }
    EXPECT_TRUE(ds.shellOpened().isEmpty()) << "a browser was started";
}

TEST_F(LivePreview, TenQuickChangesEndWithTheLastShownAfterFewLoads)
{
    QSignalSpy loads(view, &QWebEngineView::loadStarted);
    for (int i = 0; i < 10; ++i) {
        state.ad.setText(T::Title, u"Lamp number "_s + QString::number(i));
        QTest::qWait(3);
    }
    ASSERT_TRUE(shows(u"document.body.innerText.includes('Lamp number 9')"_s));
    QTest::qWait(300);
    EXPECT_TRUE(evaluate(u"document.body.innerText.includes('Lamp number 9')"_s).toBool());
    EXPECT_LE(loads.count(), 4);
}

TEST_F(LivePreview, ShowsTheDesktopAPhoneAndWhatAPhoneShowsOfTheDescription)
{
    const QString text = u"Solid brass desk lamp with a green glass shade. "_s.repeated(20);
    state.ad.setText(T::Description, text);
    click(u"optPhone"_s);
    EXPECT_TRUE(shows(u"innerWidth == 360 && document.body.innerText.includes('Solid brass')"_s));
    QWidget* phone = preview->findChild<QWidget*>(u"fraDevice"_s);
    const QWidget* backdrop = preview->findChild<QWidget*>(u"fraBackdrop"_s);
    EXPECT_NEAR(phone->geometry().center().x(), backdrop->width() / 2, 1);

    // What the summary holds is the summary page's own test.
    click(u"optPhoneSummary"_s);
    EXPECT_TRUE(shows(u"document.body.innerText.includes('No mobile summary is marked') && "
                      u"document.body.innerText.includes('Solid brass desk lamp')"_s));

    click(u"optDesktop"_s);
    EXPECT_TRUE(shows(u"innerWidth > 360 && document.body.innerText.includes('Solid brass')"_s));
}

TEST_F(LivePreview, KeepsWhereTheSellerWasReadingAcrossUpdates)
{
    const QString lines = u"A line of the description.\r\n"_s.repeated(150);
    state.ad.setText(T::Title, u"A title"_s);
    state.ad.setText(T::Description, lines);
    ASSERT_TRUE(shows(u"document.documentElement.scrollHeight > 3000"_s));
    evaluate(u"window.scrollTo(0, 1200)"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return qAbs(view->page()->scrollPosition().y() - 1200) < 1; }, 5000));

    // The same height: the same place. Twice the text: the same fraction of the page.
    const double height = evaluate(u"document.documentElement.scrollHeight"_s).toDouble();
    quint64 before = shown();
    state.ad.setText(T::Title, u"Another title"_s);
    ASSERT_TRUE(updated(before));
    EXPECT_NEAR(evaluate(u"window.scrollY"_s).toDouble(), 1200, 1);
    before = shown();
    state.ad.setText(T::Description, lines + lines);
    ASSERT_TRUE(updated(before));
    const double taller = evaluate(u"document.documentElement.scrollHeight"_s).toDouble();
    ASSERT_GT(taller, height * 1.5);
    EXPECT_NEAR(evaluate(u"window.scrollY"_s).toDouble(), 1200 * taller / height, 2);
}

TEST_F(LivePreview, CountsTheFindingsUnderTheViewAndOpensTheCheck)
{
    // A script, and a web address beside the footer's link.
    window.findChild<QAction*>(u"mnuTextDocumentNoRightClick"_s)->trigger();
    state.ad.setText(T::Description, u"More photos at www.example.com"_s);
    auto* line = preview->findChild<QLabel*>(u"lblFindings"_s);
    const auto said = [line] { return line->text().remove(QRegularExpression(u"<[^>]*>"_s)); };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return said().startsWith(u"eBay would reject 1 part \u00B7 2 risky"_s); }, 15000))
        << said().toStdString();
    Q_EMIT line->linkActivated(u"check"_s);
    QWidget* check = window.findChild<QWidget*>(u"frmCheckRules"_s);
    EXPECT_TRUE(check && check->isVisible());
}

TEST_F(LivePreview, OpensAgainAfterARestartWhenItWasOpenAtTheEnd)
{
    preview->resize(500, 600);
    ASSERT_TRUE(window.close());
    for (const bool open : {true, false}) {
        WindowProgram later(&ds);
        later.start({});
        if (!open) {
            QTest::qWait(1000);
            EXPECT_FALSE(later.window().findChild<QWidget*>(u"frmLivePreview"_s));
            break;
        }
        QWidget* again = nullptr;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return (again = later.window().findChild<QWidget*>(u"frmLivePreview"_s)) &&
                       again->isVisible();
            },
            15000));
        EXPECT_TRUE(later.window().isVisible());
        EXPECT_EQ(again->size(), QSize(500, 600));
        // Closed before the end, it stays closed at the next start.
        again->close();
        ASSERT_TRUE(later.window().close());
    }
}

} // namespace
} // namespace lw::test
