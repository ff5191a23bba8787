#include "support/ui/window_places.h"
#include "tests/testlib/test_install.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The main window comes back as the state file says, as far as it still fits the screens.
TEST(SupportWindowPlaces, TheMainWindowKeepsOnlyWhatIsStillOnAScreen)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    const QRect before(1, 1, 300, 200);
    const struct
    {
        const char* file;
        QRect geometry;
        bool maximized;
    } cases[] = {
        {"[frmMain]\r\ngeometry=20,30,400,300\r\nmaximized=false\r\n", {20, 30, 400, 300}, false},
        // Maximised: its normal size comes back too, for when the seller restores it.
        {"[frmMain]\ngeometry=20,30,400,300\nmaximized=true\n", {20, 30, 400, 300}, true},
        // Off every screen: the size stays, the place is the desktop's choice.
        {"[frmMain]\ngeometry=5000,4000,400,300\n", {1, 1, 400, 300}, false},
        {"[frmMain]\ngeometry=-900,10,400,300\n", {1, 1, 400, 300}, false},
        {"[frmMain]\ngeometry=0,0,9000,9000\n", {QPoint(0, 0), screen}, false},
        // Damaged or foreign: nothing changes.
        {"[frmMain]\ngeometry=20,30,x,300\nmaximized=true\n", before, false},
        {"geometry=20,30,400,300\n", before, false},
        {"[frmMain]\ngeometry=20,30,0,300\n", before, false},
        {"", before, false},
    };
    for (const auto& c : cases) {
        const lw::test::TestInstall dir(false);
        dir.write(u"window-state.ini"_s, c.file);
        lw::WindowPlaces places(dir.file(u"window-state.ini"_s));
        places.read();
        QWidget main;
        main.setGeometry(before);
        places.restoreMain(&main);
        EXPECT_EQ(main.geometry(), c.geometry) << c.file;
        EXPECT_EQ(bool(main.windowState() & Qt::WindowMaximized), c.maximized) << c.file;
    }
}

} // namespace
