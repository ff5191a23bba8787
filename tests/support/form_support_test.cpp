#include "support/ui/form_support.h"
#include "tests/testlib/window_test.h"

#include <QSignalSpy>

namespace {

using lw::test::activate;

TEST(SupportOwnedWindow, CentredFirstThenWhereLeftAndArrivalsOnlyFromTheProgramsOtherWindows)
{
    QWidget owner;
    owner.setGeometry(100, 80, 900, 700);
    QWidget window(&owner, Qt::Dialog);
    window.resize(300, 200);
    // Arrivals follow the keyboard focus from window to window.
    QLineEdit ownerBox(&owner), windowBox(&window);
    lw::OwnedWindowWatcher watcher(&window);
    owner.show();
    window.show();
    EXPECT_EQ(window.frameGeometry().center(), owner.frameGeometry().center());
    ASSERT_TRUE(activate(&owner));
    QSignalSpy arrived(&watcher, &lw::OwnedWindowWatcher::arrived);
    ASSERT_TRUE(activate(&window));
    EXPECT_EQ(arrived.count(), 1);
    QEvent back(QEvent::WindowActivate); // a dialog of the window hands it back
    QApplication::sendEvent(&window, &back);
    EXPECT_EQ(arrived.count(), 1);

    window.move(150, 120);
    window.hide();
    window.show();
    EXPECT_EQ(window.pos(), QPoint(150, 120));
    EXPECT_EQ(arrived.count(), 2);
}

} // namespace
