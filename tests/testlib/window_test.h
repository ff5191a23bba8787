#pragma once

#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "tests/testlib/test_install.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace lw::test {

// The seller goes to window w; true once it is the active window.
inline bool activate(QWidget* w)
{
    w->activateWindow();
    return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; });
}

// A window of the program owned by a stand-in main window (with a box to take the focus), over a
// private installation and a scripted desktop.
template <typename Window> class OwnedWindowTest : public ::testing::Test
{
protected:
    template <typename W = QWidget> W* find(const QString& name)
    {
        return window.template findChild<W*>(name);
    }
    void click(const QString& name) { find<QAbstractButton>(name)->click(); }

    TestInstall install;
    ScriptedDesktopServices ds;
    SharedState state;
    QWidget owner;
    QLineEdit ownerBox{&owner};
    Window window{state, ds, &owner};
};

} // namespace lw::test
