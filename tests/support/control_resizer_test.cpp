#include "support/ui/control_resizer.h"

#include "core/scripted_desktop_services.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using lw::ControlResizer;

namespace {

// Sizes are whole pixels, so every twips figure is a multiple of 15. The base
// window is 532 x 400 px = 7980 x 6000 twips; grown to 665 x 500 px = 9975 x 7500
// twips it changes by dx 1995 twips (133 px), dy 1500 twips (100 px), and by
// exactly 25 percent both ways (1995 / 7980 = 1500 / 6000 = 0.25).
constexpr int BaseW = 532, BaseH = 400, GrownW = 665, GrownH = 500;

// A hidden top-level window: the offscreen platform then leaves sizes and states
// exactly as the test sets them.
class ResizerFixture : public ::testing::Test
{
protected:
    void SetUp() override { m_window->resize(BaseW, BaseH); }

    QWidget* control(const QString& tag, const QRect& geometry, QWidget* parent = nullptr)
    {
        auto* w = new QWidget(parent ? parent : m_window.get());
        w->setGeometry(geometry);
        if (!tag.isNull())
            ControlResizer::setTag(w, tag);
        return w;
    }
    void initThenResize(int w, int h)
    {
        m_resizer.InitResizer(m_window.get());
        m_window->resize(w, h);
        m_resizer.FormResized(m_window.get());
    }

    lw::ScriptedDesktopServices m_ds;
    ControlResizer m_resizer{m_ds};
    std::unique_ptr<QWidget> m_window = std::make_unique<QWidget>();
};

using SupportResizerTag = ResizerFixture;
using SupportResizerRescale = ResizerFixture;
using SupportResizerPercent = ResizerFixture;
using SupportResizerMinimise = ResizerFixture;
using SupportResizerErrors = ResizerFixture;

TEST_F(SupportResizerTag, StoredAsDynamicProperty)
{
    QWidget* c = control(u"2031"_s, {0, 0, 10, 10});
    EXPECT_EQ(ControlResizer::tag(c), u"2031"_s);
    EXPECT_EQ(c->property("resizeTag").toString(), u"2031"_s);
    EXPECT_TRUE(ControlResizer::tag(control(QString(), {0, 0, 10, 10})).isEmpty());
}

TEST_F(SupportResizerTag, InitRecordsClientSizeInTwips)
{
    m_resizer.InitResizer(m_window.get());
    EXPECT_EQ(m_resizer.oldWidth(), 7980);
    EXPECT_EQ(m_resizer.oldHeight(), 6000);
}

TEST_F(SupportResizerRescale, GrowFollowsEdgeAndProportion)
{
    QWidget* mover = control(u"2000"_s, {10, 20, 100, 30});
    QWidget* proportional = control(u"0010"_s, {10, 60, 100, 30});
    QWidget* widener = control(u"0020"_s, {10, 100, 100, 30});
    QWidget* all = control(u"1111"_s, {40, 40, 80, 40});
    QWidget* bottom = control(u"0302"_s, {5, 300, 50, 20});
    initThenResize(GrownW, GrownH);

    EXPECT_EQ(mover->geometry(), QRect(143, 20, 100, 30));       // 150 + 1995 twips
    EXPECT_EQ(proportional->geometry(), QRect(10, 60, 125, 30)); // 1500 * 125 / 100 twips
    EXPECT_EQ(widener->geometry(), QRect(10, 100, 233, 30));     // 1500 + 1995 twips
    EXPECT_EQ(all->geometry(), QRect(50, 50, 100, 50));
    EXPECT_EQ(bottom->geometry(), QRect(5, 400, 50, 120));
    EXPECT_EQ(m_resizer.oldWidth(), 9975);
    EXPECT_EQ(m_resizer.oldHeight(), 7500);
    EXPECT_TRUE(m_ds.messages().isEmpty());
}

TEST_F(SupportResizerRescale, ShrinkPastLeftEdgeClampsOnlyWithThree)
{
    m_window->resize(GrownW, GrownH);
    QWidget* clamped = control(u"3000"_s, {20, 10, 50, 20});
    QWidget* negative = control(u"2000"_s, {20, 40, 50, 20});
    initThenResize(BaseW, BaseH); // dx = -1995 twips

    EXPECT_EQ(clamped->pos(), QPoint(0, 10));
    EXPECT_EQ(negative->pos(), QPoint(-113, 40)); // 300 - 1995 = -1695 twips
}

TEST_F(SupportResizerRescale, EmptyUnknownAndShortTags)
{
    QWidget* untagged = control(QString(), {10, 10, 40, 40});
    QWidget* empty = control(u""_s, {10, 60, 40, 40});
    QWidget* zeros = control(u"0000"_s, {10, 110, 40, 40});
    QWidget* letters = control(u"xy9-"_s, {10, 160, 40, 40});
    QWidget* shortTag = control(u"2"_s, {10, 210, 40, 40});
    initThenResize(GrownW, GrownH);

    EXPECT_EQ(untagged->geometry(), QRect(10, 10, 40, 40));
    EXPECT_EQ(empty->geometry(), QRect(10, 60, 40, 40));
    EXPECT_EQ(zeros->geometry(), QRect(10, 110, 40, 40));
    EXPECT_EQ(letters->geometry(), QRect(10, 160, 40, 40));
    EXPECT_EQ(shortTag->geometry(), QRect(143, 210, 40, 40));
}

TEST_F(SupportResizerRescale, NestedControlsMoveWithinTheirParent)
{
    QWidget* frame = control(QString(), {100, 100, 300, 200});
    QWidget* inner = control(u"2200"_s, {10, 10, 20, 20}, frame);
    initThenResize(GrownW, GrownH);

    EXPECT_EQ(frame->geometry(), QRect(100, 100, 300, 200));
    EXPECT_EQ(inner->geometry(), QRect(143, 110, 20, 20));
}

// 200 px = 3000 twips wide; + 1 px is 0.5 percent, + 5 px is 2.5 percent.
TEST_F(SupportResizerPercent, RoundsHalfToEven)
{
    m_window->resize(200, BaseH);
    QWidget* c = control(u"0010"_s, {0, 0, 100, 10});
    initThenResize(201, BaseH);
    EXPECT_EQ(c->width(), 100); // 0.5 -> 0 percent

    initThenResize(205, BaseH); // from 201 px: 60 / 3015 * 100 = 1.99 -> 2 percent
    EXPECT_EQ(c->width(), 102);

    m_window->resize(200, BaseH);
    c->resize(100, 10);
    initThenResize(205, BaseH); // 2.5 -> 2 percent
    EXPECT_EQ(c->width(), 102);
}

TEST_F(SupportResizerPercent, ZeroOldSizeKeepsPreviousPercent)
{
    m_window->resize(0, BaseH);
    QWidget* proportional = control(u"1000"_s, {40, 0, 10, 10});
    QWidget* edge = control(u"2000"_s, {40, 20, 10, 10});
    initThenResize(100, BaseH); // no percentage yet: 0 percent
    EXPECT_EQ(proportional->x(), 40);
    EXPECT_EQ(edge->x(), 140);

    m_window->resize(150, BaseH);
    m_resizer.FormResized(m_window.get()); // 50 percent
    EXPECT_EQ(proportional->x(), 60);
    EXPECT_EQ(edge->x(), 190);

    m_window->resize(0, BaseH);
    initThenResize(100, BaseH); // old width 0 again: still 50 percent
    EXPECT_EQ(proportional->x(), 90);
    EXPECT_EQ(edge->x(), 290);
    EXPECT_EQ(m_resizer.oldWidth(), 1500);
}

TEST_F(SupportResizerMinimise, RestoreToNormalLeavesControls)
{
    QWidget* c = control(u"2222"_s, {10, 10, 50, 50});
    m_resizer.InitResizer(m_window.get());
    m_window->setWindowState(Qt::WindowMinimized);
    m_window->resize(160, 30);
    m_resizer.FormResized(m_window.get());
    EXPECT_EQ(c->geometry(), QRect(10, 10, 50, 50));

    m_window->setWindowState(Qt::WindowNoState);
    m_window->resize(GrownW, GrownH);
    m_resizer.FormResized(m_window.get());
    EXPECT_EQ(c->geometry(), QRect(10, 10, 50, 50));
    EXPECT_EQ(m_resizer.oldWidth(), 7980);

    m_resizer.FormResized(m_window.get()); // the flag is cleared: a later resize rescales
    EXPECT_EQ(c->geometry(), QRect(143, 110, 183, 150));
}

TEST_F(SupportResizerMinimise, MaximiseRescalesFromSizeBeforeMinimising)
{
    QWidget* c = control(u"2020"_s, {10, 10, 50, 50});
    m_resizer.InitResizer(m_window.get());
    m_window->setWindowState(Qt::WindowMinimized);
    m_window->resize(160, 30);
    m_resizer.FormResized(m_window.get());

    // Hidden windows keep their size on maximise, so set the size by hand, first:
    // resize() clears the maximised state.
    m_window->resize(GrownW, GrownH);
    m_window->setWindowState(Qt::WindowMaximized);
    ASSERT_EQ(m_window->windowState(), Qt::WindowMaximized);
    m_resizer.FormResized(m_window.get());
    EXPECT_EQ(c->geometry(), QRect(143, 10, 183, 50));
    EXPECT_EQ(m_resizer.oldWidth(), 9975);
}

TEST_F(SupportResizerErrors, UninitialisedReportsAndLeavesControls)
{
    QWidget* c = control(u"2222"_s, {10, 10, 50, 50});
    m_window->resize(GrownW, GrownH);
    m_resizer.FormResized(m_window.get());

    ASSERT_EQ(m_ds.messages().size(), 1);
    const auto msg = m_ds.messages().first();
    EXPECT_EQ(msg.text, u"Error 80000\r\nInitiate resize module before resizing"_s);
    EXPECT_EQ(msg.style, lw::MsgStyle::Exclamation);
    EXPECT_EQ(msg.title, QString::fromLatin1(lw::ApplicationTitle)); // empty title given
    EXPECT_EQ(c->geometry(), QRect(10, 10, 50, 50));
}

TEST_F(SupportResizerErrors, NegativeWidthReports380AndKeepsOldSize)
{
    m_window->resize(GrownW, GrownH);
    QWidget* first = control(u"2000"_s, {200, 10, 50, 20});
    QWidget* narrow = control(u"2020"_s, {200, 40, 50, 20}); // 750 - 1995 twips
    QWidget* later = control(u"2000"_s, {200, 70, 50, 20});
    initThenResize(BaseW, BaseH);

    ASSERT_EQ(m_ds.messages().size(), 1);
    EXPECT_EQ(m_ds.messages().first().text, u"Error 380\r\nInvalid property value"_s);
    EXPECT_EQ(m_ds.messages().first().style, lw::MsgStyle::Exclamation);
    EXPECT_EQ(m_resizer.oldWidth(), 9975);
    EXPECT_EQ(m_resizer.oldHeight(), 7500);
    // Controls before the refusal stay rescaled; Left was assigned before Width.
    EXPECT_EQ(first->x(), 67);
    EXPECT_EQ(narrow->geometry(), QRect(67, 40, 50, 20));
    EXPECT_EQ(later->x(), 200);
}

TEST_F(SupportResizerErrors, NegativeHeightReports380)
{
    m_window->resize(GrownW, GrownH);
    QWidget* low = control(u"0022"_s, {10, 10, 250, 50}); // height 750 - 1500 twips
    initThenResize(BaseW, BaseH);

    ASSERT_EQ(m_ds.messages().size(), 1);
    EXPECT_EQ(m_ds.messages().first().text, u"Error 380\r\nInvalid property value"_s);
    EXPECT_EQ(low->geometry(), QRect(10, 10, 117, 50)); // Width went in before Height
    EXPECT_EQ(m_resizer.oldHeight(), 7500);
}

} // namespace
