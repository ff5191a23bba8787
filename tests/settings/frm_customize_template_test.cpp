#include "settings/ui/frm_customize_template.h"
#include "tests/testlib/window_test.h"

#include <QLabel>
#include <QWindow>

#include <functional>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

class CustomizeWindow : public test::OwnedWindowTest<frmCustomizeTemplate>
{
protected:
    QLineEdit* box(int i) { return find<QLineEdit>(u"txtTableTexture_%1"_s.arg(i)); }
};

} // namespace

TEST_F(CustomizeWindow, ControlsReachTheirTable)
{
    for (int i = 1; i <= 4; ++i) {
        ds.queueColor(i);
        click(u"cmdTableBackground_%1"_s.arg(i));
        EXPECT_TRUE(find(u"ShpTableBackground_%1"_s.arg(i))->styleSheet().contains(u"#0%10000"_s.arg(i)));
    }
    EXPECT_TRUE(state.ad.adChanged());
    for (int i = 0; i <= 4; ++i) {
        ds.setClipboardText(u"p%1.jpg"_s.arg(i));
        click(u"cmdClipboard_%1"_s.arg(i));
        EXPECT_EQ(box(i)->text(), u"p%1.jpg"_s.arg(i));
    }
    click(u"chkUseTexture_2"_s);
    EXPECT_EQ(state.tables.entry(2).texture, u"p2.jpg");
    EXPECT_FALSE(find(u"cmdTableBackground_2"_s)->isVisibleTo(&window));
    click(u"cmdCustomizeOK"_s); // only OK takes the page background
    EXPECT_EQ(state.tables.entry(0).texture, u"p0.jpg");
    click(u"cmdCustomizeHelp"_s);
    EXPECT_EQ(ds.shellOpened(), QStringList{install.path() + u"/help/customize-template.html"_s});

    state.tables.setRowEnabled(3, false); // a table the template does not use
    EXPECT_EQ(find<QLabel>(u"ShpTableBackground_3"_s)->text(), u"Not Used In Template");
    EXPECT_FALSE(find(u"cmdTableBackground_3"_s)->isEnabled());
}

TEST_F(CustomizeWindow, BelongsToTheMainWindowAndEveryCancelRestoresTheSnapshotOfTheLastArrival)
{
    owner.show();
    window.show();
    // The window manager keeps a dialog in front of the window it is transient for.
    EXPECT_EQ(window.windowHandle()->transientParent(), owner.windowHandle());

    const std::function<void()> cancels[] = {[&] { click(u"cmdCustomizeCancel"_s); },
                                             [&] { QTest::keyClick(box(0), Qt::Key_Escape); },
                                             [&] { window.close(); }};
    int round = 0;
    for (const auto& cancel : cancels) {
        window.show();
        box(0)->setText(u"paper%1.jpg"_s.arg(++round));
        ASSERT_TRUE(test::activate(&owner)); // to the main window and back: an arrival
        ASSERT_TRUE(test::activate(&window));
        click(u"chkUseTexture_3"_s);
        ds.queueColor(0x0000FF);
        click(u"cmdTableBackground_1"_s);
        cancel();
        EXPECT_EQ(box(0)->text(), u"paper%1.jpg"_s.arg(round));
        EXPECT_EQ(state.tables.entry(1).colorText, u"#8FBEF8");
        EXPECT_FALSE(state.tables.entry(3).useTexture);
    }
    window.show();
}
