#include "support/ui/control_resizer.h"

#include "core/scripted_desktop_services.h"

#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Sizes are whole pixels, so every twips figure is a multiple of 15. The base
// window is 532 x 400 px = 7980 x 6000 twips, the grown one 665 x 500 px = 9975 x 7500
// twips: growing changes it by dx 1995 twips (133 px), dy 1500 twips (100 px), 25 percent
// both ways; shrinking back by -20 percent.
constexpr int BaseW = 532, BaseH = 400, GrownW = 665, GrownH = 500;

// A hidden top-level window, grown to start with: the offscreen platform then leaves sizes and
// states exactly as the test sets them.
class SupportResizer : public ::testing::Test
{
protected:
    void SetUp() override { m_window.resize(GrownW, GrownH); }

    // Forms set the tag in Designer as the dynamic property "resizeTag".
    QWidget* control(const QString& tag, const QRect& geometry, QWidget* parent = nullptr)
    {
        auto* w = new QWidget(parent ? parent : &m_window);
        w->setGeometry(geometry);
        w->setProperty("resizeTag", tag);
        return w;
    }
    void resize(int w, int h, bool initFirst = false)
    {
        if (initFirst)
            m_resizer.InitResizer(&m_window);
        m_window.resize(w, h);
        m_resizer.FormResized(&m_window);
    }
    lw::ScriptedDesktopServices m_ds;
    lw::ControlResizer m_resizer{m_ds};
    QWidget m_window;
};

// Shrinking from the grown size. A refused size ends the rescale with an error, and the size it
// started from stays the base of the next rescale, whose first control then goes negative.
TEST_F(SupportResizer, EachTagCharacterGovernsOneEdgeAndAnErrorEndsTheRescale)
{
    QWidget* inner = control(u"2200"_s, {150, 110, 20, 20}, control(QString(), {100, 100, 300, 200}));
    const std::tuple<QString, QRect, QRect> cases[] = {
        {u"2020"_s, {200, 20, 200, 30}, {67, 20, 67, 30}}, // 3000 - 1995 twips
        {u"1111"_s, {50, 50, 100, 50}, {40, 40, 80, 40}},  // 750 * 80 / 100 twips
        {u"0302"_s, {5, 400, 50, 120}, {5, 300, 50, 20}},
        {u"3"_s, {20, 10, 50, 20}, {0, 10, 50, 20}}, // below 0 becomes 0; missing characters change nothing
        {u"xy9-"_s, {10, 160, 40, 40}, {10, 160, 40, 40}},
        // Height 750 - 1500 twips is refused after the width is set; the control after it stays.
        {u"0022"_s, {10, 100, 250, 50}, {10, 100, 117, 50}},
        {u"2000"_s, {200, 70, 50, 20}, {200, 70, 50, 20}}};
    QList<QWidget*> controls;
    for (const auto& [tag, before, after] : cases)
        controls << control(tag, before);
    m_resizer.FormResized(&m_window);
    EXPECT_EQ(m_ds.messages().value(0).text, u"Error 80000\r\nInitiate resize module before resizing"_s);

    resize(BaseW, BaseH, true);
    EXPECT_EQ(m_ds.messages().value(1).text, u"Error 380\r\nInvalid property value"_s);
    for (int i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->geometry(), std::get<2>(cases[i])) << i;
    EXPECT_EQ(inner->geometry(), QRect(17, 10, 20, 20)); // within its parent

    resize(BaseW, BaseH); // width 1005 - 1995 twips is refused after the move
    EXPECT_EQ(controls[0]->geometry(), QRect(-66, 20, 67, 30));
    EXPECT_EQ(m_ds.messages().size(), 3);
}

TEST_F(SupportResizer, WholePercentRoundedHalfToEvenKeptOverAZeroOldSize)
{
    m_window.resize(200, BaseH);
    QWidget* c = control(u"0010"_s, {0, 0, 100, 10});
    resize(205, BaseH, true); // 75 / 3000 twips: 2.5 percent, 2
    EXPECT_EQ(c->width(), 102);
    resize(201, BaseH); // -60 / 3075 twips: -1.95 percent, -2
    EXPECT_EQ(c->width(), 100);
    m_window.resize(0, BaseH);
    resize(100, BaseH, true); // no percentage from a zero width: the last one holds
    EXPECT_EQ(c->width(), 98);
}

TEST_F(SupportResizer, RestoringLeavesControlsMaximisingRescalesFromBeforeMinimising)
{
    QWidget* c = control(u"2222"_s, {200, 200, 200, 200});
    m_window.setWindowState(Qt::WindowMinimized);
    resize(160, 30, true);
    m_window.setWindowState(Qt::WindowNoState);
    resize(BaseW, BaseH);
    EXPECT_EQ(c->geometry(), QRect(200, 200, 200, 200));
    resize(BaseW, BaseH); // restored: the next resize rescales again
    EXPECT_EQ(c->geometry(), QRect(67, 100, 67, 100));

    m_window.setWindowState(Qt::WindowMinimized);
    resize(160, 30);
    // Hidden windows keep their size on maximise, so the size is set first: resize() clears the state.
    m_window.resize(GrownW, GrownH);
    m_window.setWindowState(Qt::WindowMaximized);
    m_resizer.FormResized(&m_window);
    EXPECT_EQ(c->geometry(), QRect(200, 200, 200, 200));
}

} // namespace
