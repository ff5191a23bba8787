#include "support/ui/qt_desktop_services.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A command of a sub-window that shows two dialogs in a row: both belong to the sub-window.
TEST(SupportDesktopServices, DialogsBelongToTheWindowThatAskedAlsoBetweenTwoOfThem)
{
    QWidget owner;
    QWidget sub(&owner, Qt::Dialog);
    lw::QtDesktopServices ds(&owner);
    owner.show();
    sub.show();
    sub.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &sub; }));
    EXPECT_EQ(ds.dialogParent(), &sub);
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(ds.dialogParent(), &sub);
    sub.hide();
    EXPECT_EQ(ds.dialogParent(), &owner);
}

} // namespace
