#pragma once

#include "app/program.h"
#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "tests/testlib/test_install.h"

#include <QDir>

#include <gtest/gtest.h>

namespace lw::test {

// A started program over a private installation, with a scripted desktop.
class AppProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ds.setTempFolder(install.path() + QStringLiteral("/tmp/"));
        QDir().mkpath(install.path() + QStringLiteral("/tmp"));
    }
    void start(const QString& commandLine = {})
    {
        program.startup(commandLine);
        ds.clearRecords();
    }
    AdRecord& ad() { return state.ad; }
    Preferences& prefs() { return state.prefs; }

    TestInstall install;
    ScriptedDesktopServices ds;
    SharedState state;
    Program program{state, ds};
};

} // namespace lw::test
